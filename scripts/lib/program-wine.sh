# shellcheck shell=bash
# KESTRIX.exe under Wine, for program.sh: Wine draws each window's frame
# inside its X window (wine-x11.sh), and the settings are in the registry of
# the prefix that wine.sh made.
# shellcheck disable=SC2034
ROW_PIXELS=$WIN_DIR_ROW_PIXELS
SETTINGS_KEY='Software\VB and VBA Program Settings\KESTRIX'

find_window() { wait_wine_window "$@"; }
click_in() {
    local id width height
    read -r id width height <<<"$1"
    wine_click_at "$id" "$width" "$height" "$2" "$3" "${4:-}"
}

forget_settings() {
    timeout 30 wine reg delete "HKEY_CURRENT_USER\\$SETTINGS_KEY" /f >/dev/null 2>&1 || true
}
store_setting() {
    timeout 30 wine reg add "HKEY_CURRENT_USER\\$SETTINGS_KEY\\$1" /v Path /t REG_SZ /d "$2" /f \
        >/dev/null 2>&1
}
stored_path() { wine_registry_value "$SETTINGS_KEY\\$1" Path; }
