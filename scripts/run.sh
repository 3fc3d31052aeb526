#!/usr/bin/env bash
# Installs what is missing, builds the release build and starts TerrionLink.
# Arguments are passed to the program (for example a project file to open).
#
#   scripts/run.sh --simulator [scenario-file] [program arguments...]
#
# also builds the simulated Terrion, starts it on a pseudo-terminal, points
# COM1 at it (TERRIONLINK_COM1) and starts TerrionLink with that mapping, so
# the whole road can be tried without an instrument. The scenario defaults to
# tests/data/device/three_series.scenario; the simulator ends with the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/release"
program="$build/app/TerrionLink"

simulator=0
scenario="$root/tests/data/device/three_series.scenario"
if [[ "${1:-}" == "--simulator" ]]; then
  simulator=1
  shift
  if [[ $# -gt 0 && "$1" != -* && "$1" != *.vnr ]]; then
    scenario=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
    shift
  fi
  if [[ ! -f "$scenario" ]]; then
    echo "run.sh: no scenario file $scenario" >&2
    exit 2
  fi
fi

bash "$root/scripts/install-deps.sh"
if [[ $simulator -eq 1 ]]; then
  # The simulator lives with the tests; only it and the program are built.
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTERRION_BUILD_TESTS=ON >/dev/null
  targets=(--target terrion-sim)
  if grep -q 'add_executable(TerrionLink' "$root"/app/*.txt "$root"/app/*.cmake 2>/dev/null; then
    targets+=(--target TerrionLink)
  fi
  cmake --build "$build" -j"$(nproc)" "${targets[@]}"
else
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTERRION_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" -j"$(nproc)"
fi

if [[ $simulator -eq 0 ]]; then
  if [[ -x "$program" ]]; then
    exec "$program" "$@"
  fi
  echo "Built the libraries in build/release; the TerrionLink program itself is not part of this build yet."
  exit 0
fi

port=1
log=$(mktemp)
"$build/tests/simulator/terrion-sim" --port "$port" "$scenario" >"$log" 2>&1 &
sim_pid=$!
stop_simulator() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  rm -f "$log"
}
trap stop_simulator EXIT

mapping=""
for _ in $(seq 1 100); do
  mapping=$(grep -o "TERRIONLINK_COM$port=[^ ]*" "$log" || true)
  [[ -n "$mapping" ]] && break
  if ! kill -0 "$sim_pid" 2>/dev/null; then
    cat "$log" >&2
    exit 1
  fi
  sleep 0.05
done
if [[ -z "$mapping" ]]; then
  echo "run.sh: the simulator did not start" >&2
  exit 1
fi
export "${mapping?}"
echo "Simulated Terrion ($(basename "$scenario")) on ${mapping#*=}, reached as COM$port."

if [[ -x "$program" ]]; then
  "$program" "$@"
else
  echo "The TerrionLink program is not part of this build yet; the simulator runs until Ctrl-C."
  echo "Point another program at it with: export $mapping"
  wait "$sim_pid" || true
fi
