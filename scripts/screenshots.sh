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

# A fixed place, so that the drive list shows the same text in every picture,
# and a short one, so that the text fits the list.
root=/tmp/kestrix-shots
rm -rf "$root"
mkdir -p "$root/home/.wine/dosdevices" "$root/c"
cleanup() {
    if [ -n "${kestrix_pid:-}" ]; then
        kill "$kestrix_pid" 2>/dev/null || true
    fi
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
mkdir -p "$HOME/.config/KESTRIX"
cat >"$HOME/.config/KESTRIX/KESTRIX.ini" <<'EOF'
[UMODPath]
Path=C:\\UnrealTournament\\Mods

[UTPath]
Path=C:\\UnrealTournament
EOF

start_display "$root/display"

start_kestrix() {
    (cd "$HOME" && exec "$binary") >>"$root/kestrix.log" 2>&1 &
    kestrix_pid=$!
}

wait_exit() {
    if ! wait_process_end "$kestrix_pid"; then
        echo "kestrix did not end" >&2
        return 1
    fi
    kestrix_pid=
}

# Saves what the screen shows where window $1 is, a drop-down list over it
# included, as docs/$2.png. Windows have no frame on a display without a
# window manager: a thin grey line marks the edge on a white page.
shoot() {
    local size position
    size=$(window_size "$1")
    position=$(window_position "$1")
    import -window root -crop "${size}+${position% *}+${position#* }" +repage "$root/shot.png"
    convert "$root/shot.png" -bordercolor '#9a9a9a' -border 1 "docs/$2.png"
    echo "docs/$2.png: $size at ${position/ /,}"
}


linux_shots() {
# The main window on the remembered game folder, then the installer on the
# remembered package folder with a package picked.
start_kestrix
main=$(wait_window KESTRIX "$MAIN_SIZE")
expect_centred "$main"
shoot "$main" main
click_control "$main" "${INSTALL_UMOD[@]}"
installer=$(wait_window "KESTRIX Installer")
expect_centred "$installer"
click_at "$installer" $((FILE1[0] / TWIPS_PER_PIXEL + 40)) $((FILE1[1] / TWIPS_PER_PIXEL + 8))
shoot "$installer" installer
click_control "$installer" "${INSTALLER_EXIT[@]}"
wait_exit

# The uninstaller with its list of packages open, then the message after
# removing one.
start_kestrix
main=$(wait_window KESTRIX "$MAIN_SIZE")
click_control "$main" "${UNINSTALL_UMOD[@]}"
uninstaller=$(wait_window "Kestrix Uninstaller")
expect_centred "$uninstaller"
click_at "$uninstaller" $(((COMBO1[0] + COMBO1[2]) / TWIPS_PER_PIXEL - 8)) \
    $(((COMBO1[1] + COMBO1[3] / 2) / TWIPS_PER_PIXEL))
popup=$(wait_popup KESTRIX)
shoot "$uninstaller" uninstaller
popup_height=$(window_size "$popup")
popup_height=${popup_height#*x}
# The second entry, NightSkies.
click_at "$popup" 40 $((1 + (popup_height - 2) / 2 + (popup_height - 2) / 4))
wait_window_gone "$popup"
click_control "$uninstaller" "${UNINSTALL[@]}"
box=$(wait_window KESTRIX "$MAIN_SIZE" not)
shoot "$box" message
focus_window "$box"
press_keys Return
wait_window_gone "$box"
click_control "$uninstaller" "${UNINSTALLER_EXIT[@]}"
wait_exit
}

# ---- KESTRIX.exe under Wine ---------------------------------------------

# shellcheck source=scripts/lib/wine.sh
source scripts/lib/wine.sh
# shellcheck source=scripts/lib/wine-x11.sh
source scripts/lib/wine-x11.sh

# Wine draws each window's frame itself: the picture is the window as it is.
shoot_wine() {
    local size position
    size=$(window_size "$1")
    position=$(window_position "$1")
    import -window root -crop "${size}+${position% *}+${position#* }" +repage "docs/$2.png"
    echo "docs/$2.png: $size at ${position/ /,}"
}

windows_shots() {
    wine_prefix_create "$root/wine"
    local c=$WINEPREFIX/drive_c settings='HKEY_CURRENT_USER\Software\VB and VBA Program Settings\KESTRIX'
    cp -R examples/demo-game "$c/UnrealTournament"
    wine reg add "$settings\UTPath" /v Path /t REG_SZ /d 'C:\UnrealTournament' /f >/dev/null 2>&1
    wine reg add "$settings\UMODPath" /v Path /t REG_SZ /d 'C:\UnrealTournament\Mods' /f \
        >/dev/null 2>&1
    start_exe() {
        (cd "$c" && exec wine "$exe") >>"$root/kestrix.log" 2>&1 &
        kestrix_pid=$!
    }

    start_exe
    local main installer uninstaller box
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    shoot_wine "$main" win32-form1
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${INSTALL_UMOD[@]}"
    installer=$(wait_wine_window "KESTRIX Installer" "${INSTALLER_CLIENT[@]}")
    wine_click_at "$installer" "${INSTALLER_CLIENT[@]}" $((FILE1[0] / TWIPS_PER_PIXEL + 40)) \
        $((FILE1[1] / TWIPS_PER_PIXEL + 8))
    shoot_wine "$installer" win32-form2
    wine_click_control "$installer" "${INSTALLER_CLIENT[@]}" "${INSTALLER_EXIT[@]}"
    wait_exit

    start_exe
    main=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}")
    wine_click_control "$main" "${MAIN_CLIENT[@]}" "${UNINSTALL_UMOD[@]}"
    uninstaller=$(wait_wine_window "Kestrix Uninstaller" "${UNINSTALLER_CLIENT[@]}")
    # The list of packages dropped down by its arrow button.
    wine_click_at "$uninstaller" "${UNINSTALLER_CLIENT[@]}" \
        $(((COMBO1[0] + COMBO1[2]) / TWIPS_PER_PIXEL - 8)) \
        $(((COMBO1[1] + COMBO1[3] / 2) / TWIPS_PER_PIXEL))
    sleep 0.5
    shoot_wine "$uninstaller" win32-form3
    # The second entry, NightSkies, then Uninstall.
    focus_window "$uninstaller"
    press_keys Down Return
    wine_click_control "$uninstaller" "${UNINSTALLER_CLIENT[@]}" "${UNINSTALL[@]}"
    box=$(wait_wine_window KESTRIX "${MAIN_CLIENT[@]}" not)
    sleep 0.3
    shoot_wine "$box" win32-message
    focus_window "$box"
    press_keys Return
    wait_window_gone "$box"
    wine_click_control "$uninstaller" "${UNINSTALLER_CLIENT[@]}" "${UNINSTALLER_EXIT[@]}"
    wait_exit
}

if [ "$shots" != windows ]; then
    linux_shots
fi
if [ "$shots" != linux ]; then
    windows_shots
fi
