#!/usr/bin/env bash
# The end-to-end scenarios: each starts the real program with a home and a game
# folder of its own, drives it through X and checks what it left on disk.
#   scenarios.sh <path-to-kestrix> <tally-file>
# Each scenario appends "pass NAME" or "fail NAME" to the tally file; run.sh
# counts them and bounds the whole run in time.
set -uo pipefail

binary=$1
tally=$2
here=$(cd "$(dirname "$0")" && pwd)
demo_game=$(cd "$here/../../examples/demo-game" && pwd)
expected=$here/expected
# shellcheck source=tests/e2e/x11.sh
source "$here/x11.sh"
# shellcheck source=tests/e2e/checks.sh
source "$here/checks.sh"
readonly PROGRAM_NAME=kestrix

# Under /tmp itself, so that the directory lists show the same few rows on
# every machine: Z:\, tmp, this folder, then a scenario's folder.
root=$(realpath "$(mktemp -d /tmp/kestrix-e2e.XXXXXX)")
cleanup() {
    stop_kestrix
    stop_display
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# The program reads its settings from the home folder and its drives from the
# home's Wine prefix; nothing of the user's may leak in.
unset XDG_CONFIG_HOME XDG_CONFIG_DIRS XDG_DATA_HOME QT_QPA_PLATFORM QT_SCALE_FACTOR \
    QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
export XDG_RUNTIME_DIR=$root/.runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

start_display "$root/.display" || exit 1


# ---- the program ---------------------------------------------------------

# Starts the program in folder $1 with home $2; its id goes to kestrix.pid so
# that cleanup can end it whichever scenario started it.
start_kestrix() {
    (cd "$1" && HOME=$2 exec "$binary") >>"$root/kestrix.log" 2>&1 &
    KESTRIX_PID=$!
    echo "$KESTRIX_PID" >"$root/kestrix.pid"
    step "started kestrix in $1"
}

# ---- checks --------------------------------------------------------------

# Waits for a message box, reads it, checks that it says $1 (a fragment of
# the text) and dismisses it with Return, as a user would with the keyboard.
expect_message() {
    local box text
    box=$(wait_window KESTRIX "$MAIN_SIZE" not)
    text=$(message_text "$box")
    step "message box says: $text"
    case "$text" in
        *"$1"*) ;;
        *) fail "the message box says \"$text\", not \"$1\"" ;;
    esac
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

# A fresh copy of the demo game; its setup tool is replaced by one that
# records what it was given, one argument a line, next to itself.
make_game() {
    cp -R "$demo_game" "$1"
    install -m 755 "$here/setup-recorder.sh" "$1/System/Setup.exe"
}

settings_file() {
    echo "$1/.config/KESTRIX/KESTRIX.ini"
}

# Stores the game folder $2 (and the package folder $3) in home $1, in the
# form the program writes: Qt's INI form doubles each backslash.
store_settings() {
    local file
    file=$(settings_file "$1")
    mkdir -p "$(dirname "$file")"
    {
        if [ -n "${3:-}" ]; then
            printf '[UMODPath]\nPath=%s\n\n' "$(windows_path "$3" | sed 's/\\/\\\\/g')"
        fi
        printf '[UTPath]\nPath=%s\n' "$(windows_path "$2" | sed 's/\\/\\\\/g')"
    } >"$file"
}

# The value of Path in section $2 of home $1's settings, backslashes undoubled.
stored_path() {
    local file
    file=$(settings_file "$1")
    [ -f "$file" ] || return 0
    awk -v section="[$2]" '
        /^\[/ { inside = ($0 == section) }
        inside && /^Path=/ { sub(/^Path=/, ""); print; exit }' "$file" | sed 's/\\\\/\\/g'
}

# Waits for the setup tool's record of its arguments and prints it.
setup_record() {
    local record=$1/System/Setup.record
    local deadline=$((SECONDS + WAIT_SECONDS))
    until [ -f "$record" ]; do
        if [ $SECONDS -ge $deadline ]; then
            fail "the setup tool was not started within ${WAIT_SECONDS}s"
            return 1
        fi
        sleep 0.1
    done
    cat "$record"
}

# Opens the uninstaller's package list and clicks entry $2 of the $3 there.
pick_package() {
    local uninstaller=$1 popup size height row
    # The drop-down arrow sits at the right end of the box.
    click_at "$uninstaller" $(((COMBO1[0] + COMBO1[2]) / TWIPS_PER_PIXEL - 8)) \
        $(((COMBO1[1] + COMBO1[3] / 2) / TWIPS_PER_PIXEL))
    popup=$(wait_popup KESTRIX)
    size=$(window_size "$popup")
    height=${size#*x}
    row=$(((height - 2) / $3))
    click_at "$popup" 40 $((1 + $2 * row + row / 2))
    wait_window_gone "$popup"
}

# ---- scenarios -----------------------------------------------------------

# A first start: the user double-clicks through the folders to the game,
# picks a package from the list and uninstalls it.
uninstall_picked_package() {
    local dir=$root/first-uninstall home=$root/first-uninstall/.home
    mkdir -p "$home"
    make_game "$dir/UT"
    start_kestrix "$dir" "$home"
    local main
    main=$(wait_window KESTRIX "$MAIN_SIZE")
    expect_centred "$main"
    # The list opens on the current folder: Z:\, tmp, the run's folder, this
    # scenario's folder, then its only subfolder, UT.
    double_click_dir_entry "$main" "${DIR1[0]}" "${DIR1[1]}" 4
    step "double-clicked UT"
    click_control "$main" "${UNINSTALL_UMOD[@]}"
    local uninstaller
    uninstaller=$(wait_window "Kestrix Uninstaller")
    expect_centred "$uninstaller"
    expect_equal "the stored game folder" "$(stored_path "$home" UTPath)" \
        "$(windows_path "$dir/UT")"
    # The manifest lists Rooftops, then NightSkies.
    pick_package "$uninstaller" 1 2
    step "picked NightSkies"
    click_control "$uninstaller" "${UNINSTALL[@]}"
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
    [ -n "$(windows_titled "Kestrix Uninstaller")" ] || fail "the uninstaller went away"
    click_control "$uninstaller" "${UNINSTALLER_EXIT[@]}"
    expect_exit 0
}

# The user types a package's name instead of picking it: first one that is
# not installed (any more), which changes nothing, then one that is.
uninstall_typed_package() {
    local dir=$root/typed-uninstall home=$root/typed-uninstall/.home
    mkdir -p "$home"
    make_game "$dir/UT"
    local game=$dir/UT
    cp "$expected/Manifest-without-NightSkies.ini" "$game/System/Manifest.ini"
    rm "$game/Textures/Stars.utx" "$game/System/NightSkies.int"
    store_settings "$home" "$game"
    start_kestrix "$home" "$home"
    local main uninstaller
    main=$(wait_window KESTRIX "$MAIN_SIZE")
    click_control "$main" "${UNINSTALL_UMOD[@]}"
    uninstaller=$(wait_window "Kestrix Uninstaller")

    local text_x=$((COMBO1[0] / TWIPS_PER_PIXEL + 40))
    local text_y=$(((COMBO1[1] + COMBO1[3] / 2) / TWIPS_PER_PIXEL))
    focus_window "$uninstaller"
    click_at "$uninstaller" "$text_x" "$text_y"
    press_keys ctrl+a
    type_text "NightSkies"
    step "typed NightSkies"
    click_control "$uninstaller" "${UNINSTALL[@]}"
    expect_message "No package named \"NightSkies\" is installed. Nothing was changed."
    expect_same_bytes "$game/System/Manifest.ini" "$expected/Manifest-without-NightSkies.ini"
    expect_missing "$game/System/manifest.bak" "$game/System/manifest.new"
    expect_present "$game/Textures/NightSky.utx" "$game/Maps/DM-Rooftops.unr"

    focus_window "$uninstaller"
    click_at "$uninstaller" "$text_x" "$text_y"
    press_keys ctrl+a
    type_text "Rooftops"
    step "typed Rooftops"
    click_control "$uninstaller" "${UNINSTALL[@]}"
    expect_message "done"
    # Nothing lists NightSky.utx any more; the base game still lists De.u.
    expect_missing "$game/Maps/DM-Rooftops.unr" "$game/Maps/CTF-Rooftops.unr" \
        "$game/Textures/RooftopTex.utx" "$game/Textures/NightSky.utx" \
        "$game/Music/Rooftops.umx" "$game/System/Rooftops.int" "$game/System/manifest.new"
    expect_present "$game/System/De.u" "$game/System/Setup.exe"
    expect_same_bytes "$game/System/Manifest.ini" "$expected/Manifest-without-both.ini"
    expect_same_bytes "$game/System/manifest.bak" "$expected/Manifest-without-NightSkies.ini"
    step "files and manifests checked"

    click_control "$uninstaller" "${UNINSTALLER_EXIT[@]}"
    expect_exit 0
}

# Picks the first package of the installer's file list and clicks Install:
# the stand-in setup tool gets install and Desert Ruins.umod's Windows path as
# one argument, and kestrix ends.
install_first_package() {
    click_at "$1" $((FILE1[0] / TWIPS_PER_PIXEL + 40)) $((FILE1[1] / TWIPS_PER_PIXEL + 8))
    click_control "$1" "${INSTALL[@]}"

    local record
    record=$(setup_record "$2/UT")
    step "the setup tool got: $(echo "$record" | tr '\n' '|')"
    expect_equal "the setup tool's arguments" "$record" \
        "install"$'\n'"$(windows_path "$2/Packages/Desert Ruins.umod")"
    expect_exit 0
    expect_clipboard "$(windows_path "$2/UT")"
}

# The display runs no clipboard manager: what is pasted after kestrix has
# ended is what kestrix-clipboard, beside the program, kept for it.
expect_clipboard() {
    local pasted
    pasted=$(timeout 5 xclip -o -selection clipboard -t UTF8_STRING 2>&1)
    step "the clipboard holds: $pasted"
    expect_equal "the clipboard after kestrix ended" "$pasted" "$1"
}

# The game folder is remembered from an earlier start; the user goes up from
# it to the package folder in the installer, picks a package and installs it.
readonly INSTALL_DIR=$root/install
install_package() {
    local dir=$INSTALL_DIR home=$INSTALL_DIR/.home
    mkdir -p "$home" "$dir/Packages"
    make_game "$dir/UT"
    cp "$demo_game/Mods/IceStation.umod" "$dir/Packages/IceStation.umod"
    # A blank in the name must stay inside the quotes.
    cp "$demo_game/Mods/DesertRuins.umod" "$dir/Packages/Desert Ruins.umod"
    store_settings "$home" "$dir/UT"
    start_kestrix "$home" "$home"
    local main installer
    main=$(wait_window KESTRIX "$MAIN_SIZE")
    click_control "$main" "${INSTALL_UMOD[@]}"
    installer=$(wait_window "KESTRIX Installer")
    expect_centred "$installer"
    # With no package folder stored, the lists open on the game folder:
    # Z:\, tmp, the run's folder, this scenario's folder, UT.
    double_click_dir_entry "$installer" "${DIR2[0]}" "${DIR2[1]}" 3
    step "double-clicked the scenario's folder"
    double_click_dir_entry "$installer" "${DIR2[0]}" "${DIR2[1]}" 4
    step "double-clicked Packages"
    # The file list shows Desert Ruins.umod, then IceStation.umod.
    install_first_package "$installer" "$dir"
    expect_equal "the stored package folder" "$(stored_path "$home" UMODPath)" \
        "$(windows_path "$dir/Packages")"
    expect_equal "the stored game folder" "$(stored_path "$home" UTPath)" \
        "$(windows_path "$dir/UT")"
}

# The start after an installation: the main window is on the remembered game
# folder and the installer on the remembered package folder, so Install Umod,
# the first package and Install need no browsing. A package file in the game
# folder would be the first one listed if the installer opened there.
install_again_from_remembered_folders() {
    local dir=$INSTALL_DIR home=$INSTALL_DIR/.home
    [ -n "$(stored_path "$home" UMODPath)" ] ||
        fail "the installation before this one stored no package folder"
    rm -f "$dir/UT/System/Setup.record"
    cp "$demo_game/Mods/IceStation.umod" "$dir/UT/Aaa.umod"
    start_kestrix "$home" "$home"
    local main installer
    main=$(wait_window KESTRIX "$MAIN_SIZE")
    click_control "$main" "${INSTALL_UMOD[@]}"
    installer=$(wait_window "KESTRIX Installer")
    install_first_package "$installer" "$dir"
}

# A folder without a manifest chosen as the game folder: the uninstaller says
# so and stays, and the program goes on until Exit.
uninstall_without_manifest() {
    local dir=$root/no-manifest home=$root/no-manifest/.home
    mkdir -p "$home" "$dir/NotUT/System"
    store_settings "$home" "$dir/NotUT"
    start_kestrix "$home" "$home"
    local main uninstaller
    main=$(wait_window KESTRIX "$MAIN_SIZE")
    click_control "$main" "${UNINSTALL_UMOD[@]}"
    expect_message "File not found"
    uninstaller=$(wait_window "Kestrix Uninstaller")
    kill -0 "$KESTRIX_PID" 2>/dev/null || fail "kestrix ended"
    expect_equal "what the folder holds" "$(find "$dir/NotUT" | sort | tr '\n' ' ')" \
        "$dir/NotUT $dir/NotUT/System "
    click_control "$uninstaller" "${UNINSTALLER_EXIT[@]}"
    expect_exit 0
}

# A folder without the setup tool chosen as the game folder: Install says
# which folder to choose, and the program ends as after every Install.
install_without_setup_tool() {
    local dir=$root/no-setup home=$root/no-setup/.home
    mkdir -p "$home" "$dir/NotUT"
    cp "$demo_game/Mods/IceStation.umod" "$dir/NotUT/"
    store_settings "$home" "$dir/NotUT"
    start_kestrix "$home" "$home"
    local main installer
    main=$(wait_window KESTRIX "$MAIN_SIZE")
    click_control "$main" "${INSTALL_UMOD[@]}"
    installer=$(wait_window "KESTRIX Installer")
    click_at "$installer" $((FILE1[0] / TWIPS_PER_PIXEL + 40)) $((FILE1[1] / TWIPS_PER_PIXEL + 8))
    click_control "$installer" "${INSTALL[@]}"
    expect_message "Make sure you have your Main UT Directory Selected."
    expect_exit 0
    # Set before the start failed, and kept all the same.
    expect_clipboard "$(windows_path "$dir/NotUT")"
}

# The setup tool is a real Windows program, started through Wine: after
# kestrix has ended, it pastes the game folder from the clipboard. Needs
# KESTRIX_E2E_CLIPBOARD_STAND_IN (the stand-in's .exe) and a Wine prefix set
# up beforehand (tests/e2e/wine-clipboard.sh does both).
readonly WINE_WAIT_SECONDS=120
install_through_wine() {
    local dir=$root/wine-install home=$root/wine-install/.home
    local stand_in=${KESTRIX_E2E_CLIPBOARD_STAND_IN:?the clipboard stand-in is not given}
    mkdir -p "$home" "$dir/UT/System" "$dir/Packages"
    cp "$stand_in" "$dir/UT/System/Setup.exe"
    cp "$demo_game/Mods/DesertRuins.umod" "$dir/Packages/Desert Ruins.umod"
    store_settings "$home" "$dir/UT" "$dir/Packages"
    start_kestrix "$home" "$home"
    local main installer
    main=$(wait_window KESTRIX "$MAIN_SIZE")
    click_control "$main" "${INSTALL_UMOD[@]}"
    installer=$(wait_window "KESTRIX Installer")
    click_at "$installer" $((FILE1[0] / TWIPS_PER_PIXEL + 40)) $((FILE1[1] / TWIPS_PER_PIXEL + 8))
    click_control "$installer" "${INSTALL[@]}"
    expect_exit 0
    # Only now may the stand-in paste: nothing of kestrix runs any more but
    # kestrix-clipboard.
    touch "$dir/UT/System/go"
    step "told the setup tool to paste"

    local record=$dir/UT/System/clipboard.txt deadline=$((SECONDS + WINE_WAIT_SECONDS))
    until [ -f "$record" ]; do
        [ $SECONDS -lt $deadline ] || fail "the setup tool left no record within ${WINE_WAIT_SECONDS}s"
        sleep 0.2
    done
    local lines
    lines=$(iconv -f UTF-16LE -t UTF-8 "$record")
    step "the setup tool got: $(echo "$lines" | tr '\n' '|')"
    expect_equal "what the setup tool got and pasted" "$lines" \
        "install"$'\n'"$(windows_path "$dir/Packages/Desert Ruins.umod")"$'\n'"$(windows_path "$dir/UT")"
}

# ---- the setup tool as players have it (through Wine) ---------------------
# Run by tests/e2e/wine-clipboard.sh, which makes the prefix and names the
# cross-built stand-ins.

# The stand-in's record (UTF-16, beside it) after kestrix has ended: its own
# path, its command line, then install and the package as each reading of
# that line finds them.
stand_in_record() {
    local record=$1/arguments.txt deadline=$((SECONDS + WINE_WAIT_SECONDS))
    until [ -f "$record" ]; do
        [ $SECONDS -lt $deadline ] || fail "the setup tool left no record within ${WINE_WAIT_SECONDS}s"
        sleep 0.2
    done
    iconv -f UTF-16LE -t UTF-8 "$record"
}

# Picks the only package of the stored package folder and clicks Install.
install_stored_package() {
    local main installer
    main=$(wait_window KESTRIX "$MAIN_SIZE")
    click_control "$main" "${INSTALL_UMOD[@]}"
    installer=$(wait_window "KESTRIX Installer")
    click_at "$installer" $((FILE1[0] / TWIPS_PER_PIXEL + 40)) $((FILE1[1] / TWIPS_PER_PIXEL + 8))
    click_control "$installer" "${INSTALL[@]}"
}

# A game in a Wine prefix of its own, as Lutris and Steam's Proton make them,
# in a folder with blanks, and kestrix started from the menu, without
# WINEPREFIX: the tool runs in the game's prefix, where it is on C:, every
# reading of its line finds install and the package, and no ~/.wine is made.
install_in_prefix_of_its_own() {
    local prefix=${KESTRIX_E2E_PREFIX:?the prefix is not given} dir=$root/own-prefix
    local home=$root/own-prefix/.home game
    game="$prefix/drive_c/Program Files (x86)/Unreal Tournament"
    mkdir -p "$home" "$game/System" "$dir/Packages"
    cp "${KESTRIX_E2E_SETUP_STAND_IN:?the setup stand-in is not given}" "$game/System/Setup.exe"
    cp "$demo_game/Mods/DesertRuins.umod" "$dir/Packages/Desert Ruins.umod"
    store_settings "$home" "$game" "$dir/Packages"
    local saved=$WINEPREFIX
    unset WINEPREFIX
    start_kestrix "$home" "$home"
    export WINEPREFIX=$saved
    install_stored_package
    expect_exit 0

    local record package
    record=$(stand_in_record "$game/System")
    step "the setup tool recorded: $(echo "$record" | tr '\n' '|')"
    package=$(windows_path "$dir/Packages/Desert Ruins.umod")
    case "$(echo "$record" | head -1)" in
        [Cc]:\\*\\System\\Setup.exe) ;;
        *) fail "the setup tool did not run in its own prefix, on its drive C:" ;;
    esac
    expect_equal "what each reading finds" "$(echo "$record" | tail -n +3)" \
        "argv|install|$package"$'\n'"shell|install|$package"$'\n'"blank|install|$package"
    expect_missing "$home/.wine"
}

# The game's setup tool is a 32-bit program. Where Wine has no 32-bit part
# (wine32:i386), Install says what is missing and how to add it; where it has
# one, the tool runs.
install_32bit_tool() {
    local dir=$root/setup32 home=$root/setup32/.home
    mkdir -p "$home" "$dir/UT/System" "$dir/Packages"
    cp "${KESTRIX_E2E_SETUP_STAND_IN_32:?the 32-bit stand-in is not given}" "$dir/UT/System/Setup.exe"
    cp "$demo_game/Mods/IceStation.umod" "$dir/Packages/"
    store_settings "$home" "$dir/UT" "$dir/Packages"
    start_kestrix "$home" "$home"
    install_stored_package
    if [ -x /usr/lib/wine/wine ]; then
        stand_in_record "$dir/UT/System" >/dev/null
    else
        expect_message "cannot run 32-bit programs"
    fi
    expect_exit 0
}

# ---- running them --------------------------------------------------------

# Names beyond ASCII, as players give them: a game in a folder with an accent,
# a package whose section and file names the manifest holds in Windows-1252
# while the disk holds them in UTF-8, as Wine does, and in another letter case
# ("ÉTÉ.utx" against été.utx); then a package installed from an accented folder.
accented_names() {
    local dir=$root/accents home=$root/accents/.home
    local game="$dir/Jeux été/UT" packages="$dir/Paquets é"
    mkdir -p "$home" "$packages" "$(dirname "$game")"
    make_game "$game"
    printf '[\xc9t\xe9 Pack]\r\nFile=Maps\\DM-\xc9t\xe9.unr\r\nFile=Textures\\\xc9T\xc9.utx\r\n\r\n' \
        >>"$game/System/Manifest.ini"
    : >"$game/Maps/DM-Été.unr"
    : >"$game/Textures/été.utx"
    cp "$demo_game/Mods/IceStation.umod" "$packages/Île.umod"
    store_settings "$home" "$game" "$packages"
    start_kestrix "$home" "$home"
    local main uninstaller installer
    main=$(wait_window KESTRIX "$MAIN_SIZE")
    click_control "$main" "${UNINSTALL_UMOD[@]}"
    uninstaller=$(wait_window "Kestrix Uninstaller")
    # The manifest lists Rooftops, NightSkies, then Été Pack.
    pick_package "$uninstaller" 2 3
    step "picked Été Pack"
    click_control "$uninstaller" "${UNINSTALL[@]}"
    expect_message "done"
    expect_missing "$game/Maps/DM-Été.unr" "$game/Textures/été.utx"
    expect_present "$game/Textures/NightSky.utx" "$game/Maps/DM-Rooftops.unr"
    expect_same_bytes "$game/System/Manifest.ini" "$demo_game/System/Manifest.ini"
    step "files and manifest checked"
    click_control "$uninstaller" "${UNINSTALLER_EXIT[@]}"
    expect_exit 0

    start_kestrix "$home" "$home"
    main=$(wait_window KESTRIX "$MAIN_SIZE")
    click_control "$main" "${INSTALL_UMOD[@]}"
    installer=$(wait_window "KESTRIX Installer")
    # The lists open on the stored package folder, which holds Île.umod alone.
    click_at "$installer" $((FILE1[0] / TWIPS_PER_PIXEL + 40)) $((FILE1[1] / TWIPS_PER_PIXEL + 8))
    click_control "$installer" "${INSTALL[@]}"
    local record
    record=$(setup_record "$game")
    step "the setup tool got: $(echo "$record" | tr '\n' '|')"
    expect_equal "the setup tool's arguments" "$record" \
        "install"$'\n'"$(windows_path "$packages/Île.umod")"
    expect_exit 0
    expect_clipboard "$(windows_path "$game")"
}

for scenario in ${KESTRIX_E2E_ONLY:-uninstall_picked_package uninstall_typed_package \
    install_package install_again_from_remembered_folders uninstall_without_manifest \
    install_without_setup_tool accented_names}; do
    run_scenario "$scenario"
done
