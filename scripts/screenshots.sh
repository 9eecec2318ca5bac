#!/usr/bin/env bash
# Renders each window of KESTRIX into docs/*.png for the README: the real
# program on a virtual display, on a copy of the demo game laid out as a Wine
# drive C:, driven with X input as the end-to-end tests drive it; then the
# same windows of KESTRIX.exe under Wine into docs/win32-*.png.
#   scripts/screenshots.sh [path-to-kestrix [path-to-KESTRIX.exe]]
# Without paths it builds build/src/kestrix as scripts/run.sh does and
# KESTRIX.exe as scripts/build-windows.sh does. KESTRIX_SHOTS=linux or
# windows renders one side only. It stops by itself within four minutes.
set -euo pipefail
cd "$(dirname "$0")/.."

shots=${KESTRIX_SHOTS:-all}
if [ "${1:-}" != "--capture" ]; then
    binary=${1:-}
    exe=${2:-}
    if [ "$shots" != windows ]; then
        scripts/install-deps.sh test
        if [ -z "$binary" ]; then
            cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRIX_TESTS=OFF
            cmake --build build
            binary=build/src/kestrix
        fi
        binary=$(realpath "$binary")
    fi
    if [ "$shots" != linux ]; then
        if [ -z "$exe" ]; then
            scripts/build-windows.sh build-windows
            exe=build-windows/KESTRIX.exe
        fi
        exe=$(realpath "$exe")
    fi
    exec timeout --kill-after=10 240 "$0" --capture "$binary" "$exe"
fi
binary=$2
exe=$3

# shellcheck source=scripts/lib/x11.sh
source scripts/lib/x11.sh
# shellcheck source=scripts/lib/program.sh
source scripts/lib/program.sh

# A fixed place, so that the drive list shows the same text in every picture,
# and a short one, so that the text fits the list.
root=/tmp/kestrix-shots
rm -rf "$root"
mkdir -p "$root/home/.wine/dosdevices" "$root/c"
cleanup() {
    stop_kestrix
    if [ -n "${WINEPREFIX:-}" ]; then
        wine_prefix_remove
    fi
    stop_display
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

export HOME=$root/home
unset XDG_CONFIG_HOME XDG_CONFIG_DIRS QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
export XDG_RUNTIME_DIR=$root/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The game where Wine users keep it: C:\UnrealTournament.
ln -s "$root/c" "$HOME/.wine/dosdevices/c:"
cp -R examples/demo-game "$root/c/UnrealTournament"

start_display "$root/display"

wait_exit() {
    if ! wait_process_end "$KESTRIX_PID"; then
        echo "KESTRIX did not end" >&2
        return 1
    fi
    rm -f "$root/kestrix.pid"
}

# Saves window $1 ("ID ...", as program.sh gives it) as docs/$2.png, cut from
# the screen so that what is drawn on top of it (a drop-down list) shows
# too; Qt's windows, which have no frame of their own, get a thin border.
shoot() {
    local id=${1%% *} size position
    size=$(window_size "$id")
    position=$(window_position "$id")
    import -window root -crop "${size}+${position% *}+${position#* }" +repage "$root/shot.png"
    if [ -n "$3" ]; then
        convert "$root/shot.png" -bordercolor '#9a9a9a' -border 1 "docs/$2.png"
    else
        cp "$root/shot.png" "docs/$2.png"
    fi
    echo "docs/$2.png: $size at ${position/ /,}"
}

# The same walk through both programs, started in folder $1: the main window,
# the installer with a package picked, the uninstaller with its list dropped
# down (pick_second shoots it and picks NightSkies, the second entry), and
# the message after the removal. $2 is the border, $3 to $6 the files' names.
shoot_windows() {
    local main installer uninstaller box
    start_kestrix "$1"
    main=$(await main)
    expect_centred "${main%% *}"
    shoot "$main" "$3" "$2"
    click "$main" INSTALL_UMOD
    installer=$(await installer)
    expect_centred "${installer%% *}"
    pick_first_file "$installer"
    shoot "$installer" "$4" "$2"
    click "$installer" INSTALLER_EXIT
    wait_exit

    start_kestrix "$1"
    uninstaller=$(open_through UNINSTALL_UMOD uninstaller)
    expect_centred "${uninstaller%% *}"
    open_package_list "$uninstaller"
    pick_second "$uninstaller" "$5" "$2"
    click "$uninstaller" UNINSTALL
    box=$(await main not)
    sleep 0.3
    shoot "$box" "$6" "$2"
    focus_window "${box%% *}"
    press_keys Return
    wait_window_gone "${box%% *}"
    click "$uninstaller" UNINSTALLER_EXIT
    wait_exit
}

if [ "$shots" != windows ]; then
    # shellcheck source=scripts/lib/program-linux.sh
    source scripts/lib/program-linux.sh
    PROGRAM_COMMAND=("$binary")
    store_setting UMODPath 'C:\UnrealTournament\Mods'
    store_setting UTPath 'C:\UnrealTournament'
    pick_second() {
        local popup height
        popup=$(wait_popup KESTRIX)
        shoot "$1" "$2" "$3"
        height=$(window_size "$popup")
        height=${height#*x}
        click_at "$popup" 40 $((1 + (height - 2) / 2 + (height - 2) / 4))
        wait_window_gone "$popup"
    }
    shoot_windows "$HOME" border main installer uninstaller message
fi

if [ "$shots" != linux ]; then
    # shellcheck source=scripts/lib/wine.sh
    source scripts/lib/wine.sh
    # shellcheck source=scripts/lib/wine-x11.sh
    source scripts/lib/wine-x11.sh
    # shellcheck source=scripts/lib/program-wine.sh
    source scripts/lib/program-wine.sh
    wine_prefix_create "$root/wine"
    PROGRAM_COMMAND=(wine "$exe")
    cp -R examples/demo-game "$WINEPREFIX/drive_c/UnrealTournament"
    store_setting UTPath 'C:\UnrealTournament'
    store_setting UMODPath 'C:\UnrealTournament\Mods'
    pick_second() {
        sleep 0.5
        shoot "$1" "$2" "$3"
        focus_window "${1%% *}"
        press_keys Down Return
    }
    shoot_windows "$WINEPREFIX/drive_c" "" win32-form1 win32-form2 win32-form3 win32-message
fi
