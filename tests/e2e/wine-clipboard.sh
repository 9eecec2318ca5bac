#!/usr/bin/env bash
# The Linux program's installs end to end with real Windows stand-ins for
# the setup tool, started through Wine: after kestrix has ended, the stand-in
# reads the game folder from the clipboard, on a display that runs no
# clipboard manager; a game in a prefix of its own; a 32-bit tool.
#   tests/e2e/wine-clipboard.sh <path-to-kestrix> <path-to-e2e_setup_recorder.exe>
# The stand-ins come from the cross build (build-mingw/tests/e2e-win and
# tests/platform/win). Needs what tests/e2e/run.sh needs, and Wine; exits
# non-zero when a scenario failed.
set -uo pipefail

if [ $# -ne 2 ] || [ ! -x "$1" ] || [ ! -f "$2" ]; then
    echo "usage: $0 <path-to-kestrix> <path-to-e2e_setup_recorder.exe>" >&2
    exit 2
fi
KESTRIX_E2E_SETUP_TOOL=$(realpath "$2") KESTRIX_E2E_ONLY=${KESTRIX_E2E_ONLY:-"install_package setup_tool_through_wine"} \
    "$(dirname "$0")/run.sh" "$1"
