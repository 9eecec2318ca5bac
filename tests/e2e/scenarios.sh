#!/usr/bin/env bash
# The end-to-end scenarios, written once for both programs: each starts the
# real program in a folder of its own, drives it through X as a user would and
# checks what it left on disk, in its settings and on the clipboard.
#   scenarios.sh <driver.sh> <program> <tally-file>
# Each scenario appends "pass NAME" or "fail NAME" to the tally; run.sh
# counts them and bounds the whole run in time.
#
# The windows are driven through scripts/lib/program.sh. A driver (linux.sh
# for kestrix, ../e2e-win/driver.sh for KESTRIX.exe) sources the program's
# half of it and defines what else differs: PROGRAM_NAME, PROGRAM_COMMAND,
# SKIPPED (scenarios it cannot drive), driver_start / driver_stop (what the
# run needs beyond the display), make_game FOLDER (the demo game with the
# stand-in setup tool), pick_package WINDOW ENTRY COUNT, clipboard_text GAME,
# close_by_frame WINDOW and, where the setup tool sees more than its
# arguments, expect_launch_details GAME PACKAGE.
# To add a scenario: write one function here from these calls, keep its
# expected files under expected/, and add its name to the list at the end.
# Setting up differs only in data (a game folder with blanks, a UTF-8
# manifest: a path given to make_game, a manifest under expected/). What a
# program does its own way becomes one more driver call that both drivers
# define (a file held open during Uninstall: flock on Linux, a Windows
# program opening it without sharing under Wine); what a driver cannot do
# goes into its SKIPPED with the reason beside it.
set -uo pipefail

driver=$1 program=$2 tally=$3
here=$(cd "$(dirname "$0")" && pwd)
demo_game=$(cd "$here/../../examples/demo-game" && pwd)
expected=$here/expected
# shellcheck source=scripts/lib/x11.sh
source "$here/../../scripts/lib/x11.sh"
# Under /tmp itself, so that the directory lists show the same few rows on
# every machine: Z:\, tmp, this folder, then a scenario's folder.
root=$(realpath "$(mktemp -d /tmp/kestrix-e2e.XXXXXX)")
# shellcheck source=tests/e2e/linux.sh
source "$driver"
# shellcheck source=scripts/lib/program.sh
source "$here/../../scripts/lib/program.sh"
cleanup() {
    stop_kestrix
    driver_stop
    stop_display
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 143' TERM INT
start_display "$root/.display" && driver_start || exit 1

# ---- the program's windows and the checks --------------------------------

# Types $2 over the text of the uninstaller's box, then Uninstall.
type_and_uninstall() {
    click_package_text "$1"
    focus_window "${1%% *}"
    press_keys End shift+Home
    type_text "$2"
    step "typed $2"
    click "$1" UNINSTALL
}

install_first_package() {
    pick_first_file "$1"
    click "$1" INSTALL
}

step() { echo "  - $*"; }
fail() {
    echo "not ok: $*" >&2
    return 1
}
expect_equal() { # what actual expected
    [ "$2" = "$3" ] || fail "$1 is \"$2\", not \"$3\""
}
expect_files() { # present|missing FILE...
    local state=$1 file
    for file in "${@:2}"; do
        [ "$([ -f "$file" ] && echo present || echo missing)" = "$state" ] || fail "$file is not $state"
    done
}
expect_same_bytes() { # file expected-file
    cmp -s "$1" "$2" || fail "$1 differs from $2: $(cmp "$1" "$2" 2>&1)"
}

# A host path as the program shows and stores it: Wine's Z: is the whole file
# system.
windows_path() { echo "Z:${1//\//\\}"; }

# Waits for a message box, checks that its text holds $1, and dismisses it
# with Return, as a user would with the keyboard.
expect_message() {
    local box text
    box=$(await main not) || return 1
    text=$(message_text "${box%% *}")
    step "message box says: $text"
    [[ "$text" == *"$1"* ]] || fail "the message box says \"$text\", not \"$1\""
    focus_window "${box%% *}"
    press_keys Return
    wait_window_gone "${box%% *}"
}

# Waits until the program has ended and checks that it ended with status $1.
expect_exit() {
    wait_process_end "$KESTRIX_PID" || fail "$PROGRAM_NAME is still running after ${WAIT_SECONDS}s"
    local status=0
    wait "$KESTRIX_PID" || status=$?
    rm -f "$root/kestrix.pid"
    expect_equal "$PROGRAM_NAME's exit status" "$status" "$1"
}

# After Install: the program has ended, and the stand-in setup tool of game
# $1 was given "install" and package $2's Windows path as one argument.
expect_setup_run() {
    expect_exit 0
    # Only now may the tool look: nothing of the program runs any more but
    # what keeps the clipboard.
    : >"$1/System/go"
    local record=$1/System/Setup.record deadline=$((SECONDS + WAIT_SECONDS))
    until [ -f "$record" ]; do
        [ $SECONDS -lt $deadline ] || fail "the setup tool left no record within ${WAIT_SECONDS}s"
        sleep 0.1
    done
    step "the setup tool got: $(tr '\n' '|' <"$record")"
    expect_equal "the setup tool's arguments" "$(cat "$record")" "install"$'\n'"$(windows_path "$2")"
    expect_clipboard "$1"
    ! declare -F expect_launch_details >/dev/null || expect_launch_details "$1" "$2"
}

# The clipboard holds game folder $1 after the program has ended (the driver
# may read it through the game's setup tool).
expect_clipboard() {
    local text
    text=$(clipboard_text "$1")
    step "the clipboard holds: $text"
    expect_equal "the clipboard after $PROGRAM_NAME ended" "$text" "$(windows_path "$1")"
}

# ---- scenarios -----------------------------------------------------------

# A first start: the user double-clicks through the folders to the game,
# picks a package from the list and uninstalls it.
uninstall_picked_package() {
    local dir=$root/first-uninstall game=$root/first-uninstall/UT main uninstaller
    make_game "$game"
    start_kestrix "$dir"
    main=$(await main)
    expect_centred "${main%% *}"
    # The list opens on the current folder: Z:\, tmp, the run's folder, this
    # scenario's folder, then its only subfolder, UT.
    open_row "$main" DIR1 4
    step "double-clicked UT"
    click "$main" UNINSTALL_UMOD
    uninstaller=$(await uninstaller)
    expect_centred "${uninstaller%% *}"
    expect_equal "the stored game folder" "$(stored_path UTPath)" "$(windows_path "$game")"
    # The manifest lists Rooftops, then NightSkies.
    pick_package "$uninstaller" 2 2
    click "$uninstaller" UNINSTALL
    expect_message "done"
    expect_files missing "$game/Textures/Stars.utx" "$game/System/NightSkies.int" "$game/System/manifest.new"
    # Rooftops lists NightSky.utx as well, so it stays.
    expect_files present "$game/Textures/NightSky.utx" "$game/Textures/RooftopTex.utx" \
        "$game/Maps/DM-Rooftops.unr" "$game/System/De.u"
    expect_same_bytes "$game/System/Manifest.ini" "$expected/Manifest-without-NightSkies.ini"
    expect_same_bytes "$game/System/manifest.bak" "$demo_game/System/Manifest.ini"
    # The window stays for another removal until Exit.
    uninstaller=$(await uninstaller)
    click "$uninstaller" UNINSTALLER_EXIT
    expect_exit 0
}

# The user types a package's name instead of picking it: first one that is
# not installed (any more), which changes nothing, then one that is.
uninstall_typed_package() {
    local game=$root/typed-uninstall/UT uninstaller
    make_game "$game"
    cp "$expected/Manifest-without-NightSkies.ini" "$game/System/Manifest.ini"
    rm "$game/Textures/Stars.utx" "$game/System/NightSkies.int"
    store_setting UTPath "$(windows_path "$game")"
    start_kestrix "$(dirname "$game")"
    uninstaller=$(open_through UNINSTALL_UMOD uninstaller)
    type_and_uninstall "$uninstaller" NightSkies
    expect_message "No package named \"NightSkies\" is installed. Nothing was changed."
    expect_same_bytes "$game/System/Manifest.ini" "$expected/Manifest-without-NightSkies.ini"
    expect_files missing "$game/System/manifest.bak" "$game/System/manifest.new"
    type_and_uninstall "$uninstaller" Rooftops
    expect_message "done"
    # Nothing lists NightSky.utx any more; the base game still lists De.u.
    expect_files missing "$game/Maps/DM-Rooftops.unr" "$game/Maps/CTF-Rooftops.unr" \
        "$game/Textures/RooftopTex.utx" "$game/Textures/NightSky.utx" \
        "$game/Music/Rooftops.umx" "$game/System/Rooftops.int" "$game/System/manifest.new"
    expect_files present "$game/System/De.u" "$game/System/Setup.exe"
    expect_same_bytes "$game/System/Manifest.ini" "$expected/Manifest-without-both.ini"
    expect_same_bytes "$game/System/manifest.bak" "$expected/Manifest-without-NightSkies.ini"
    click "$uninstaller" UNINSTALLER_EXIT
    expect_exit 0
}

# The game folder is remembered from an earlier start; the user goes up from
# it to the package folder in the installer, picks a package and installs it.
install_package() {
    local dir=$root/install installer
    mkdir -p "$dir/Packages"
    make_game "$dir/UT"
    cp "$demo_game/Mods/IceStation.umod" "$dir/Packages/IceStation.umod"
    # A blank in the name must stay inside the quotes.
    cp "$demo_game/Mods/DesertRuins.umod" "$dir/Packages/Desert Ruins.umod"
    store_setting UTPath "$(windows_path "$dir/UT")"
    start_kestrix "$dir"
    installer=$(open_through INSTALL_UMOD installer)
    expect_centred "${installer%% *}"
    # With no package folder stored, the lists open on the game folder:
    # Z:\, tmp, the run's folder, this scenario's folder, UT.
    open_row "$installer" DIR2 3
    open_row "$installer" DIR2 4
    # The file list shows Desert Ruins.umod, then IceStation.umod.
    install_first_package "$installer"
    expect_setup_run "$dir/UT" "$dir/Packages/Desert Ruins.umod"
    expect_equal "the stored package folder" "$(stored_path UMODPath)" "$(windows_path "$dir/Packages")"
    expect_equal "the stored game folder" "$(stored_path UTPath)" "$(windows_path "$dir/UT")"
}

# The start after an installation opens on the stored folders, wherever the
# program starts: Install Umod, the first package and Install need no
# browsing. A package in the game folder would come first if the installer
# opened there.
install_again_from_stored_folders() {
    local dir=$root/install installer
    [ -n "$(stored_path UMODPath)" ] || fail "the installation before this one stored no package folder"
    rm -f "$dir/UT/System/Setup.record"
    cp "$demo_game/Mods/IceStation.umod" "$dir/UT/Aaa.umod"
    mkdir -p "$root/elsewhere"
    start_kestrix "$root/elsewhere"
    installer=$(open_through INSTALL_UMOD installer)
    install_first_package "$installer"
    expect_setup_run "$dir/UT" "$dir/Packages/Desert Ruins.umod"
}

# A folder without a manifest chosen as the game folder: the uninstaller says
# so and stays, and the program goes on until Exit.
uninstall_without_manifest() {
    local dir=$root/no-manifest main uninstaller
    mkdir -p "$dir/NotUT/System"
    store_setting UTPath "$(windows_path "$dir/NotUT")"
    start_kestrix "$dir"
    main=$(await main)
    click "$main" UNINSTALL_UMOD
    expect_message "File not found"
    uninstaller=$(await uninstaller)
    expect_equal "what the folder holds" "$(find "$dir/NotUT" | sort | tr '\n' ' ')" \
        "$dir/NotUT $dir/NotUT/System "
    click "$uninstaller" UNINSTALLER_EXIT
    expect_exit 0
}

# A folder without the setup tool chosen as the game folder: Install says
# which folder to choose, and the program ends as after every Install.
install_without_setup_tool() {
    local dir=$root/no-setup installer
    mkdir -p "$dir/NotUT"
    cp "$demo_game/Mods/IceStation.umod" "$dir/NotUT/"
    store_setting UTPath "$(windows_path "$dir/NotUT")"
    start_kestrix "$dir"
    installer=$(open_through INSTALL_UMOD installer)
    install_first_package "$installer"
    expect_message "Make sure you have your Main UT Directory Selected."
    expect_exit 0
    # Set before the start failed, and kept all the same.
    expect_clipboard "$dir/NotUT"
}

# Another drive picked in the main window's drive list: the directory list
# moves to that drive, and going on stores its folder. The drives are C: and
# Z:; the program starts on Z:, and C:'s current folder is its root.
pick_another_drive() {
    local main installer
    mkdir -p "$root/drive"
    start_kestrix "$root/drive"
    main=$(await main)
    click "$main" DRIVE1
    focus_window "${main%% *}"
    press_keys Home Return
    click "$main" INSTALL_UMOD
    installer=$(await installer)
    expect_equal "the stored game folder" "$(stored_path UTPath)" "C:\\"
    click "$installer" INSTALLER_EXIT
    expect_exit 0
}

# Closing the main window by its frame at start ends the program, and
# nothing is stored.
close_main_window_at_start() {
    local main
    mkdir -p "$root/close"
    start_kestrix "$root/close"
    main=$(await main)
    close_by_frame "$main"
    expect_exit 0
    expect_equal "the stored game folder" "$(stored_path UTPath)" ""
}

# Names beyond ASCII: the game in "Jeux été", a package the manifest names in
# Windows-1252 while the disk holds UTF-8 names, as Wine does, one of them in
# another case ("ÉTÉ.utx" against été.utx). The user picks it from the list
# and removes it, then installs Île.umod from the stored, accented package
# folder. Nothing is typed: under Wine, xdotool changes the case of letters
# beyond ASCII.
accented_names() {
    local game="$root/accents/Jeux été/UT" packages="$root/accents/Paquets é" window
    mkdir -p "$packages"
    make_game "$game"
    printf '[\xc9t\xe9 Pack]\r\nFile=Maps\\DM-\xc9t\xe9.unr\r\nFile=Textures\\\xc9T\xc9.utx\r\n\r\n' \
        >>"$game/System/Manifest.ini"
    : >"$game/Maps/DM-Été.unr"
    : >"$game/Textures/été.utx"
    cp "$demo_game/Mods/IceStation.umod" "$packages/Île.umod"
    store_setting UTPath "$(windows_path "$game")"
    store_setting UMODPath "$(windows_path "$packages")"
    start_kestrix "$root/accents"
    window=$(open_through UNINSTALL_UMOD uninstaller)
    # The manifest lists Rooftops, NightSkies, then Été Pack.
    pick_package "$window" 3 3
    click "$window" UNINSTALL
    expect_message "done"
    expect_files missing "$game/Maps/DM-Été.unr" "$game/Textures/été.utx" "$game/System/manifest.new"
    expect_files present "$game/Textures/NightSky.utx" "$game/Textures/Stars.utx" \
        "$game/Maps/DM-Rooftops.unr" "$game/System/NightSkies.int"
    expect_same_bytes "$game/System/Manifest.ini" "$demo_game/System/Manifest.ini"
    click "$window" UNINSTALLER_EXIT
    expect_exit 0

    start_kestrix "$root/accents"
    window=$(open_through INSTALL_UMOD installer)
    # The lists open on the stored package folder, which holds Île.umod alone.
    install_first_package "$window"
    expect_setup_run "$game" "$packages/Île.umod"
}

# ---- the setup tool as players have it (through Wine) ---------------------
# Run by wine-clipboard.sh, which makes the prefix and names the cross-built
# stand-ins of tests/platform/win.

# What such a stand-in in folder $1 recorded (UTF-16): its own path, its
# command line, then install and the package as each reading of that line
# finds them.
stand_in_record() {
    local record=$1/arguments.txt deadline=$((SECONDS + WAIT_SECONDS))
    until [ -f "$record" ]; do
        [ $SECONDS -lt $deadline ] || fail "the setup tool left no record within ${WAIT_SECONDS}s"
        sleep 0.2
    done
    iconv -f UTF-16LE -t UTF-8 "$record"
}

# A game in a Wine prefix of its own, as Lutris and Proton make them, in a
# folder with blanks, and kestrix started from the menu, without WINEPREFIX:
# the tool runs in the game's prefix, on its C:, every reading of its line
# finds install and the package, and the default prefix is not set up.
install_in_prefix_of_its_own() {
    local game="${KESTRIX_E2E_PREFIX:?}/drive_c/Program Files (x86)/Unreal Tournament"
    local dir=$root/own-prefix installer record package saved=$WINEPREFIX
    mkdir -p "$game/System" "$dir/Packages"
    cp "${KESTRIX_E2E_SETUP_STAND_IN:?}" "$game/System/Setup.exe"
    cp "$demo_game/Mods/DesertRuins.umod" "$dir/Packages/Desert Ruins.umod"
    store_setting UTPath "$(windows_path "$game")"
    store_setting UMODPath "$(windows_path "$dir/Packages")"
    unset WINEPREFIX
    start_kestrix "$dir"
    export WINEPREFIX=$saved
    installer=$(open_through INSTALL_UMOD installer)
    install_first_package "$installer"
    expect_exit 0
    record=$(stand_in_record "$game/System")
    step "the setup tool recorded: $(echo "$record" | tr '\n' '|')"
    package=$(windows_path "$dir/Packages/Desert Ruins.umod")
    case "$(echo "$record" | head -1)" in
        [Cc]:\\*\\System\\Setup.exe) ;;
        *) fail "the setup tool did not run in its own prefix, on its drive C:" ;;
    esac
    expect_equal "what each reading finds" "$(echo "$record" | tail -n +3)" \
        "argv|install|$package"$'\n'"shell|install|$package"$'\n'"blank|install|$package"
    expect_files missing "$HOME/.wine/system.reg"
}

# The game's setup tool is a 32-bit program. Where Wine has no 32-bit part
# (wine32:i386), Install says what is missing and how to add it; where it has
# one, the tool runs.
install_32bit_tool() {
    local dir=$root/setup32 installer
    mkdir -p "$dir/Packages"
    make_game "$dir/UT"
    cp "${KESTRIX_E2E_SETUP_STAND_IN_32:?}" "$dir/UT/System/Setup.exe"
    cp "$demo_game/Mods/IceStation.umod" "$dir/Packages/"
    store_setting UTPath "$(windows_path "$dir/UT")"
    store_setting UMODPath "$(windows_path "$dir/Packages")"
    start_kestrix "$dir"
    installer=$(open_through INSTALL_UMOD installer)
    install_first_package "$installer"
    if [ -x /usr/lib/wine/wine ]; then
        stand_in_record "$dir/UT/System" >/dev/null
    else
        expect_message "cannot run 32-bit programs"
    fi
    expect_exit 0
}

# ---- running them --------------------------------------------------------

# Runs scenario $1 with fresh settings, prints PASS or FAIL with its steps
# (and the program's own output when it failed), and counts it in $tally.
run_scenario() {
    local name=$1 log=$root/$1.log result
    # A scenario named install_again_* goes on from the one before it.
    [[ $name == install_again_* ]] || forget_settings
    # Not on the left of || or &&, where bash would ignore set -e inside.
    (
        set -e
        shopt -s inherit_errexit
        [ -z "${KESTRIX_E2E_TRACE:-}" ] || set -x
        "$name"
    ) >"$log" 2>&1
    result=$?
    stop_kestrix
    if [ "$result" -eq 0 ]; then result=pass; else result=fail; fi
    echo "${result^^} $name" && echo "$result $name" >>"$tally"
    sed 's/^/    /' "$log"
    if [ $result = fail ]; then
        echo "    ($PROGRAM_NAME's output:)"
        tail -n 20 "$root/kestrix.log" 2>/dev/null | sed 's/^/    /'
    fi
    : >"$root/kestrix.log"
}

for scenario in ${KESTRIX_E2E_ONLY:-uninstall_picked_package uninstall_typed_package \
    install_package install_again_from_stored_folders uninstall_without_manifest \
    install_without_setup_tool pick_another_drive close_main_window_at_start accented_names}; do
    if [[ " $SKIPPED " == *" $scenario "* ]]; then
        echo "SKIP $scenario ($PROGRAM_NAME cannot be driven so here)"
    else
        run_scenario "$scenario"
    fi
done
