# shellcheck shell=bash
# The end-to-end driver of KESTRIX.exe under Wine (see ../e2e/scenarios.sh),
# in one Wine prefix for the whole run. Its setup tool is the Windows
# stand-in e2e_setup_recorder.exe, which keeps the command line as Windows
# handed it and the clipboard as it found it after KESTRIX.exe ended.
# $program is KESTRIX.exe in the cross-build folder.
# Sourced by scenarios.sh, which sets root, here and program.
# shellcheck disable=SC2034,SC2154
readonly PROGRAM_NAME=KESTRIX.exe
PROGRAM_COMMAND=(wine "$program")
helpers=$(dirname "$program")/tests/e2e-win
# shellcheck source=scripts/lib/wine.sh
source "$here/../../scripts/lib/wine.sh"
# shellcheck source=scripts/lib/wine-x11.sh
source "$here/../../scripts/lib/wine-x11.sh"
# shellcheck source=scripts/lib/program-wine.sh
source "$here/../../scripts/lib/program-wine.sh"

unset WAYLAND_DISPLAY
driver_start() { wine_prefix_create "$root/.wine"; }
driver_stop() { wine_prefix_remove; }

install_setup_tool() { cp "$helpers/e2e_setup_recorder.exe" "$1/System/Setup.exe"; }
run_setup_tool() { timeout 30 wine "$1/System/Setup.exe"; }

close_by_frame() {
    focus_window "${1%% *}"
    press_keys alt+F4
}
