#!/bin/sh
# Stands in for the game's setup tool in the end-to-end tests: records the
# arguments it was started with, one a line, next to itself. Written whole
# under another name first, so that a test never reads half a record.
record="$(dirname "$0")/Setup.record"
printf '%s\n' "$@" >"$record.part" && mv "$record.part" "$record"
