#!/usr/bin/env bash
# Runs a window test program on an X display of its own (a fresh Xvfb): its
# windows, the pointer and the keyboard focus are nobody else's, so window
# test programs run side by side instead of taking turns on one display.
#
#   own-display.sh COUNT-FILE PROGRAM [ARGUMENTS...]
#
# Exits with the program's status; when the program passed but skipped or
# left out a case, with 77 (SKIP_RETURN_CODE: CTest reports it skipped). The
# number of cases that passed goes to COUNT-FILE (scripts/test.sh adds them up).
set -uo pipefail
count_file=$1
shift

work=$(mktemp -d)
xvfb=
cleanup() {
  if [[ -n "$xvfb" ]]; then
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

# Xvfb picks a free display number itself and writes it out once clients may
# connect: no race with the other programs starting at the same moment.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
number=
read -r -t 60 number <"$work/display"
if [[ ! "$number" =~ ^[0-9]+$ ]]; then
  echo "own-display.sh: Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$number"
unset WAYLAND_DISPLAY

"$@" 2>&1 | tee "$work/output"
status=${PIPESTATUS[0]}
[[ $status -eq 0 ]] || exit "$status"

passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$work/output" | tail -n 1)
mkdir -p "$(dirname "$count_file")"
echo "${passed:-0}" >"$count_file"
if grep -q -E '^\[  SKIPPED \]|YOU HAVE [0-9]+ DISABLED TESTS?' "$work/output"; then
  exit 77
fi
exit 0
