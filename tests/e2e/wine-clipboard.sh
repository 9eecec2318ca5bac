#!/usr/bin/env bash
# End to end through Wine: the Linux program starts a real Windows stand-in
# setup tool through Wine, ends, and the stand-in then reads the game folder
# from the clipboard, on a display that runs no clipboard manager.
#   tests/e2e/wine-clipboard.sh <path-to-kestrix> <path-to-clipboard_stand_in.exe>
# The stand-in comes from the cross build (scripts/windows-tests.sh makes it,
# in build-mingw/tests/platform/win). Needs what tests/e2e/run.sh needs, and
# Wine. Every wait is bounded; exits non-zero when the scenario failed.
set -uo pipefail

if [ $# -ne 2 ] || [ ! -x "$1" ] || [ ! -f "$2" ]; then
    echo "usage: $0 <path-to-kestrix> <path-to-clipboard_stand_in.exe>" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
stand_in=$(realpath "$2")

# A prefix of its own, thrown away afterwards, and Wine kept from offering to
# install Mono and Gecko.
WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/kestrix-wine-XXXXXX")"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
finish() {
    timeout 60 wineserver -k >/dev/null 2>&1
    rm -rf "$WINEPREFIX"
}
trap finish EXIT

echo "== Setting up a Wine prefix (about 20 s)"
# Without a display, and waited for to the end: Wine's desktop process, which
# imports the X clipboard, must start anew on the test's display.
if ! (unset DISPLAY WAYLAND_DISPLAY && timeout 300 wine wineboot --init >/dev/null 2>&1 &&
    timeout 120 wineserver -w); then
    echo "Wine could not set up its prefix in $WINEPREFIX" >&2
    exit 1
fi

# The setup stand-ins are built beside the clipboard one.
KESTRIX_E2E_SETUP_STAND_IN=$(dirname "$stand_in")/setup_stand_in.exe \
    KESTRIX_E2E_SETUP_STAND_IN_32=$(dirname "$stand_in")/setup_stand_in32.exe \
    KESTRIX_E2E_PREFIX=$WINEPREFIX KESTRIX_E2E_CLIPBOARD_STAND_IN=$stand_in \
    KESTRIX_E2E_ONLY="install_through_wine install_in_prefix_of_its_own install_32bit_tool" \
    KESTRIX_E2E_TIMEOUT=${KESTRIX_E2E_TIMEOUT:-300} "$here/run.sh" "$1"
