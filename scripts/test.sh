#!/usr/bin/env bash
# Installs what is missing, builds the test build (warnings as errors,
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test with
# CTest. Starts a virtual display when there is none. Exits non-zero when a
# test fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
bash "$root/scripts/install-deps.sh"

build="$root/build/test"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTERRION_SANITIZE=ON -DTERRION_WERROR=ON -DTERRION_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_ctest=(ctest --test-dir "$build" --output-on-failure -j"$jobs" --timeout 300)
if [[ -z "${DISPLAY:-}" ]]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "${run_ctest[@]}" | tee "$build/ctest.log"
else
  "${run_ctest[@]}" | tee "$build/ctest.log"
fi

# ThreadSanitizer: the device worker thread's tests, in a build of their own.
tsan="$root/build/tsan"
cmake -S "$root" -B "$tsan" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTERRION_TSAN=ON -DTERRION_WERROR=ON >/dev/null
cmake --build "$tsan" -j"$jobs" --target device_thread_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir "$tsan" --output-on-failure -L device_thread --no-tests=error --timeout 300 |
  tee "$tsan/ctest.log"

# libFuzzer: every reader of outside bytes, in a clang build of its own: the
# project-file and clipboard readers for about a minute, seeded with the
# golden project files, then the firmware package reader, the instrument's
# decoders and the version-record reader for 20 seconds each, seeded from
# tests/data/fuzz. New inputs and any crashing input go to the build folder,
# never into the source tree.
fuzz="$root/build/fuzz"
cmake -S "$root" -B "$fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DTERRION_SANITIZE=ON -DTERRION_BUILD_FUZZ=ON >/dev/null
cmake --build "$fuzz" -j"$jobs" --target project_fuzz package_fuzz terrion_fuzz version_fuzz
run_fuzz() { # name seconds seed-folder
  mkdir -p "$fuzz/corpus/$1"
  "$fuzz/tests/fuzz/$1_fuzz" -max_total_time="$2" -timeout=10 -malloc_limit_mb=128 \
    -artifact_prefix="$fuzz/" "$fuzz/corpus/$1" "$3"
}
run_fuzz project 60 "$root/tests/data/project"
for name in package terrion version; do
  run_fuzz "$name" 20 "$root/tests/data/fuzz/$name"
done

# One closing line over both CTest runs (the fuzz run above fails the script on a finding).
total=0
for log in "$build/ctest.log" "$tsan/ctest.log"; do
  count=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
  total=$((total + ${count:-0}))
done
echo "tests: $total passed, 0 failed"
