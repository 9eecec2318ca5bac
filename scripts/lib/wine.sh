# shellcheck shell=bash
# A Wine prefix of a run's own, set up so that Windows programs start fast and
# look as on Windows: sourced by the Windows tests, the Wine end-to-end run,
# the start-up benchmark and scripts/screenshots.sh. Needs wine, wine64 and
# fonts-wine (scripts/install-deps.sh windows).

# Creates a prefix under $1 (a new folder) and exports what Wine reads. Keeps
# a wineserver running until wine_prefix_remove: each program then starts in
# about half a second instead of one and a half.
wine_prefix_create() {
    WINEPREFIX=$1
    # No offers to install Mono and Gecko, no debug chatter.
    export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if ! timeout 300 wine wineboot --init >/dev/null 2>&1; then
        echo "Wine could not set up its prefix in $WINEPREFIX" >&2
        return 1
    fi
    timeout 60 wineserver -w
    wineserver -p >/dev/null 2>&1
    # Debian's Wine finds its own fonts only inside the prefix; without them
    # everything is drawn in a fallback face, and the layouts were drawn for
    # MS Sans Serif (Tahoma under Wine).
    local fonts=$WINEPREFIX/drive_c/windows/Fonts font
    mkdir -p "$fonts"
    for font in /usr/share/wine/fonts/*; do
        ln -sf "$font" "$fonts/"
    done
    # Managed=N: with no window manager on the display, Wine draws the frames
    # itself, and hiding a window or closing a message box no longer waits
    # for one to answer (about 2 s each). ThemeActive=0: the classic look.
    local settings
    settings=$(mktemp --suffix=.reg)
    printf '%s\r\n' 'REGEDIT4' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\ThemeManager]' \
        '"ThemeActive"="0"' '' >"$settings"
    timeout 60 wine regedit /S "$(winepath -w "$settings")" >/dev/null 2>&1
    local status=$?
    rm -f "$settings"
    return $status
}

# Ends the prefix's programs and its wineserver, and deletes it.
wine_prefix_remove() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        timeout 60 wineserver -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    fi
}

# A value of the prefix's HKEY_CURRENT_USER, as the registry file holds it:
# wine_registry_value 'Software\\VB and VBA Program Settings\\KESTRIX\\UTPath' Path
# Wine writes its registry files to disk a moment after a change; the server
# is asked to write them first.
wine_registry_value() {
    local key=$1 name=$2
    wine reg query "HKEY_CURRENT_USER\\$key" /v "$name" 2>/dev/null | tr -d '\r' |
        awk -v name="$name" '$1 == name && $2 == "REG_SZ" {
            sub(/^[ \t]*[^ \t]+[ \t]+REG_SZ[ \t]+/, ""); print; exit }'
}
