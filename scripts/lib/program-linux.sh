# shellcheck shell=bash
# kestrix, the Linux program, for program.sh: Qt draws no frame, so a window
# is its client area, and the settings are the INI file in $HOME.
# shellcheck disable=SC2034
ROW_PIXELS=$DIR_ROW_PIXELS

find_window() { wait_window "$1" "$2x$3" "${4:-}"; }
click_in() { "${4:-click_at}" "${1%% *}" "$2" "$3"; }

settings_file() { echo "$HOME/.config/KESTRIX/KESTRIX.ini"; }
forget_settings() { rm -f "$(settings_file)"; }

# Stores Windows path $2 in section $1 as the program writes it: Qt's INI
# form doubles each backslash.
store_setting() {
    mkdir -p "$(dirname "$(settings_file)")"
    printf '[%s]\nPath=%s\n\n' "$1" "${2//\\/\\\\}" >>"$(settings_file)"
}

stored_path() {
    [ ! -f "$(settings_file)" ] || awk -v section="[$1]" '/^\[/ { inside = ($0 == section) }
        inside && /^Path=/ { sub(/^Path=/, ""); print; exit }' "$(settings_file)" | sed 's/\\\\/\\/g'
}
