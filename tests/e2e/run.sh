#!/usr/bin/env bash
# End-to-end tests of the built program: the real kestrix binary under a
# virtual X display, with a home and game folders of the tests' own, driven
# with X input as a user drives it.
#   tests/e2e/run.sh <path-to-kestrix>
# Needs Xvfb, xdotool, x11-utils, xclip, imagemagick and tesseract-ocr
# (scripts/install-deps.sh test installs them). Prints one line per scenario
# and closes with "N passed, N failed"; exits non-zero when a scenario failed
# or the run did not end within KESTRIX_E2E_TIMEOUT seconds (default 300).
# KESTRIX_E2E_ONLY="name ..." runs only the scenarios named.
set -uo pipefail

if [ $# -ne 1 ] || [ ! -x "$1" ]; then
    echo "usage: $0 <path-to-kestrix>" >&2
    exit 2
fi
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
limit=${KESTRIX_E2E_TIMEOUT:-300}

tally=$(mktemp)
started=$SECONDS
# timeout puts the scenarios in a process group of their own and ends the
# whole group, display and program included, when the time is up.
timeout --kill-after=10 "$limit" bash "$here/scenarios.sh" "$binary" "$tally"
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
echo "end-to-end tests took $((SECONDS - started))s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
