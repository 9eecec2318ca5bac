# shellcheck shell=bash
# Finding and clicking Wine's windows on an X display with no window manager,
# on top of x11.sh. With the X11 driver's Managed=N, every window of
# a Windows program is an X window of its own that Wine places itself
# (override-redirect) and whose frame Wine draws inside it: the client area
# sits inside the X window, offset by the frame.
# shellcheck disable=SC2034

# The windows' client areas in pixels at 96 dots per inch, from their layouts.
readonly MAIN_CLIENT=(382 300)      # Form1, 5730 x 4500 twips
readonly INSTALLER_CLIENT=(384 284) # Form2, 5760 x 4260 twips
readonly UNINSTALLER_CLIENT=(389 285) # Form3, 5835 x 4275 twips
# A directory list's row at 96 dots per inch: the label height of the
# layouts, 255 twips.
readonly WIN_DIR_ROW_PIXELS=17

# The visible X windows titled exactly $1, Wine's own placed ones included.
wine_windows_titled() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null
}

# Waits for a window titled $1 whose client area is $2 x $3 pixels (or, with
# $4 = "not", of any other size); prints its id.
wait_wine_window() {
    local title=$1 width=$2 height=$3 negate=${4:-}
    local deadline=$((SECONDS + WAIT_SECONDS)) id
    while [ $SECONDS -lt $deadline ]; do
        for id in $(wine_windows_titled "$title"); do
            if client_is "$id" "$width" "$height"; then
                [ -z "$negate" ] && { echo "$id"; return 0; }
            else
                [ -n "$negate" ] && { echo "$id"; return 0; }
            fi
        done
        sleep 0.1
    done
    echo "not ok: no window titled \"$title\" (${negate:+not }${width}x$height) appeared within ${WAIT_SECONDS}s" >&2
    describe_windows >&2
    return 1
}

# Whether window $1's frame holds a client area of $2 x $3: a frame as wide
# at the left, right and bottom, and a caption above.
client_is() {
    local size outer_width outer_height
    size=$(window_size "$1")
    outer_width=${size%x*}
    outer_height=${size#*x}
    local side=$(((outer_width - $2) / 2))
    [ "$side" -gt 0 ] && [ $((outer_width - 2 * side)) -eq "$2" ] &&
        [ $((outer_height - $3 - side)) -gt "$side" ]
}

# "X Y" of the client area's top-left inside window $1 with client $2 x $3.
client_origin() {
    local size outer_width outer_height side
    size=$(window_size "$1")
    outer_width=${size%x*}
    outer_height=${size#*x}
    side=$(((outer_width - $2) / 2))
    echo "$side $((outer_height - $3 - side))"
}

# Clicks the middle of a control given in twips: window, client width and
# height in pixels, LEFT TOP WIDTH HEIGHT.
wine_click_control() {
    local origin x y
    origin=$(client_origin "$1" "$2" "$3")
    read -r x y <<<"$(control_centre "$4" "$5" "$6" "$7")"
    click_at "$1" $((x + ${origin% *})) $((y + ${origin#* }))
}

# Clicks at client pixel $4, $5 of window $1 whose client is $2 x $3; $6
# names another clicker of x11.sh, such as double_click_at.
wine_click_at() {
    local origin
    origin=$(client_origin "$1" "$2" "$3")
    "${6:-click_at}" "$1" $(($4 + ${origin% *})) $(($5 + ${origin#* }))
}

# Double-clicks row $6 (0 is the top one) of a directory list at LEFT $4,
# TOP $5 twips in window $1 whose client is $2 x $3.
wine_double_click_dir_row() {
    local window=$1 width=$2 height=$3 left=$4 top=$5 row=$6
    wine_click_at "$window" "$width" "$height" $((left / TWIPS_PER_PIXEL + 40)) \
        $((top / TWIPS_PER_PIXEL + 1 + row * WIN_DIR_ROW_PIXELS + WIN_DIR_ROW_PIXELS / 2)) \
        double_click_at
}
