# shellcheck shell=bash
# The checks and the scenario runner that the end-to-end runs of both
# programs share (tests/e2e for kestrix, tests/e2e-win for KESTRIX.exe).
# The sourcing script defines $root (the run's folder), $tally (where each
# scenario's outcome is counted), PROGRAM_NAME, and a start_kestrix that
# leaves the program's id in KESTRIX_PID and in $root/kestrix.pid.

step() { echo "  - $*"; }

stop_kestrix() {
    if [ -s "$root/kestrix.pid" ]; then
        kill "$(cat "$root/kestrix.pid")" 2>/dev/null
        rm -f "$root/kestrix.pid"
    fi
}

# Waits until the program has ended and checks that it ended with status $1.
expect_exit() {
    wait_process_end "$KESTRIX_PID" ||
        fail "$PROGRAM_NAME is still running after ${WAIT_SECONDS}s"
    local status=0
    wait "$KESTRIX_PID" || status=$?
    rm -f "$root/kestrix.pid"
    [ "$status" -eq "$1" ] || fail "$PROGRAM_NAME ended with status $status, not $1"
    step "$PROGRAM_NAME ended with status $status"
}

fail() {
    echo "not ok: $*" >&2
    return 1
}

expect_equal() { # what actual expected
    [ "$2" = "$3" ] || fail "$1 is \"$2\", not \"$3\""
}

expect_missing() {
    local file
    for file in "$@"; do
        [ ! -e "$file" ] || fail "$file is still there"
    done
}

expect_present() {
    local file
    for file in "$@"; do
        [ -f "$file" ] || fail "$file is gone"
    done
}

expect_same_bytes() { # file expected-file
    cmp -s "$1" "$2" || fail "$1 differs from $2: $(cmp "$1" "$2" 2>&1)"
}

# Runs the scenario function $1, prints PASS or FAIL with its steps (and the
# program's own output when it failed), and counts it in $tally.
run_scenario() {
    local name=$1 log=$root/$1.log status
    # Not on the left of || or &&, where bash would ignore set -e inside.
    (
        set -e
        if [ -n "${KESTRIX_E2E_TRACE:-}" ]; then
            set -x
        fi
        "$name"
    ) >"$log" 2>&1
    status=$?
    stop_kestrix
    if [ "$status" -eq 0 ]; then
        echo "PASS $name"
        sed 's/^/    /' "$log"
        echo "pass $name" >>"$tally"
    else
        echo "FAIL $name"
        sed 's/^/    /' "$log"
        echo "    ($PROGRAM_NAME's output:)"
        sed 's/^/    /' "$root/kestrix.log" 2>/dev/null | tail -n 20
        echo "fail $name" >>"$tally"
    fi
    : >"$root/kestrix.log"
}
