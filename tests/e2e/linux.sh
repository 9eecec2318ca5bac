# shellcheck shell=bash
# The end-to-end driver of kestrix, the Linux program (see scenarios.sh): it
# runs with a home of the run's own, whose settings and Wine drives nothing of
# the user's leaks into; its setup tool is setup-recorder.sh, or the Windows
# stand-in KESTRIX_E2E_SETUP_TOOL names (wine-clipboard.sh). With no
# clipboard manager on the display, what is pasted after it ended is what
# kestrix-clipboard kept.
# shellcheck disable=SC2034
readonly PROGRAM_NAME=kestrix ROW_PIXELS=$DIR_ROW_PIXELS
# Without a window manager there is no frame to close a window by.
readonly SKIPPED=close_main_window_at_start
home=$root/.home

driver_start() {
    unset XDG_CONFIG_HOME XDG_CONFIG_DIRS XDG_DATA_HOME QT_QPA_PLATFORM QT_SCALE_FACTOR \
        QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
    export XDG_RUNTIME_DIR=$root/.runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # The drives, as Wine keeps them: C: and Z:, the whole file system.
    mkdir -p "$home/.wine/dosdevices" "$home/.wine/drive_c"
    ln -s ../drive_c "$home/.wine/dosdevices/c:"
    ln -s / "$home/.wine/dosdevices/z:"
}
driver_stop() { :; }

start_kestrix() {
    (cd "$1" && HOME=$home exec "$program") >>"$root/kestrix.log" 2>&1 &
    KESTRIX_PID=$!
    echo "$KESTRIX_PID" >"$root/kestrix.pid"
    step "started kestrix in $1"
}

make_game() {
    mkdir -p "$(dirname "$1")"
    cp -R "$demo_game" "$1"
    install -m 755 "${KESTRIX_E2E_SETUP_TOOL:-$here/setup-recorder.sh}" "$1/System/Setup.exe"
}

settings=$home/.config/KESTRIX/KESTRIX.ini
forget_settings() { rm -f "$settings"; }

# Stores folder $2 in section $1 as the program writes it: Qt's INI form
# doubles each backslash.
store_setting() {
    mkdir -p "$(dirname "$settings")"
    printf '[%s]\nPath=%s\n\n' "$1" "$(windows_path "$2" | sed 's/\\/\\\\/g')" >>"$settings"
}

stored_path() {
    [ ! -f "$settings" ] || awk -v section="[$1]" '/^\[/ { inside = ($0 == section) }
        inside && /^Path=/ { sub(/^Path=/, ""); print; exit }' "$settings" | sed 's/\\\\/\\/g'
}

# Qt draws no frame: the window is its client area. A message box is told
# apart from the main window by its size.
find_window() { wait_window "$1" "$2x$3" "${4:-}"; }
click_in() { "${4:-click_at}" "${1%% *}" "$2" "$3"; }
clipboard_text() { timeout 5 xclip -o -selection clipboard -t UTF8_STRING 2>&1; }

# Opens the box's drop-down list by its arrow and clicks entry $2 of the $3.
pick_package() {
    local popup height row
    click_in "$1" $(((COMBO1[0] + COMBO1[2]) / TWIPS_PER_PIXEL - 8)) $(((COMBO1[1] + COMBO1[3] / 2) / TWIPS_PER_PIXEL))
    popup=$(wait_popup KESTRIX) || return 1
    height=$(window_size "$popup")
    row=$(((${height#*x} - 2) / $3))
    click_at "$popup" 40 $((1 + ($2 - 1) * row + row / 2))
    wait_window_gone "$popup"
    step "picked entry $2"
}

# A Windows stand-in, started through Wine, found the game folder on the
# clipboard through Wine's bridge to the X clipboard.
if [ -n "${KESTRIX_E2E_SETUP_TOOL:-}" ]; then
    expect_launch_details() {
        expect_equal "the clipboard the setup tool found" \
            "$(tr -d '\r\n' <"$1/System/Setup.clipboard")" "$(windows_path "$1")"
    }
fi
