#!/usr/bin/env bash
# End-to-end tests of a built program on a virtual X display, driven with X
# input as a user drives it (scenarios.sh):
#   tests/e2e/run.sh build-test/src/kestrix    the Linux program
#   tests/e2e/run.sh build-mingw               KESTRIX.exe under Wine
# Needs what scripts/install-deps.sh test (and, for KESTRIX.exe, windows)
# installs. Prints one line per scenario and closes with "N passed, N failed";
# exits non-zero when a scenario failed or the run did not end within
# KESTRIX_E2E_TIMEOUT seconds (default 300, 420 under Wine, whose prefix alone
# takes about 20 s). KESTRIX_E2E_ONLY="name ..." runs only the scenarios named.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
if [ $# -eq 1 ] && [ -f "$1/KESTRIX.exe" ]; then
    driver=$here/../e2e-win/driver.sh program=$1/KESTRIX.exe limit=${KESTRIX_E2E_TIMEOUT:-420}
elif [ $# -eq 1 ] && [ -f "$1" ] && [ -x "$1" ]; then
    driver=$here/linux.sh program=$1 limit=${KESTRIX_E2E_TIMEOUT:-300}
else
    echo "usage: $0 <path-to-kestrix | cross-build folder holding KESTRIX.exe>" >&2
    exit 2
fi
started=$SECONDS
# timeout puts the scenarios in a process group of their own and ends the
# whole group, display and programs included, when the time is up.
timeout --kill-after=10 "$limit" bash "$here/scenarios.sh" "$driver" "$(realpath "$program")"
status=$?
[ $status -ne 124 ] && [ $status -ne 137 ] || echo "FAIL the run was stopped after ${limit}s"
echo "the end-to-end run took $((SECONDS - started))s"
exit $status
