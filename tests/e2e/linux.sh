# shellcheck shell=bash
# The end-to-end driver of kestrix, the Linux program (see scenarios.sh): it
# runs with a home of the run's own, whose settings and Wine drives nothing of
# the user's leaks into; its setup tool is setup-recorder.sh, or the Windows
# stand-in KESTRIX_E2E_SETUP_TOOL names (wine-clipboard.sh). With no
# clipboard manager on the display, what is pasted after it ended is what
# kestrix-clipboard kept.
# Sourced by scenarios.sh, which sets root, here, demo_game and program.
# shellcheck disable=SC2034,SC2154
readonly PROGRAM_NAME=kestrix
PROGRAM_COMMAND=("$program")
# Without a window manager there is no frame to close a window by.
readonly SKIPPED=close_main_window_at_start

driver_start() {
    unset XDG_CONFIG_HOME XDG_CONFIG_DIRS XDG_DATA_HOME QT_QPA_PLATFORM QT_SCALE_FACTOR \
        QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
    export XDG_RUNTIME_DIR=$root/.runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    export HOME=$root/.home
    # The drives, as Wine keeps them: C: and Z:, the whole file system.
    mkdir -p "$HOME/.wine/dosdevices" "$HOME/.wine/drive_c"
    ln -s ../drive_c "$HOME/.wine/dosdevices/c:"
    ln -s / "$HOME/.wine/dosdevices/z:"
}
driver_stop() { :; }

make_game() {
    mkdir -p "$(dirname "$1")"
    cp -R "$demo_game" "$1"
    install -m 755 "${KESTRIX_E2E_SETUP_TOOL:-$here/setup-recorder.sh}" "$1/System/Setup.exe"
}

# shellcheck source=scripts/lib/program-linux.sh
source "$here/../../scripts/lib/program-linux.sh"

clipboard_text() { timeout 5 xclip -o -selection clipboard -t UTF8_STRING 2>&1 || true; }

# Opens the box's drop-down list by its arrow and clicks entry $2 of the $3.
pick_package() {
    local popup height row
    open_package_list "$1"
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
