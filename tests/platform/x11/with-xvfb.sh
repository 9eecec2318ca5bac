#!/usr/bin/env bash
# Runs a command with DISPLAY set to an Xvfb of its own, which runs no
# clipboard manager, and ends the display afterwards.
#   with-xvfb.sh COMMAND [ARGUMENT...]
set -uo pipefail

number=$(mktemp)
# -noreset: otherwise the server resets when its last client leaves, and a
# client that connects during the reset is refused.
Xvfb -noreset -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$number"' EXIT
for _ in $(seq 100); do
    [ -s "$number" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$number" ]; then
    echo "Xvfb did not start" >&2
    exit 1
fi
DISPLAY=":$(head -n 1 "$number")" "$@"
