#!/usr/bin/env bash
# Installs what is missing, builds the release build and starts TerrionLink.
# Arguments are passed to the program (for example a project file to open).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DTERRION_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" -j"$(nproc)"
program="$root/build/release/app/TerrionLink"

# TerrionLink is a desktop program: without a display there is nothing to show.
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run.sh: built $program, but there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "run.sh: TerrionLink needs a graphical desktop; on a machine without one: xvfb-run -a scripts/run.sh" >&2
  exit 2
fi
export GTK_OVERLAY_SCROLLING=0
exec "$program" "$@"
