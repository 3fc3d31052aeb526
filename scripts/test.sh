#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds the test build
# (warnings as errors, AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs every test with CTest; then the ThreadSanitizer stage and the fuzzers.
# Starts a virtual display when there is none. Exits non-zero when a check or
# a test fails; with CI set, a skipped test fails the run as well.
#
# Two cores are all CI may have, so the test build makes only what the tests
# run (target terrion_tests: no release program, no benchmarks), and every
# build compiles a few files at a time as one unit (TERRION_UNITY_BUILD); the
# ThreadSanitizer and fuzz builds, which only need their own targets, are
# made at the lowest priority beside it and beside the tests, from processor
# time those leave idle. Builds use CMAKE_BUILD_PARALLEL_LEVEL jobs when it is
# set, otherwise as many as there are cores (nproc honours the affinity).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cores=$(nproc)
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$cores}
stages=()
stage_start=$SECONDS
stage_done() { # name: how long the stage took, for the closing line
  stages+=("$1 $((SECONDS - stage_start))s")
  echo "== $1: $((SECONDS - stage_start))s"
  stage_start=$SECONDS
}
bash "$root/scripts/install-deps.sh"

# Formatting: every C++ file of the tree as .clang-format has it.
format=$(command -v clang-format-14 || command -v clang-format)
(cd "$root" && git ls-files -z -- '*.cpp' '*.h' | xargs -0 -r -n 40 -P "$cores" "$format" --dry-run --Werror)
stage_done format

# libFuzzer: every reader of outside bytes, in a clang build of its own that
# makes only the fuzzers, seeded from tests/data. They run side by side, as
# many at a time as there are cores, and share one time budget: each gets it
# divided by the number of rounds, so the stage takes about the budget
# however many targets there are. New inputs and any crashing input go to the
# build folder, never into the source tree. (The test build replays the
# seeds.) A new target is one line here and one in tests/fuzz.
fuzz_targets=( # name, seed folder
  "project tests/data/project"
  "package tests/data/fuzz/package"
  "terrion tests/data/fuzz/terrion"
  "version tests/data/fuzz/version"
  "others tests/data/fuzz/others"
  "commands tests/data/fuzz/commands"
  "probe tests/data/fuzz/probe"
  "listing tests/data/fuzz/listing"
  "settings tests/data/fuzz/settings"
  "jpeg_sections tests/data/fuzz/jpeg_sections"
)
fuzz_names=()
for entry in "${fuzz_targets[@]}"; do
  fuzz_names+=("${entry%% *}")
done

build="$root/build/test"
tsan="$root/build/tsan"
fuzz="$root/build/fuzz"

# The ThreadSanitizer build (the worker thread's, the device library's and the
# streams' tests) and the fuzz build (the fuzzers alone: clang, coverage
# feedback in every library they link), at the lowest priority, in a process
# group of their own (job control on while it starts) that goes when this
# script does.
other_builds() { # fuzz targets...
  set -euo pipefail
  cmake -S "$root" -B "$tsan" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTERRION_TSAN=ON -DTERRION_WERROR=ON -DTERRION_UNITY_BUILD=ON >/dev/null
  cmake --build "$tsan" -j"$jobs" --target device_thread_tests device_tests streams_tests
  cmake -S "$root" -B "$fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DTERRION_SANITIZE=ON -DTERRION_BUILD_FUZZ=ON -DTERRION_UNITY_BUILD=ON >/dev/null
  cmake --build "$fuzz" -j"$jobs" --target "$@"
}
mkdir -p "$root/build"
other_log="$root/build/other-builds.log"
export root jobs tsan fuzz
export -f other_builds
set -m
nice -n 19 bash -c 'other_builds "$@"' other_builds "${fuzz_names[@]/%/_fuzz}" </dev/null >"$other_log" 2>&1 &
other_pid=$!
set +m
trap 'kill -- -"$other_pid" 2>/dev/null || true' EXIT

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTERRION_SANITIZE=ON -DTERRION_WERROR=ON -DTERRION_BUILD_BENCH=ON -DTERRION_UNITY_BUILD=ON >/dev/null
cmake --build "$build" -j"$jobs" --target terrion_tests
stage_done build

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Most tests wait on pseudo-terminals and timers, so more run at once than
# there are cores. Window test programs start their own displays
# (tests/support/own-display.sh) and leave their counts in test-counts/.
rm -rf "$build/test-counts"
run_ctest=(ctest --test-dir "$build" --output-on-failure -j"$((cores * 2))" --timeout 300)
if [[ -z "${DISPLAY:-}" ]]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "${run_ctest[@]}" | tee "$build/ctest.log"
else
  "${run_ctest[@]}" | tee "$build/ctest.log"
fi
stage_done tests

if ! wait "$other_pid"; then
  echo "The ThreadSanitizer or the fuzz build failed:"
  tail -n 80 "$other_log"
  exit 1
fi
stage_done "ThreadSanitizer and fuzz builds (what was left)"

TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir "$tsan" --output-on-failure -j"$((cores * 2))" -L '^(device_thread|device|streams)$' \
  --no-tests=error --timeout 300 | tee "$tsan/ctest.log"
stage_done "ThreadSanitizer tests"

# A test that skipped did not check anything: CI counts it as a failure.
skipped=$(grep -h -E '\((Skipped|Not Run)\)' "$build/ctest.log" "$tsan/ctest.log" || true)
if [[ -n "$skipped" ]]; then
  echo "Tests that did not run:"
  echo "$skipped"
  if [[ -n "${CI:-}" ]]; then
    exit 1
  fi
fi

fuzz_budget=60 # seconds for the whole stage
lanes=$((cores < ${#fuzz_targets[@]} ? cores : ${#fuzz_targets[@]}))
rounds=$(((${#fuzz_targets[@]} + lanes - 1) / lanes))
fuzz_seconds=$((fuzz_budget / rounds > 10 ? fuzz_budget / rounds : 10))
run_fuzz() { # name seed-folder; a failing run leaves name.failed behind
  rm -f "$fuzz/$1.failed"
  mkdir -p "$fuzz/corpus/$1"
  "$fuzz/tests/fuzz/$1_fuzz" -max_total_time="$fuzz_seconds" -timeout=10 -malloc_limit_mb=128 \
    -artifact_prefix="$fuzz/$1-" "$fuzz/corpus/$1" "$root/$2" >"$fuzz/$1.log" 2>&1 ||
    touch "$fuzz/$1.failed"
}
running=0
for entry in "${fuzz_targets[@]}"; do
  if ((running >= lanes)); then
    wait -n
    running=$((running - 1))
  fi
  read -r name seeds <<<"$entry"
  run_fuzz "$name" "$seeds" &
  running=$((running + 1))
done
wait
fuzz_failed=0
for name in "${fuzz_names[@]}"; do
  if [[ -e "$fuzz/$name.failed" ]]; then
    echo "Fuzzer $name found a failing input:"
    tail -n 40 "$fuzz/$name.log"
    fuzz_failed=1
  fi
done
[[ $fuzz_failed -eq 0 ]] || exit 1
stage_done fuzzers

# One closing line over both CTest runs; a window test program is one CTest
# case but counts with the cases it ran.
total=0
for log in "$build/ctest.log" "$tsan/ctest.log"; do
  count=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
  total=$((total + ${count:-0}))
done
for counted in "$build"/test-counts/*; do
  [[ -e "$counted" ]] || continue
  total=$((total + $(cat "$counted") - 1))
done
echo "tests: $total passed, 0 failed; fuzzers: ${#fuzz_targets[@]} ran clean"
printf -v stage_list '%s, ' "${stages[@]}"
echo "stages: ${stage_list}total ${SECONDS}s"
