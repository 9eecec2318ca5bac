#!/usr/bin/env bash
# End-to-end tests of KESTRIX.exe under Wine: the real program on a virtual X
# display, in a Wine prefix of the run's own, with game folders of the tests'
# own, driven with X input at the windows' documented control places.
#   tests/e2e-win/run.sh <cross-build-dir>
# The build folder holds KESTRIX.exe and the helper programs of
# tests/e2e-win. Needs Wine, fonts-wine, Xvfb, xdotool and x11-utils
# (scripts/install-deps.sh windows). Prints one line per scenario and closes
# with "N passed, N failed"; exits non-zero when a scenario failed or the run
# did not end within KESTRIX_E2E_TIMEOUT seconds (default 420: the prefix
# alone takes about 20 s to set up). KESTRIX_E2E_ONLY="name ..." runs only
# the scenarios named.
set -uo pipefail

if [ $# -ne 1 ] || [ ! -f "$1/KESTRIX.exe" ]; then
    echo "usage: $0 <cross-build-dir holding KESTRIX.exe>" >&2
    exit 2
fi
build=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
limit=${KESTRIX_E2E_TIMEOUT:-420}

tally=$(mktemp)
started=$SECONDS
# timeout puts the scenarios in a process group of their own and ends the
# whole group, display, Wine and program included, when the time is up.
timeout --kill-after=10 "$limit" bash "$here/scenarios.sh" "$build" "$tally"
status=$?

passed=$(grep -c '^pass ' "$tally")
failed=$(grep -c '^fail ' "$tally")
rm -f "$tally"
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "FAIL the run was stopped after ${limit}s"
    failed=$((failed + 1))
elif [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
    echo "FAIL the scenarios could not run (status $status)"
    failed=$((failed + 1))
fi
echo "Wine end-to-end tests took $((SECONDS - started))s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
