#!/usr/bin/env bash
# The Wine end-to-end scenarios: each starts KESTRIX.exe in a game folder of
# its own, drives it through X and checks what it left on disk, in the
# registry and on the clipboard.
#   scenarios.sh <cross-build-dir> <tally-file>
# Each scenario appends "pass NAME" or "fail NAME" to the tally file; run.sh
# counts them and bounds the whole run in time.
set -uo pipefail

build=$1
tally=$2
here=$(cd "$(dirname "$0")" && pwd)
demo_game=$(cd "$here/../../examples/demo-game" && pwd)
expected=$here/../e2e/expected
# shellcheck source=tests/e2e/x11.sh
source "$here/../e2e/x11.sh"
# shellcheck source=tests/e2e/checks.sh
source "$here/../e2e/checks.sh"
readonly PROGRAM_NAME=KESTRIX.exe
# shellcheck source=tests/e2e-win/wine-x11.sh
source "$here/wine-x11.sh"
# shellcheck source=tests/e2e-win/wine.sh
source "$here/wine.sh"

# Under /tmp itself, so that the directory lists show the same few rows on
# every machine: Z:\, tmp, this folder, then a scenario's folder.
root=$(realpath "$(mktemp -d /tmp/kestrix-e2e-win.XXXXXX)")
cleanup() {
    stop_kestrix
    wine_prefix_remove
    stop_display
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

unset WAYLAND_DISPLAY
start_display "$root/.display" || exit 1
wine_prefix_create "$root/.wine" || exit 1

readonly SETTINGS='Software\VB and VBA Program Settings\KESTRIX'

# ---- the program ---------------------------------------------------------

# Starts KESTRIX.exe in folder $1; its id goes to kestrix.pid so that cleanup
# can end it whichever scenario started it.
start_kestrix() {
    (cd "$1" && exec wine "$build/KESTRIX.exe") >>"$root/kestrix.log" 2>&1 &
    KESTRIX_PID=$!
    echo "$KESTRIX_PID" >"$root/kestrix.pid"
    step "started KESTRIX.exe in $1"
}

# ---- checks --------------------------------------------------------------

# Waits for the program's message box, checks that its text holds $1, and
# dismisses it with Return, as a user would with the keyboard. The text is
# read from the box's own static control; the box shares the main window's
# title, and is told apart by its size.
expect_message() {
    local text box
    text=$(timeout $((WAIT_SECONDS + 5)) wine "$build/tests/e2e-win/e2e_message_box_text.exe" \
        "$WAIT_SECONDS" | tr -d '\r') || fail "no message box appeared"
    step "message box says: $(echo "$text" | tr '\n' ' ')"
    case "$text" in
        *"$1"*) ;;
        *) fail "the message box says \"$text\", not \"$1\"" ;;
    esac
    box=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}" not)
    focus_window "$box"
    press_keys Return
    wait_window_gone "$box"
}

# ---- game folders and settings -------------------------------------------

# A host path as the program shows and stores it: Wine's Z: is the whole file
# system.
windows_path() {
    echo "Z:${1//\//\\}"
}

# A fresh copy of the demo game; its setup tool is replaced by the stand-in
# that records what it was given.
make_game() {
    cp -R "$demo_game" "$1"
    cp "$build/tests/e2e-win/e2e_setup_recorder.exe" "$1/System/Setup.exe"
}

# Stores a folder in section $1 ("UTPath" or "UMODPath") as the program does.
store_setting() {
    timeout 30 wine reg add "HKEY_CURRENT_USER\\$SETTINGS\\$1" /v Path /t REG_SZ \
        /d "$(windows_path "$2")" /f >/dev/null 2>&1 || fail "could not store $1"
}

forget_settings() {
    timeout 30 wine reg delete "HKEY_CURRENT_USER\\$SETTINGS" /f >/dev/null 2>&1 || true
}

stored_path() {
    wine_registry_value "$SETTINGS\\$1" Path
}

# Waits, bounded, for the stand-in setup tool of game $1 to write its record.
setup_record() {
    local deadline=$((SECONDS + WAIT_SECONDS))
    until [ -f "$1/System/Setup.record" ]; do
        [ $SECONDS -lt $deadline ] || fail "the setup tool left no record within ${WAIT_SECONDS}s"
        sleep 0.1
    done
    cat "$1/System/Setup.record"
}

# The setup tool's command line of game $1 begins with its name, without
# blanks or quotes, so that a tool that reads its command after the first
# blank finds install and then the quoted package $2.
expect_setup_line() {
    local line
    line=$(tr -d '\r\n' <"$1/System/Setup.cmdline")
    step "the setup tool's command line: $line"
    expect_equal "the setup tool's command line after the first blank" "${line#* }" \
        "install \"$2\""
    case "${line%% *}" in
        *'"'*) fail "the setup tool's name is quoted" ;;
        *[Ss][Ee][Tt][Uu][Pp].[Ee][Xx][Ee]) ;;
        *) fail "the line does not begin with the setup tool's name" ;;
    esac
}

# ---- scenarios -----------------------------------------------------------

# Picks package $2 (1 is the first) of the uninstaller's list with the arrow
# keys in the box's text field, then Uninstall.
pick_and_uninstall() {
    local uninstaller=$1 count=$2
    wine_click_at "$uninstaller" "${UNINSTALLER_CLIENT[@]}" $((COMBO1[0] / TWIPS_PER_PIXEL + 40)) \
        $(((COMBO1[1] + COMBO1[3] / 2) / TWIPS_PER_PIXEL))
    focus_window "$uninstaller"
    local i
    for ((i = 0; i < count; i++)); do
        press_keys Down
    done
    wine_click_control "$uninstaller" "${UNINSTALLER_CLIENT[@]}" "${UNINSTALL[@]}"
}

# The game folder is remembered; the user picks NightSkies and uninstalls it.
uninstall_picked_package() {
    local dir=$root/uninstall
    mkdir -p "$dir"
    make_game "$dir/UT"
    forget_settings
    store_setting UTPath "$dir/UT"
    start_kestrix "$dir"
    local main uninstaller
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    expect_centred "$main"
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${UNINSTALL_UMOD[@]}"
    uninstaller=$(wait_wine_window "Kestrix Uninstaller" "${UNINSTALLER_CLIENT[@]}")
    expect_centred "$uninstaller"
    # The manifest lists Rooftops, then NightSkies.
    pick_and_uninstall "$uninstaller" 2
    step "picked NightSkies"
    expect_message "done"

    local game=$dir/UT
    expect_missing "$game/Textures/Stars.utx" "$game/System/NightSkies.int" \
        "$game/System/manifest.new"
    # Rooftops lists NightSky.utx as well, so it stays.
    expect_present "$game/Textures/NightSky.utx" "$game/Textures/RooftopTex.utx" \
        "$game/Maps/DM-Rooftops.unr" "$game/System/De.u"
    expect_same_bytes "$game/System/Manifest.ini" "$expected/Manifest-without-NightSkies.ini"
    expect_same_bytes "$game/System/manifest.bak" "$demo_game/System/Manifest.ini"
    step "files and manifests checked"

    # The window stays for another removal until Exit.
    [ -n "$(wine_windows_titled "Kestrix Uninstaller")" ] || fail "the uninstaller went away"
    wine_click_control "$uninstaller" "${UNINSTALLER_CLIENT[@]}" "${UNINSTALLER_EXIT[@]}"
    expect_exit 0
}

# The user types a package's name instead of picking it: first one that is
# not installed (any more), which changes nothing, then one that is.
uninstall_typed_package() {
    local dir=$root/typed-uninstall
    mkdir -p "$dir"
    make_game "$dir/UT"
    local game=$dir/UT
    cp "$expected/Manifest-without-NightSkies.ini" "$game/System/Manifest.ini"
    rm "$game/Textures/Stars.utx" "$game/System/NightSkies.int"
    forget_settings
    store_setting UTPath "$game"
    start_kestrix "$dir"
    local main uninstaller
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${UNINSTALL_UMOD[@]}"
    uninstaller=$(wait_wine_window "Kestrix Uninstaller" "${UNINSTALLER_CLIENT[@]}")

    local name
    for name in NightSkies Rooftops; do
        wine_click_at "$uninstaller" "${UNINSTALLER_CLIENT[@]}" \
            $((COMBO1[0] / TWIPS_PER_PIXEL + 40)) $(((COMBO1[1] + COMBO1[3] / 2) / TWIPS_PER_PIXEL))
        focus_window "$uninstaller"
        # The classic edit field knows no Ctrl+A: the text is selected from
        # its end to its start, and typing replaces it.
        press_keys End shift+Home
        type_text "$name"
        step "typed $name"
        wine_click_control "$uninstaller" "${UNINSTALLER_CLIENT[@]}" "${UNINSTALL[@]}"
        if [ "$name" = NightSkies ]; then
            expect_message "No package named \"NightSkies\" is installed. Nothing was changed."
            expect_same_bytes "$game/System/Manifest.ini" "$expected/Manifest-without-NightSkies.ini"
            expect_missing "$game/System/manifest.bak" "$game/System/manifest.new"
        else
            expect_message "done"
        fi
    done
    # Nothing lists NightSky.utx any more; the base game still lists De.u.
    expect_missing "$game/Maps/DM-Rooftops.unr" "$game/Maps/CTF-Rooftops.unr" \
        "$game/Textures/RooftopTex.utx" "$game/Textures/NightSky.utx" \
        "$game/Music/Rooftops.umx" "$game/System/Rooftops.int" "$game/System/manifest.new"
    expect_present "$game/System/De.u" "$game/System/Setup.exe"
    expect_same_bytes "$game/System/Manifest.ini" "$expected/Manifest-without-both.ini"
    expect_same_bytes "$game/System/manifest.bak" "$expected/Manifest-without-NightSkies.ini"
    step "files and manifests checked"
    wine_click_control "$uninstaller" "${UNINSTALLER_CLIENT[@]}" "${UNINSTALLER_EXIT[@]}"
    expect_exit 0
}

# Another drive picked in the main window's drive list: the directory list
# moves to that drive, and going on stores its folder. The prefix has C: and
# Z:; the program starts on Z:, and C:'s current folder is its root.
pick_another_drive() {
    local dir=$root/drive
    mkdir -p "$dir"
    forget_settings
    start_kestrix "$dir"
    local main installer
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${DRIVE1[@]}"
    focus_window "$main"
    press_keys Home Return
    step "picked the first drive"
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${INSTALL_UMOD[@]}"
    installer=$(wait_wine_window "KESTRIX Installer" "${INSTALLER_CLIENT[@]}")
    expect_equal "the stored game folder" "$(stored_path UTPath)" "C:\\"
    wine_click_control "$installer" "${INSTALLER_CLIENT[@]}" "${INSTALLER_EXIT[@]}"
    expect_exit 0
}

# Closing the main window by its frame (Alt+F4) at start ends the program,
# and nothing is stored.
close_main_window_at_start() {
    local dir=$root/close
    mkdir -p "$dir"
    forget_settings
    start_kestrix "$dir"
    local main
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    focus_window "$main"
    press_keys alt+F4
    expect_exit 0
    expect_equal "the stored game folder" "$(stored_path UTPath)" ""
}

# Picks the first package of the installer's file list and clicks Install:
# the stand-in gets install and Desert Ruins.umod's Windows path as one
# argument, and finds the stored game folder on the clipboard after KESTRIX
# has ended.
install_first_package() {
    local installer=$1 dir=$2
    wine_click_at "$installer" "${INSTALLER_CLIENT[@]}" $((FILE1[0] / TWIPS_PER_PIXEL + 40)) \
        $((FILE1[1] / TWIPS_PER_PIXEL + 8))
    wine_click_control "$installer" "${INSTALLER_CLIENT[@]}" "${INSTALL[@]}"
    expect_exit 0

    local record package
    record=$(setup_record "$dir/UT")
    step "the setup tool got: $(echo "$record" | tr '\n' '|')"
    package=$(windows_path "$dir/Packages/Desert Ruins.umod")
    expect_equal "the setup tool's arguments" "$record" "install"$'\n'"$package"
    expect_setup_line "$dir/UT" "$package"
    expect_equal "the clipboard after KESTRIX ended" \
        "$(tr -d '\r\n' <"$dir/UT/System/Setup.clipboard")" "$(windows_path "$dir/UT")"
}

# The game folder is remembered from an earlier start; the user goes up from
# it to the package folder in the installer, picks a package and installs it.
readonly INSTALL_DIR=$root/install
install_package() {
    local dir=$INSTALL_DIR
    mkdir -p "$dir/Packages"
    make_game "$dir/UT"
    cp "$demo_game/Mods/IceStation.umod" "$dir/Packages/IceStation.umod"
    # A blank in the name must stay inside the quotes.
    cp "$demo_game/Mods/DesertRuins.umod" "$dir/Packages/Desert Ruins.umod"
    forget_settings
    store_setting UTPath "$dir/UT"
    start_kestrix "$dir"
    local main installer
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${INSTALL_UMOD[@]}"
    installer=$(wait_wine_window "KESTRIX Installer" "${INSTALLER_CLIENT[@]}")
    expect_centred "$installer"
    # With no package folder stored, the lists open on the game folder:
    # Z:\, tmp, the run's folder, this scenario's folder, UT.
    wine_double_click_dir_row "$installer" "${INSTALLER_CLIENT[@]}" "${DIR2[0]}" "${DIR2[1]}" 3
    step "double-clicked the scenario's folder"
    wine_double_click_dir_row "$installer" "${INSTALLER_CLIENT[@]}" "${DIR2[0]}" "${DIR2[1]}" 4
    step "double-clicked Packages"
    # The file list shows Desert Ruins.umod, then IceStation.umod.
    install_first_package "$installer" "$dir"
    expect_equal "the stored package folder" "$(stored_path UMODPath)" \
        "$(windows_path "$dir/Packages")"
    expect_equal "the stored game folder" "$(stored_path UTPath)" "$(windows_path "$dir/UT")"
}

# The start after an installation: the main window opens on the game folder
# stored in the registry and the installer on the stored package folder, so
# Install Umod, the first package and Install need no browsing. The program
# starts elsewhere, and a package file in the game folder would be the first
# one listed if the installer opened there.
second_start_opens_on_stored_folders() {
    local dir=$INSTALL_DIR
    [ -n "$(stored_path UMODPath)" ] ||
        fail "the installation before this one stored no package folder"
    rm -f "$dir/UT/System/Setup.record"
    cp "$demo_game/Mods/IceStation.umod" "$dir/UT/Aaa.umod"
    mkdir -p "$root/elsewhere"
    start_kestrix "$root/elsewhere"
    local main installer
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${INSTALL_UMOD[@]}"
    installer=$(wait_wine_window "KESTRIX Installer" "${INSTALLER_CLIENT[@]}")
    install_first_package "$installer" "$dir"
}

# A folder without a manifest chosen as the game folder: the uninstaller says
# so and stays, and the program goes on until Exit.
uninstall_without_manifest() {
    local dir=$root/no-manifest
    mkdir -p "$dir/NotUT/System"
    forget_settings
    store_setting UTPath "$dir/NotUT"
    start_kestrix "$dir"
    local main uninstaller
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${UNINSTALL_UMOD[@]}"
    expect_message "File not found"
    uninstaller=$(wait_wine_window "Kestrix Uninstaller" "${UNINSTALLER_CLIENT[@]}")
    kill -0 "$KESTRIX_PID" 2>/dev/null || fail "KESTRIX.exe ended"
    expect_equal "what the folder holds" "$(find "$dir/NotUT" | sort | tr '\n' ' ')" \
        "$dir/NotUT $dir/NotUT/System "
    wine_click_control "$uninstaller" "${UNINSTALLER_CLIENT[@]}" "${UNINSTALLER_EXIT[@]}"
    expect_exit 0
}

# A folder without the setup tool chosen as the game folder: Install says
# which folder to choose, and the program ends as after every Install.
install_without_setup_tool() {
    local dir=$root/no-setup
    mkdir -p "$dir/NotUT"
    cp "$demo_game/Mods/IceStation.umod" "$dir/NotUT/"
    forget_settings
    store_setting UTPath "$dir/NotUT"
    start_kestrix "$dir"
    local main installer
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${INSTALL_UMOD[@]}"
    installer=$(wait_wine_window "KESTRIX Installer" "${INSTALLER_CLIENT[@]}")
    wine_click_at "$installer" "${INSTALLER_CLIENT[@]}" $((FILE1[0] / TWIPS_PER_PIXEL + 40)) \
        $((FILE1[1] / TWIPS_PER_PIXEL + 8))
    wine_click_control "$installer" "${INSTALLER_CLIENT[@]}" "${INSTALL[@]}"
    expect_message "Make sure you have your Main UT Directory Selected."
    expect_exit 0
}

# Names beyond ASCII: the game in "Jeux été", a package the manifest names in
# Windows-1252 while Wine keeps UTF-8 names on the disk (one of them in
# another case), and a package folder with an accent. The user picks the
# package from the list and removes it, then installs Île.umod from the stored
# package folder: the setup tool's command line and the clipboard carry the
# accented paths. Nothing is typed: under Wine, xdotool changes the case of
# letters beyond ASCII.
accented_names() {
    local dir=$root/accents
    local game="$dir/Jeux été/UT" packages="$dir/Paquets é"
    mkdir -p "$packages" "$(dirname "$game")"
    make_game "$game"
    printf '[\xc9t\xe9 Pack]\r\nFile=Maps\\DM-\xc9t\xe9.unr\r\nFile=Textures\\\xc9T\xc9.utx\r\n\r\n' \
        >>"$game/System/Manifest.ini"
    : >"$game/Maps/DM-Été.unr"
    : >"$game/Textures/été.utx"
    cp "$demo_game/Mods/IceStation.umod" "$packages/Île.umod"
    forget_settings
    store_setting UTPath "$game"
    store_setting UMODPath "$packages"
    start_kestrix "$dir"
    local main uninstaller installer
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${UNINSTALL_UMOD[@]}"
    uninstaller=$(wait_wine_window "Kestrix Uninstaller" "${UNINSTALLER_CLIENT[@]}")
    # The manifest lists Rooftops, NightSkies, then Été Pack.
    pick_and_uninstall "$uninstaller" 3
    step "picked Été Pack"
    expect_message "done"
    expect_missing "$game/Maps/DM-Été.unr" "$game/Textures/été.utx" "$game/System/manifest.new"
    expect_present "$game/Textures/NightSky.utx" "$game/Textures/Stars.utx" \
        "$game/Maps/DM-Rooftops.unr" "$game/System/NightSkies.int"
    expect_same_bytes "$game/System/Manifest.ini" "$demo_game/System/Manifest.ini"
    step "files and manifest checked"
    wine_click_control "$uninstaller" "${UNINSTALLER_CLIENT[@]}" "${UNINSTALLER_EXIT[@]}"
    expect_exit 0

    start_kestrix "$dir"
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${INSTALL_UMOD[@]}"
    installer=$(wait_wine_window "KESTRIX Installer" "${INSTALLER_CLIENT[@]}")
    # The lists open on the stored package folder, which holds Île.umod alone.
    wine_click_at "$installer" "${INSTALLER_CLIENT[@]}" $((FILE1[0] / TWIPS_PER_PIXEL + 40)) \
        $((FILE1[1] / TWIPS_PER_PIXEL + 8))
    wine_click_control "$installer" "${INSTALLER_CLIENT[@]}" "${INSTALL[@]}"
    expect_exit 0
    local record package
    record=$(setup_record "$game")
    step "the setup tool got: $(echo "$record" | tr '\n' '|')"
    package=$(windows_path "$packages/Île.umod")
    expect_equal "the setup tool's arguments" "$record" "install"$'\n'"$package"
    # The blank in "Jeux été" is not in the line's first word.
    expect_setup_line "$game" "$package"
    expect_equal "the clipboard after KESTRIX ended" \
        "$(tr -d '\r\n' <"$game/System/Setup.clipboard")" "$(windows_path "$game")"
}

# ---- running them --------------------------------------------------------

for scenario in ${KESTRIX_E2E_ONLY:-uninstall_picked_package uninstall_typed_package \
    install_package second_start_opens_on_stored_folders uninstall_without_manifest \
    install_without_setup_tool pick_another_drive close_main_window_at_start accented_names}; do
    run_scenario "$scenario"
done
