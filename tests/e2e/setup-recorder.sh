#!/bin/sh
# Stands in for the game's setup tool in the end-to-end tests, as
# e2e_setup_recorder.exe does under Wine. Once the test has seen the program
# that started it end (it then puts a file "go" beside the tool), it writes
# beside itself, in UTF-16, its command line as Windows would show it (its
# name, then each argument, one with blanks in quotes) and the text on the
# clipboard; whole under another name first, so that a test never reads half
# a record. It waits in the background: the program, which waits a moment
# for a tool that fails at once, sees this one end at once.
folder=$(dirname "$0") line=$(basename "$0")
for argument; do
    case $argument in *' '*) argument="\"$argument\"" ;; esac
    line="$line $argument"
done
(
    waited=0
    while [ ! -f "$folder/go" ] && [ $waited -lt 600 ]; do
        sleep 0.1 && waited=$((waited + 1))
    done
    { printf '%s\n' "$line" && timeout 5 xclip -o -selection clipboard -t UTF8_STRING; echo; } |
        iconv -f UTF-8 -t UTF-16LE >"$folder/Setup.record.part"
    mv "$folder/Setup.record.part" "$folder/Setup.record"
) >/dev/null 2>&1 &
