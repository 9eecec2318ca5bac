#!/usr/bin/env bash
# The Linux program's installs end to end with a real Windows stand-in for
# the setup tool, started through Wine: after kestrix has ended, the stand-in
# reads the game folder from the clipboard, on a display that runs no
# clipboard manager.
#   tests/e2e/wine-clipboard.sh <path-to-kestrix> <path-to-e2e_setup_recorder.exe>
# The stand-in comes from the cross build (build-mingw/tests/e2e-win). Needs
# what tests/e2e/run.sh needs, and Wine; exits non-zero when a scenario failed.
set -uo pipefail

if [ $# -ne 2 ] || [ ! -x "$1" ] || [ ! -f "$2" ]; then
    echo "usage: $0 <path-to-kestrix> <path-to-e2e_setup_recorder.exe>" >&2
    exit 2
fi
# A prefix of its own, thrown away afterwards, and Wine kept from offering to
# install Mono and Gecko.
WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/kestrix-wine-XXXXXX")"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'timeout 60 wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX"' EXIT
# Without a display, and waited for to the end: Wine's desktop process, which
# imports the X clipboard, must start anew on the test's display.
if ! (unset DISPLAY WAYLAND_DISPLAY && timeout 300 wine wineboot --init >/dev/null 2>&1 &&
    timeout 120 wineserver -w); then
    echo "Wine could not set up its prefix in $WINEPREFIX" >&2
    exit 1
fi
# The stand-ins that record each reading of their command line are built in
# the same cross build.
stand_ins=$(realpath "$(dirname "$2")/../platform/win")
KESTRIX_E2E_SETUP_TOOL=$(realpath "$2") KESTRIX_E2E_PREFIX=$WINEPREFIX \
    KESTRIX_E2E_SETUP_STAND_IN=$stand_ins/setup_stand_in.exe \
    KESTRIX_E2E_SETUP_STAND_IN_32=$stand_ins/setup_stand_in32.exe \
    KESTRIX_E2E_ONLY=${KESTRIX_E2E_ONLY:-"install_package install_again_from_stored_folders accented_names
        install_in_prefix_of_its_own install_32bit_tool"} \
    "$(dirname "$0")/run.sh" "$1"
