# shellcheck shell=bash
# The end-to-end driver of KESTRIX.exe under Wine (see ../e2e/scenarios.sh),
# in one Wine prefix for the whole run. Its setup tool is the Windows
# stand-in e2e_setup_recorder.exe, which also keeps the command line as
# Windows handed it and the clipboard as it found it after KESTRIX.exe ended.
# $program is KESTRIX.exe in the cross-build folder.
# Sourced by scenarios.sh, which sets root, here, demo_game and program.
# shellcheck disable=SC2034,SC2154
readonly PROGRAM_NAME=KESTRIX.exe SKIPPED=""
PROGRAM_COMMAND=(wine "$program")
helpers=$(dirname "$program")/tests/e2e-win
# shellcheck source=scripts/lib/wine.sh
source "$here/../../scripts/lib/wine.sh"
# shellcheck source=scripts/lib/wine-x11.sh
source "$here/../../scripts/lib/wine-x11.sh"
# shellcheck source=scripts/lib/program-wine.sh
source "$here/../../scripts/lib/program-wine.sh"

driver_start() {
    unset WAYLAND_DISPLAY
    wine_prefix_create "$root/.wine"
}
driver_stop() { wine_prefix_remove; }

make_game() {
    mkdir -p "$(dirname "$1")"
    cp -R "$demo_game" "$1"
    cp "$helpers/e2e_setup_recorder.exe" "$1/System/Setup.exe"
}

# Picks entry $2 with the arrow keys in the box's text field.
pick_package() {
    click_package_text "$1"
    focus_window "${1%% *}"
    local i
    for ((i = 0; i < $2; i++)); do press_keys Down; done
    step "picked entry $2"
}

close_by_frame() {
    focus_window "${1%% *}"
    press_keys alt+F4
}

# What the clipboard held once KESTRIX.exe had ended, as the setup tool of
# game $1 found it; where the game has none, the recorder, run on its own in
# a folder of its own, reads it now.
clipboard_text() {
    local record=$1/System/Setup.clipboard
    if [ ! -f "$record" ]; then
        record=$root/clipboard/Setup.clipboard
        mkdir -p "$root/clipboard" && rm -f "$record"
        cp "$helpers/e2e_setup_recorder.exe" "$root/clipboard/reader.exe"
        : >"$root/clipboard/go"
        timeout 30 wine "$root/clipboard/reader.exe"
    fi
    tr -d '\r\n' <"$record"
}

# The line begins with the tool's name, without blanks or quotes (its short
# path, or setup.exe alone), so that a tool that reads its command after the
# first blank finds install and then the quoted package.
expect_launch_details() {
    local line
    line=$(tr -d '\r\n' <"$1/System/Setup.cmdline")
    step "the setup tool's command line: $line"
    expect_equal "the setup tool's command line after the first blank" "${line#* }" \
        "install \"$(windows_path "$2")\""
    case "${line%% *}" in
        *'"'*) fail "the setup tool's name is quoted" ;;
        *[Ss][Ee][Tt][Uu][Pp].[Ee][Xx][Ee]) ;;
        *) fail "the line does not begin with the setup tool's name" ;;
    esac
}
