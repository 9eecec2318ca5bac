#!/usr/bin/env bash
# Runs a command with DISPLAY set to an Xvfb of its own, started without
# resets and running no clipboard manager, and ends the display afterwards.
#   with-xvfb.sh COMMAND [ARGUMENT...]
set -uo pipefail
# shellcheck source=scripts/lib/x11.sh
source "$(dirname "$0")/../../../scripts/lib/x11.sh"
work=$(mktemp -d)
trap 'stop_display; rm -rf "$work"' EXIT
start_display "$work/display" || exit 1
"$@"
