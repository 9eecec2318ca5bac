#!/usr/bin/env bash
# Start-up of KESTRIX.exe under Wine: the time from starting the program to
# its main window being mapped on the display, against a bare Win32 window
# built the same way (bench/win32/BareWindow.cpp), both measured in this run,
# on the same display and prefix, alternately. Prints the medians and their
# ratio; the goal is at most 1.2.
#   bench/startup-wine.sh <cross-build-dir> [rounds]
# Builds nothing: scripts/build-windows.sh (or windows-tests.sh) builds
# KESTRIX.exe and bare_window.exe first.
set -euo pipefail

build=$(realpath "${1:?usage: $0 <cross-build-dir> [rounds]}")
rounds=${2:-9}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/lib/x11.sh
source "$here/../scripts/lib/x11.sh"
# shellcheck source=scripts/lib/wine.sh
source "$here/../scripts/lib/wine.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/kestrix-startup-XXXXXX")
finish() {
    wine_prefix_remove
    stop_display
    rm -rf "$work"
}
trap finish EXIT
unset WAYLAND_DISPLAY
start_display "$work/display"
wine_prefix_create "$work/prefix"
# Nothing stored: KESTRIX opens on its current folder, as at a first start.
cd "$work"

window_shown() {
    [ -n "$(xdotool search --onlyvisible --name '^KESTRIX$' 2>/dev/null)" ]
}

# Polls until the command given succeeds; fails saying what did not happen
# after 30 s, so that a window that does not come fails the run.
wait_for() {
    local missing=$1 deadline=$((SECONDS + 30))
    shift
    until "$@"; do
        if [ $SECONDS -ge $deadline ]; then
            echo "$missing within 30 s" >&2
            return 1
        fi
        sleep 0.005
    done
}

# Ends a started program. Until its window is gone, the next round would find
# it at once.
end_program() {
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null || true
    while window_shown; do
        sleep 0.01
    done
}

# Milliseconds from start to a visible window titled KESTRIX; the program is
# ended afterwards.
time_to_window() {
    local program=$1 start now pid
    start=$(date +%s%N)
    wine "$program" >/dev/null 2>&1 &
    pid=$!
    if ! wait_for "no window from $program" window_shown; then
        end_program "$pid"
        return 1
    fi
    now=$(date +%s%N)
    end_program "$pid"
    echo $(((now - start) / 1000000))
}

# The milliseconds from the main window's appearance to its first answer to
# another program (the folder list's row count: the window takes input), and
# the rows, measured by bench/win32/first_answer.exe, which looks for the
# window before KESTRIX.exe starts.
probe_looking() {
    grep -q looking "$work/answer" 2>/dev/null
}
time_to_answer() {
    local probe pid answered=0
    wine "$build/bench/win32/first_answer.exe" >"$work/answer" 2>/dev/null &
    probe=$!
    if ! wait_for "first_answer.exe did not start" probe_looking; then
        kill "$probe" 2>/dev/null
        return 1
    fi
    wine "$build/KESTRIX.exe" >/dev/null 2>&1 &
    pid=$!
    wait "$probe" || answered=$?
    end_program "$pid"
    if [ "$answered" -ne 0 ]; then
        echo "KESTRIX.exe did not answer" >&2
        return 1
    fi
    tr -d '\r' <"$work/answer" | tail -n 1
}

median() {
    sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'
}

# A first start of each, not counted: Wine maps the DLLs and fonts into its
# caches once.
time_to_window "$build/bench/win32/bare_window.exe" >/dev/null
time_to_window "$build/KESTRIX.exe" >/dev/null

bare=()
kestrix=()
for ((i = 0; i < rounds; i++)); do
    bare+=("$(time_to_window "$build/bench/win32/bare_window.exe")")
    kestrix+=("$(time_to_window "$build/KESTRIX.exe")")
done
bare_median=$(printf '%s\n' "${bare[@]}" | median)
kestrix_median=$(printf '%s\n' "${kestrix[@]}" | median)
echo "bare window:  ${bare[*]} ms, median ${bare_median} ms"
echo "KESTRIX.exe:  ${kestrix[*]} ms, median ${kestrix_median} ms"
# The fastest start of each as well: on a machine busy with other work the
# medians wander, and the fastest is the start least disturbed by it.
bare_fastest=$(printf '%s\n' "${bare[@]}" | sort -n | head -n 1)
kestrix_fastest=$(printf '%s\n' "${kestrix[@]}" | sort -n | head -n 1)
awk -v k="$kestrix_median" -v b="$bare_median" -v kf="$kestrix_fastest" -v bf="$bare_fastest" \
    'BEGIN {printf "start-up ratio KESTRIX.exe / bare window: %.2f by the medians, %.2f by the fastest starts (goal: at most 1.20)\n", k / b, kf / bf}'

# A large folder: KESTRIX.exe started in a folder of 20,000 sub-folders,
# against the same start in an empty folder, alternately in this run. The
# folder list is filled without a redraw for each row, and KESTRIX.exe reads
# the folder while it makes its window, which shows before the read is done;
# the goal is at most 0.1 s more than the empty folder. How long the window
# then takes to list the sub-folders and answer is measured after.
folders=${KESTRIX_LARGE_FOLDERS:-20000}
mkdir -p "$work/empty" "$work/large"
(cd "$work/large" && seq -f 'folder%05g' 1 "$folders" | xargs mkdir)
empty=()
large=()
for ((i = 0; i < rounds; i++)); do
    empty+=("$(cd "$work/empty" && time_to_window "$build/KESTRIX.exe")")
    large+=("$(cd "$work/large" && time_to_window "$build/KESTRIX.exe")")
done
empty_median=$(printf '%s\n' "${empty[@]}" | median)
large_median=$(printf '%s\n' "${large[@]}" | median)
echo "empty folder:          ${empty[*]} ms, median ${empty_median} ms"
echo "$folders sub-folders: ${large[*]} ms, median ${large_median} ms"
awk -v l="$large_median" -v e="$empty_median" \
    'BEGIN {printf "large folder / empty folder: %.2f, %+d ms by the medians (goal: at most +100 ms)\n", l / e, l - e}'

# When the window answers: the sub-folders still to follow are listed first.
empty_answer=()
large_answer=()
for ((i = 0; i < rounds; i++)); do
    empty_answer+=("$(cd "$work/empty" && time_to_answer)")
    large_answer+=("$(cd "$work/large" && time_to_answer)")
done
answer_median() {
    printf '%s\n' "$@" | awk '{print $1}' | median
}
echo "empty folder:          answers ${empty_answer[0]#* } rows $(answer_median "${empty_answer[@]}") ms after it shows (median)"
echo "$folders sub-folders: answers ${large_answer[0]#* } rows $(answer_median "${large_answer[@]}") ms after it shows (median)"
