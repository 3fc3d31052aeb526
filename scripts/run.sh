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
# TERRION_SIM_OPTIONS passes options to the simulator, for example
# TERRION_SIM_OPTIONS="--hang-up-in-download 2" (see tests/simulator/TerrionSimMain.cpp).
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
# CMAKE_BUILD_PARALLEL_LEVEL, when set, says how many jobs the build may run.
jobs="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
if [[ $simulator -eq 1 ]]; then
  # The simulator lives with the tests; only it and the program are built.
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTERRION_BUILD_TESTS=ON >/dev/null
  cmake --build "$build" -j"$jobs" --target terrion-sim --target TerrionLink
else
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTERRION_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" -j"$jobs"
fi

# TerrionLink is a desktop program: without a display there is nothing to show.
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run.sh: built $program, but there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "run.sh: TerrionLink needs a graphical desktop; on a machine without one: xvfb-run -a scripts/run.sh" >&2
  exit 2
fi
export GTK_OVERLAY_SCROLLING=0
if [[ $simulator -eq 0 ]]; then
  exec "$program" "$@"
fi

port=1
log=$(mktemp)
read -r -a sim_options <<<"${TERRION_SIM_OPTIONS:-}"
"$build/tests/simulator/terrion-sim" --port "$port" "${sim_options[@]}" "$scenario" >"$log" 2>&1 &
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
"$program" "$@"
