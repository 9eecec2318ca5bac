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
exec "$here/../e2e/run-scenarios.sh" "$here/scenarios.sh" "$build" "${KESTRIX_E2E_TIMEOUT:-420}" \
    "Wine end-to-end tests"
