#!/usr/bin/env bash
# Start-up to a mapped main window and peak memory of the Qt program, against
# an empty Qt window of the same size (the goal: at most 1.2 times), and against
# a window with the same kinds of controls that holds nothing, which shows what
# of the difference is Qt's own; each pair in one run under a virtual display.
#   bench/window-startup.sh BUILD_DIR [RUNS]
# BUILD_DIR is a build configured with -DKESTRIX_BENCHMARKS=ON, best Release.
set -euo pipefail

build=$(realpath "$1")
runs=${2:-15}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../scripts/lib/x11.sh
source "$here/../scripts/lib/x11.sh"

work=$(mktemp -d)
trap 'stop_display; rm -rf "$work"' EXIT
start_display "$work/display"
# A home of its own: nothing remembered, no user settings read or written.
mkdir -m 700 "$work/home" "$work/runtime"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
echo "== kestrix against an empty window"
"$build/bench/window_startup_bench" "$runs" KESTRIX "$build/src/kestrix" "$build/bench/bare_qt_window"
echo "== kestrix against a window with the same kinds of controls"
"$build/bench/window_startup_bench" "$runs" KESTRIX "$build/src/kestrix" \
    "$build/bench/bare_qt_window controls"
