#!/usr/bin/env bash
# The end-to-end scenarios, written once for both programs: each starts the
# real program in a folder of its own, drives it through X as a user would and
# checks what it left on disk, in its settings, with the setup tool and on the
# clipboard. One scenario a user-visible flow; flows that start the program
# the same way share one scenario, so that each start pays for itself.
#   scenarios.sh <driver.sh> <program>
# Prints PASS or FAIL with its steps for each scenario, then "N passed,
# N failed"; exits non-zero when one failed. run.sh bounds it in time.
#
# The windows are driven through scripts/lib/program.sh. A driver (linux.sh
# for kestrix, ../e2e-win/driver.sh for KESTRIX.exe) sources the program's
# half of it and defines what else differs: PROGRAM_NAME, PROGRAM_COMMAND,
# driver_start / driver_stop (what the run needs beyond the display),
# install_setup_tool GAME and run_setup_tool GAME (the stand-in setup tool
# that records its command line and, after the program ended, the
# clipboard) and, where a window manager draws frames, close_by_frame WINDOW.
# What a game folder must hold after a step is a list under expected/: every
# file, and after " = " the fixture whose bytes it must have.
set -uo pipefail

driver=$1 program=$2
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

step() { echo "  - $*"; }
fail() {
    echo "not ok: $*" >&2
    return 1
}
expect_equal() { # what actual expected
    [ "$2" = "$3" ] || fail "$1 is \"$2\", not \"$3\""
}

# A host path as the program shows and stores it: Wine's Z: is the whole file
# system.
windows_path() { echo "Z:${1//\//\\}"; }

# The demo game, with the stand-in setup tool, in folder $1.
make_game() {
    mkdir -p "$(dirname "$1")" && cp -R "$demo_game" "$1"
    install_setup_tool "$1"
}

# Folder $1 holds the files list $2 names, none more, and those with a
# fixture have its bytes.
expect_files() {
    local path fixture
    diff <(sed 's/ = .*//' "$expected/$2") <(cd "$1" && find . -type f | cut -c3- | LC_ALL=C sort) >&2 ||
        fail "$1 does not hold what $2 lists"
    while read -r path fixture; do
        cmp "$1/$path" "$expected/$fixture" >&2 || fail "$1/$path is not $fixture"
    done < <(sed -n 's/ = / /p' "$expected/$2")
}

# Waits for a message box and dismisses it with Return, as a user would with
# the keyboard. Its words are the unit tests' concern.
dismiss_message() {
    local box
    box=$(await main not) || return 1
    focus_window "${box%% *}"
    press_keys Return
    wait_window_gone "${box%% *}"
}

# Uninstall in window $1, then game $2 holds what list $3 names.
uninstall_expecting() {
    click "$1" UNINSTALL
    dismiss_message
    expect_files "$2" "$3"
    step "uninstalled: the game holds what $3 lists"
}

# Chooses a package in window $1's box: entry $2 of its list by the arrow
# keys (the text is empty at first and after each removal), or name $2 typed
# over the text.
choose_package() {
    click_package_text "$1"
    focus_window "${1%% *}"
    if [[ $2 == [0-9] ]]; then
        # shellcheck disable=SC2046 # one key a word
        press_keys $(printf 'Down %.0s' $(seq "$2"))
    else
        press_keys End shift+Home && type_text "$2"
    fi
    step "chose $2"
}

install_first_package() {
    pick_first_file "$1"
    click "$1" INSTALL
}

# Waits until the program has ended and checks that it ended with status $1.
expect_exit() {
    wait_process_end "$KESTRIX_PID" || fail "$PROGRAM_NAME is still running after ${WAIT_SECONDS}s"
    local status=0
    wait "$KESTRIX_PID" || status=$?
    rm -f "$root/kestrix.pid"
    expect_equal "$PROGRAM_NAME's exit status" "$status" "$1"
}

# What the stand-in setup tool in folder $1 wrote in file $2 (UTF-16) once
# told to go.
tool_record() {
    local record=$1/$2 deadline=$((SECONDS + WAIT_SECONDS))
    : >"$1/go"
    until [ -f "$record" ]; do
        [ $SECONDS -lt $deadline ] || fail "the setup tool left no record within ${WAIT_SECONDS}s"
        sleep 0.1
    done
    iconv -f UTF-16LE -t UTF-8 "$record" | tr -d '\r'
}

# After Install: the program has ended; only then is the stand-in setup tool
# of game $1 told to go, so that nothing of the program runs any more but what
# keeps the clipboard. Its line begins with its name without blanks (a short
# path; Wine puts it in quotes), so that a tool that reads its command after
# the first blank finds install and then package $2, quoted.
expect_setup_run() {
    local line clipboard
    expect_exit 0
    { read -r line && read -r clipboard; } < <(tool_record "$1/System" Setup.record)
    step "the setup tool's command line: $line; the clipboard: $clipboard"
    expect_equal "the command line after its first blank" "${line#* }" "install \"$(windows_path "$2")\""
    [[ $(tr -d '"' <<<"${line%% *}") == *[Ss][Ee][Tt][Uu][Pp].[Ee][Xx][Ee] ]] ||
        fail "the line does not begin with the setup tool's name"
    expect_equal "the clipboard after $PROGRAM_NAME ended" "$clipboard" "$(windows_path "$1")"
}

# ---- scenarios -----------------------------------------------------------

# A first start: the user double-clicks through the folders to the game and
# removes packages, first picking them from the list, then typing their
# names: one no longer installed, which changes nothing, then one that is.
# The manifest names a package in Windows-1252 while the disk holds UTF-8
# names, one of them in another case ("ÉTÉ.utx" against été.utx). Nothing
# accented is typed (under Wine, xdotool changes the case of letters beyond
# ASCII), nor is the folder that the registry's reader would show (wine reg
# writes in the console's code page).
uninstall_packages() {
    local dir=$root/Jeux game=$root/Jeux/UT window
    make_game "$game"
    cp -R "$expected/ete-pack/." "$game"
    start_kestrix "$dir"
    window=$(await main)
    expect_centred "${window%% *}"
    # Z:\, tmp, the run's folder, this scenario's folder, then its only
    # subfolder, UT.
    open_row "$window" DIR1 4
    click "$window" UNINSTALL_UMOD
    window=$(await uninstaller)
    expect_centred "${window%% *}"
    expect_equal "the stored game folder" "$(stored_path UTPath)" "$(windows_path "$game")"
    # The manifest lists Rooftops, NightSkies, then Été Pack.
    choose_package "$window" 3
    uninstall_expecting "$window" "$game" without-ete.txt
    # Rooftops lists NightSky.utx as well, so it stays.
    choose_package "$window" 2
    uninstall_expecting "$window" "$game" without-nightskies.txt
    choose_package "$window" NightSkies
    uninstall_expecting "$window" "$game" without-nightskies.txt
    # Nothing lists NightSky.utx any more; the base game still lists De.u.
    choose_package "$window" Rooftops
    uninstall_expecting "$window" "$game" without-both.txt
    click "$window" UNINSTALLER_EXIT
    expect_exit 0
}

# The game folder is remembered from an earlier start; the user goes up from
# it to the package folder, picks a package and installs it. The next start,
# from elsewhere, opens on the stored folders: Install Umod, the first
# package and Install need no browsing (a package in the game folder would
# come first if the installer opened there). Blanks and accents in the
# folders and a blank in the package's name stay inside the quotes.
install_package() {
    local dir="$root/Paquets à jouer" game="$root/Paquets à jouer/UT" window
    local packages="$root/Paquets à jouer/Mods été"
    mkdir -p "$packages" "$root/elsewhere"
    make_game "$game"
    cp "$demo_game/Mods/IceStation.umod" "$packages/Île.umod"
    cp "$demo_game/Mods/DesertRuins.umod" "$packages/Desert Ruins.umod"
    store_setting UTPath "$(windows_path "$game")"
    start_kestrix "$dir"
    window=$(open_through INSTALL_UMOD installer)
    # With no package folder stored, the lists open on the game folder:
    # Z:\, tmp, the run's folder, this scenario's folder, Mods été, UT.
    open_row "$window" DIR2 3
    open_row "$window" DIR2 4
    # The file list shows Desert Ruins.umod, then Île.umod.
    install_first_package "$window"
    expect_setup_run "$game" "$packages/Desert Ruins.umod"
    rm "$game/System/Setup.record" "$game/System/go"
    cp "$demo_game/Mods/IceStation.umod" "$game/Aaa.umod"
    start_kestrix "$root/elsewhere"
    window=$(open_through INSTALL_UMOD installer)
    install_first_package "$window"
    expect_setup_run "$game" "$packages/Desert Ruins.umod"
}

# Closing the main window by its frame at start ends the program and stores
# nothing (kestrix has no window manager to draw one). Another drive picked
# in the drive list moves the directory list there, and going on stores its
# folder: the drives are C: and Z:, the program starts on Z:, and C:'s
# current folder is its root, which holds no manifest: the uninstaller says
# so and stays until Exit. A folder without the setup tool chosen as the game
# folder: Install says which folder to choose, and the program ends as after
# every Install, the folder kept on the clipboard all the same. Nothing was
# written into the folders.
main_window_and_wrong_folders() {
    local dir=$root/not-a-game window
    mkdir -p "$dir/NotUT/System"
    cp "$demo_game/Mods/IceStation.umod" "$dir/NotUT/"
    if declare -F close_by_frame >/dev/null; then
        start_kestrix "$dir"
        window=$(await main)
        close_by_frame "$window"
        expect_exit 0
        expect_equal "the stored game folder" "$(stored_path UTPath)" ""
    fi
    start_kestrix "$dir"
    window=$(await main)
    click "$window" DRIVE1
    focus_window "${window%% *}"
    press_keys Home Return
    click "$window" UNINSTALL_UMOD
    dismiss_message
    expect_equal "the stored game folder" "$(stored_path UTPath)" "C:\\"
    window=$(await uninstaller)
    click "$window" UNINSTALLER_EXIT
    expect_exit 0
    forget_settings
    store_setting UTPath "$(windows_path "$dir/NotUT")"
    start_kestrix "$dir"
    window=$(open_through INSTALL_UMOD installer)
    install_first_package "$window"
    dismiss_message
    expect_exit 0
    expect_files "$dir/NotUT" not-a-game.txt
    # The stand-in, run by hand now, reads the clipboard.
    install_setup_tool "$dir/NotUT"
    run_setup_tool "$dir/NotUT" &
    expect_equal "the clipboard after $PROGRAM_NAME ended" \
        "$(tool_record "$dir/NotUT/System" Setup.record | sed -n 2p)" "$(windows_path "$dir/NotUT")"
}

# ---- the setup tool as players have it (through Wine) ---------------------
# Run by wine-clipboard.sh with kestrix, with the cross-built stand-ins of
# tests/platform/win beside the build's e2e_setup_recorder.exe: each records (arguments.txt) its own path,
# its command line, then install and the package as each reading of that
# line finds them.

# A game in a Wine prefix of its own, as Lutris and Proton make them, in a
# folder with blanks, and kestrix started from the menu, without WINEPREFIX:
# the tool runs in the game's prefix, on its C:, every reading of its line
# finds install and the package, and the default prefix is not set up. Then
# the game's setup tool as it is, a 32-bit program: where Wine has no 32-bit
# part (wine32:i386), Install says what is missing; where it has one, the
# tool runs.
setup_tool_through_wine() {
    local game="$WINEPREFIX/drive_c/Program Files (x86)/Unreal Tournament" dir=$root/own-prefix
    local window record package="$root/own-prefix/Packages/Desert Ruins.umod"
    local stand_ins=${KESTRIX_E2E_SETUP_TOOL%/*}/../platform/win
    mkdir -p "$game/System" "$dir/Packages"
    cp "$stand_ins/setup_stand_in.exe" "$game/System/Setup.exe"
    cp "$demo_game/Mods/DesertRuins.umod" "$package"
    store_setting UTPath "$(windows_path "$game")"
    store_setting UMODPath "$(windows_path "$dir/Packages")"
    PROGRAM_COMMAND=(env -u WINEPREFIX "${PROGRAM_COMMAND[@]}")
    start_kestrix "$dir"
    window=$(open_through INSTALL_UMOD installer)
    install_first_package "$window"
    expect_exit 0
    record=$(tool_record "$game/System" arguments.txt)
    step "the setup tool recorded: $(echo "$record" | tr '\n' '|')"
    [[ $(echo "$record" | head -1) == [Cc]:\\*\\System\\Setup.exe ]] ||
        fail "the setup tool did not run in its own prefix, on its drive C:"
    package=$(windows_path "$package")
    expect_equal "what each reading finds" "$(echo "$record" | tail -n +3)" \
        "argv|install|$package"$'\n'"shell|install|$package"$'\n'"blank|install|$package"
    [ ! -f "$HOME/.wine/system.reg" ] || fail "the default prefix was set up"

    rm "$game/System/arguments.txt"
    cp "$stand_ins/setup_stand_in32.exe" "$game/System/Setup.exe"
    start_kestrix "$dir"
    window=$(open_through INSTALL_UMOD installer)
    install_first_package "$window"
    if [ -x /usr/lib/wine/wine ]; then
        tool_record "$game/System" arguments.txt >/dev/null
    else
        dismiss_message
    fi
    expect_exit 0
}

# ---- running them --------------------------------------------------------

passed=0 failed=0
for scenario in ${KESTRIX_E2E_ONLY:-uninstall_packages install_package main_window_and_wrong_folders}; do
    forget_settings
    # Not on the left of || or &&, where bash would ignore set -e inside.
    (
        set -e
        shopt -s inherit_errexit
        "$scenario"
    ) >"$root/scenario.log" 2>&1
    result=$?
    stop_kestrix
    if [ $result -eq 0 ]; then
        echo "PASS $scenario" && passed=$((passed + 1))
    else
        echo "FAIL $scenario" && failed=$((failed + 1))
    fi
    sed 's/^/    /' "$root/scenario.log"
    [ $result -eq 0 ] || tail -n 20 "$root/kestrix.log" | sed "s/^/    ($PROGRAM_NAME) /"
    : >"$root/kestrix.log"
done
echo "$passed passed, $failed failed"
[ $failed -eq 0 ] && [ $passed -gt 0 ]
