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
exec "$here/run-scenarios.sh" "$here/scenarios.sh" "$binary" "${KESTRIX_E2E_TIMEOUT:-300}" \
    "end-to-end tests"
