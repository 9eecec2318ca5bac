# shellcheck shell=bash
# The end-to-end driver of KESTRIX.exe under Wine (see ../e2e/scenarios.sh),
# in one Wine prefix for the whole run. Its setup tool is the Windows
# stand-in e2e_setup_recorder.exe, which also keeps the command line as
# Windows handed it and the clipboard as it found it after KESTRIX.exe ended.
# $program is the cross-build folder.
# shellcheck disable=SC2034
readonly PROGRAM_NAME=KESTRIX.exe ROW_PIXELS=17 SKIPPED=""
readonly SETTINGS='Software\VB and VBA Program Settings\KESTRIX'
helpers=$program/tests/e2e-win
# shellcheck source=scripts/lib/wine.sh
source "$here/../../scripts/lib/wine.sh"
# shellcheck source=scripts/lib/wine-x11.sh
source "$here/../../scripts/lib/wine-x11.sh"

driver_start() {
    unset WAYLAND_DISPLAY
    wine_prefix_create "$root/.wine"
}
driver_stop() { wine_prefix_remove; }

start_kestrix() {
    (cd "$1" && exec wine "$program/KESTRIX.exe") >>"$root/kestrix.log" 2>&1 &
    KESTRIX_PID=$!
    echo "$KESTRIX_PID" >"$root/kestrix.pid"
    step "started KESTRIX.exe in $1"
}

make_game() {
    mkdir -p "$(dirname "$1")"
    cp -R "$demo_game" "$1"
    cp "$helpers/e2e_setup_recorder.exe" "$1/System/Setup.exe"
}

forget_settings() {
    timeout 30 wine reg delete "HKEY_CURRENT_USER\\$SETTINGS" /f >/dev/null 2>&1 || true
}
store_setting() {
    timeout 30 wine reg add "HKEY_CURRENT_USER\\$SETTINGS\\$1" /v Path /t REG_SZ \
        /d "$(windows_path "$2")" /f >/dev/null 2>&1 || fail "could not store $1"
}
stored_path() { wine_registry_value "$SETTINGS\\$1" Path; }

find_window() { wait_wine_window "$@"; }
click_in() {
    local id width height
    read -r id width height <<<"$1"
    wine_click_at "$id" "$width" "$height" "$2" "$3" "${4:-}"
}

# Picks entry $2 with the arrow keys in the box's text field.
pick_package() {
    click_in "$1" $((COMBO1[0] / TWIPS_PER_PIXEL + 40)) $(((COMBO1[1] + COMBO1[3] / 2) / TWIPS_PER_PIXEL))
    focus_window "${1%% *}"
    local i
    for ((i = 0; i < $2; i++)); do press_keys Down; done
    step "picked entry $2"
}

close_by_frame() {
    focus_window "${1%% *}"
    press_keys alt+F4
}

# The recorder, run on its own in a folder of its own, keeps what the
# clipboard holds now.
clipboard_text() {
    mkdir -p "$root/clipboard" && rm -f "$root/clipboard/Setup."*
    cp "$helpers/e2e_setup_recorder.exe" "$root/clipboard/reader.exe"
    : >"$root/clipboard/go"
    timeout 30 wine "$root/clipboard/reader.exe" && tr -d '\r\n' <"$root/clipboard/Setup.clipboard"
}

# KESTRIX.exe hands over the tool's path unquoted; Wine, having found the
# program behind a blank in it, puts it in quotes in the line the program
# gets, and leaves the rest as it was given. The tool itself found the game
# folder on the clipboard.
expect_launch_details() {
    local tool package
    tool="$(windows_path "$1")\\System\\setup.exe"
    [[ $tool != *" "* ]] || tool="\"$tool\""
    package=$(windows_path "$2")
    expect_equal "the setup tool's command line" "$(tr -d '\r\n' <"$1/System/Setup.cmdline")" \
        "$tool install \"$package\""
    expect_equal "the clipboard the setup tool found" "$(tr -d '\r\n' <"$1/System/Setup.clipboard")" \
        "$(windows_path "$1")"
}
