# shellcheck shell=bash
# The end-to-end driver of kestrix, the Linux program (see scenarios.sh): it
# runs with a home of the run's own, whose settings and Wine drives nothing of
# the user's leaks into; its setup tool is setup-recorder.sh, or the Windows
# stand-in KESTRIX_E2E_SETUP_TOOL names (wine-clipboard.sh), started through
# Wine in a prefix of the run's own. With no clipboard manager on the display,
# what is pasted after kestrix ended is what kestrix-clipboard kept. Without a
# window manager there is no frame to close a window by.
# Sourced by scenarios.sh, which sets root, here and program.
# shellcheck disable=SC2034,SC2154
readonly PROGRAM_NAME=kestrix
PROGRAM_COMMAND=("$program")
windows_tool=${KESTRIX_E2E_SETUP_TOOL:-}
# shellcheck source=scripts/lib/wine.sh
source "$here/../../scripts/lib/wine.sh"
# shellcheck source=scripts/lib/program-linux.sh
source "$here/../../scripts/lib/program-linux.sh"

unset XDG_CONFIG_HOME XDG_CONFIG_DIRS XDG_DATA_HOME QT_QPA_PLATFORM QT_SCALE_FACTOR \
    QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING WINEPREFIX
export XDG_RUNTIME_DIR=$root/.runtime HOME=$root/.home
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The drives, as Wine keeps them: C: and Z:, the whole file system.
mkdir -p "$HOME/.wine/dosdevices" "$HOME/.wine/drive_c"
ln -s ../drive_c "$HOME/.wine/dosdevices/c:"
ln -s / "$HOME/.wine/dosdevices/z:"

# The Windows stand-in's prefix, made on the run's display, where Wine's
# desktop process then bridges the clipboard to X.
driver_start() { [ -z "$windows_tool" ] || wine_prefix_create "$root/.prefix"; }
driver_stop() { [ -z "$windows_tool" ] || wine_prefix_remove; }

install_setup_tool() { install -m 755 "${windows_tool:-$here/setup-recorder.sh}" "$1/System/Setup.exe"; }
run_setup_tool() { timeout 30 ${windows_tool:+wine} "$1/System/Setup.exe"; }
