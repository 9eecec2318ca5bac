# shellcheck shell=bash
# The layout constants below are used by the scripts that source this file.
# shellcheck disable=SC2034
# Driving the real program under a virtual X display, as a user would: windows
# are found by their titles, controls by their places in the windows' layouts,
# and input goes in through the X server (XTEST), not through Qt.
# Sourced by the end-to-end tests, the screenshots, the package check and the
# benchmarks (through program.sh where they drive a program); needs Xvfb, xdotool
# and xwininfo (x11-utils).

# Every wait is bounded: a window that does not come is a failure, not a hang.
: "${WAIT_SECONDS:=15}"

# The layouts are drawn in twips, 15 to the pixel at 96 dots per inch.
readonly TWIPS_PER_PIXEL=15
# A row of the directory lists: a 16-pixel icon and 8-point text, with the
# item's margins.
readonly DIR_ROW_PIXELS=18
readonly SCREEN_WIDTH=1024 SCREEN_HEIGHT=768

# The windows' controls: LEFT TOP WIDTH HEIGHT in twips, from their layouts;
# the scripts that source this file click them.
readonly MAIN_SIZE=382x300 # Form1's client area, 5730 x 4500 twips
readonly DIR1=(960 480 3735 2340)
readonly DRIVE1=(960 3000 2535 315)
readonly MAIN_EXIT=(600 3720 1215 495)
readonly UNINSTALL_UMOD=(2160 3720 1215 495)
readonly INSTALL_UMOD=(3720 3720 1215 495)
readonly DIR2=(120 840 2535 1890)
readonly FILE1=(2880 840 2655 1845)
readonly INSTALL=(2880 3600 1695 495)
readonly INSTALLER_EXIT=(960 3600 1695 495)
readonly COMBO1=(840 720 4095 315)
readonly UNINSTALLER_EXIT=(840 3480 1575 495)
readonly UNINSTALL=(3360 3480 1575 495)

# Waits, bounded, for a process to end; false when it is still running.
wait_process_end() {
    local deadline=$((SECONDS + WAIT_SECONDS))
    while kill -0 "$1" 2>/dev/null; do
        if [ $SECONDS -ge $deadline ]; then
            return 1
        fi
        sleep 0.1
    done
}

# Starts Xvfb on a display number it finds free itself, and exports DISPLAY.
# -noreset: by default Xvfb resets whenever its last client leaves, and a
# program that connects during the reset is refused; between two scenarios
# that refusal made a run fail now and then.
# $1: a file that receives the display number.
start_display() {
    local number_file=$1
    : >"$number_file"
    Xvfb -noreset -displayfd 3 -screen 0 "${SCREEN_WIDTH}x${SCREEN_HEIGHT}x24" -nolisten tcp 3>"$number_file" \
        >"$number_file.log" 2>&1 &
    XVFB_PID=$!
    local deadline=$((SECONDS + WAIT_SECONDS))
    until [ -s "$number_file" ]; do
        if [ $SECONDS -ge $deadline ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
            echo "Xvfb did not start:" >&2
            cat "$number_file.log" >&2
            return 1
        fi
        sleep 0.1
    done
    DISPLAY=":$(head -n 1 "$number_file")"
    export DISPLAY
}

stop_display() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=
    fi
}

# The visible top-level windows titled exactly $1, drop-down lists left out.
windows_titled() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        if ! is_popup "$id"; then
            echo "$id"
        fi
    done
}

# A drop-down list is a window of its own, placed by the program itself
# (override-redirect), untitled.
is_popup() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Override Redirect State: yes'
}

# The visible drop-down lists of the program whose X class is $1.
popup_windows() {
    local id
    for id in $(xdotool search --onlyvisible --class "^$1\$" 2>/dev/null); do
        if is_popup "$id"; then
            echo "$id"
        fi
    done
}

# "WIDTHxHEIGHT" of a window.
window_size() {
    xwininfo -id "$1" | awk '/^  Width:/ {w = $2} /^  Height:/ {h = $2} END {print w "x" h}'
}

# "LEFT TOP" of a window on the screen.
window_position() {
    xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
        END {print x, y}'
}

# Every window of the program opens in the middle of the screen.
expect_centred() {
    local size position width height
    size=$(window_size "$1")
    position=$(window_position "$1")
    width=${size%x*}
    height=${size#*x}
    if [ "$position" != "$(((SCREEN_WIDTH - width) / 2)) $(((SCREEN_HEIGHT - height) / 2))" ]; then
        echo "not ok: window $1 ($size) is at ${position/ /,}, not in the middle of the screen" >&2
        return 1
    fi
}

describe_windows() {
    local id
    echo "  visible windows:"
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        echo "    $id \"$(xdotool getwindowname "$id")\" $(window_size "$id")"
    done
}

# Waits for a window titled $1; with $2 ("WIDTHxHEIGHT"), one of that size,
# with $3 = "not", one of any other size. Prints its id.
wait_window() {
    local title=$1 size=${2:-} negate=${3:-}
    local deadline=$((SECONDS + WAIT_SECONDS)) id
    while [ $SECONDS -lt $deadline ]; do
        for id in $(windows_titled "$title"); do
            if [ -z "$size" ]; then
                echo "$id"
                return 0
            fi
            local actual
            actual=$(window_size "$id")
            if { [ -z "$negate" ] && [ "$actual" = "$size" ]; } ||
                { [ -n "$negate" ] && [ "$actual" != "$size" ]; }; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    echo "not ok: no window titled \"$title\"${size:+ ($negate $size)} appeared within ${WAIT_SECONDS}s" >&2
    describe_windows >&2
    return 1
}

wait_popup() {
    local deadline=$((SECONDS + WAIT_SECONDS)) id
    while [ $SECONDS -lt $deadline ]; do
        id=$(popup_windows "$1" | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "not ok: no drop-down list appeared within ${WAIT_SECONDS}s" >&2
    return 1
}

# Waits until window $1 is no longer shown.
wait_window_gone() {
    local deadline=$((SECONDS + WAIT_SECONDS))
    while [ $SECONDS -lt $deadline ]; do
        if ! xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            return 0
        fi
        sleep 0.1
    done
    echo "not ok: window $1 is still shown after ${WAIT_SECONDS}s" >&2
    return 1
}

# The pixel at the middle of a control placed at LEFT TOP WIDTH HEIGHT twips.
control_centre() {
    echo "$((($1 + $3 / 2) / TWIPS_PER_PIXEL)) $((($2 + $4 / 2) / TWIPS_PER_PIXEL))"
}

# Clicks at X Y inside window $1.
click_at() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

double_click_at() {
    xdotool mousemove --window "$1" "$2" "$3" click --repeat 2 --delay 60 1
}

# Clicks the middle of a control given in twips: window LEFT TOP WIDTH HEIGHT.
click_control() {
    # shellcheck disable=SC2046
    click_at "$1" $(control_centre "$2" "$3" "$4" "$5")
}

# The pixel row of entry $2 (0 is the top one) of a list whose top is at $1
# twips (the list's frame is one pixel).
list_entry_y() {
    echo $(($1 / TWIPS_PER_PIXEL + 1 + $2 * DIR_ROW_PIXELS + DIR_ROW_PIXELS / 2))
}

# Double-clicks entry $4 of a directory list at LEFT $2, TOP $3 twips in
# window $1.
double_click_dir_entry() {
    double_click_at "$1" $(($2 / TWIPS_PER_PIXEL + 40)) "$(list_entry_y "$3" "$4")"
}

# Gives window $1 the keyboard: with no window manager, a click does not.
focus_window() {
    timeout 5 xdotool windowfocus --sync "$1"
}

press_keys() {
    xdotool key --clearmodifiers "$@"
}

type_text() {
    xdotool type --delay 20 -- "$1"
}
