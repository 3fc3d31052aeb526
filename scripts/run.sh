#!/usr/bin/env bash
# Installs what is missing, builds the release build and starts TerrionLink.
# Arguments are passed to the program (for example a project file to open).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DTERRION_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" -j"$(nproc)"
program="$root/build/release/app/TerrionLink"
if [[ -x "$program" ]]; then
  exec "$program" "$@"
fi
echo "Built the libraries in build/release; the TerrionLink program itself is not part of this build yet."
