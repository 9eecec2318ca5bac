# shellcheck shell=bash
# Driving either program as a user does, for the end-to-end tests and the
# screenshots alike: windows are found by their kind (main, installer,
# uninstaller), controls are clicked at their places in the forms' layouts
# (x11.sh). A window is "ID WIDTH HEIGHT": its X id and its client area.
# Source it after x11.sh and one of program-linux.sh (kestrix) or
# program-wine.sh (KESTRIX.exe under Wine), which define find_window TITLE
# WIDTH HEIGHT [not], click_in WINDOW X Y [clicker], ROW_PIXELS and the
# settings: forget_settings, store_setting SECTION WINDOWS-PATH, stored_path
# SECTION. The caller sets PROGRAM_COMMAND (how to start the program) and
# $root (where its output and process id go).
# shellcheck disable=SC2154

declare -A TITLE=([main]=KESTRIX [installer]="KESTRIX Installer" [uninstaller]="Kestrix Uninstaller")
# Client areas at 96 dots per inch, from the forms' layouts in twips.
declare -A CLIENT=([main]="382 300" [installer]="384 284" [uninstaller]="389 285")

# Starts the program in folder $1; its id goes to KESTRIX_PID and to
# $root/kestrix.pid, so that a cleanup can end it whoever started it.
start_kestrix() {
    (cd "$1" && exec "${PROGRAM_COMMAND[@]}") >>"$root/kestrix.log" 2>&1 &
    KESTRIX_PID=$!
    echo "$KESTRIX_PID" >"$root/kestrix.pid"
}

stop_kestrix() {
    if [ -s "$root/kestrix.pid" ]; then
        kill "$(cat "$root/kestrix.pid")" 2>/dev/null
        rm -f "$root/kestrix.pid"
    fi
}

# Waits for the window of kind $1 (with $2 = "not", for a message box, which
# shares the main window's title) and prints it.
await() {
    local id
    # shellcheck disable=SC2086
    id=$(find_window "${TITLE[$1]}" ${CLIENT[$1]} "${2:-}") || return 1
    echo "$id ${CLIENT[$1]}"
}

# Clicks the middle of control $2 (the name of a LEFT TOP WIDTH HEIGHT array
# in twips) in window $1.
click() {
    local -n box=$2
    click_in "$1" $(((box[0] + box[2] / 2) / TWIPS_PER_PIXEL)) $(((box[1] + box[3] / 2) / TWIPS_PER_PIXEL))
}

# Awaits the main window, clicks its button $1 and prints the window of kind
# $2 that opens.
open_through() {
    local main
    main=$(await main) && click "$main" "$1" && await "$2"
}

# Double-clicks row $3 (0 is the top one) of directory list $2 in window $1.
open_row() {
    local -n list=$2
    click_in "$1" $((list[0] / TWIPS_PER_PIXEL + 40)) \
        $((list[1] / TWIPS_PER_PIXEL + 1 + $3 * ROW_PIXELS + ROW_PIXELS / 2)) double_click_at
}

# Picks the first package of the installer's file list.
pick_first_file() {
    click_in "$1" $((FILE1[0] / TWIPS_PER_PIXEL + 40)) $((FILE1[1] / TWIPS_PER_PIXEL + 8))
}

# Clicks into the text of the uninstaller's package box.
click_package_text() {
    click_in "$1" $((COMBO1[0] / TWIPS_PER_PIXEL + 40)) $(((COMBO1[1] + COMBO1[3] / 2) / TWIPS_PER_PIXEL))
}

# Opens the uninstaller's package list by the box's arrow.
open_package_list() {
    click_in "$1" $(((COMBO1[0] + COMBO1[2]) / TWIPS_PER_PIXEL - 8)) $(((COMBO1[1] + COMBO1[3] / 2) / TWIPS_PER_PIXEL))
}
