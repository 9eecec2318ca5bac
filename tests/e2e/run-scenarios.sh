#!/usr/bin/env bash
# Runs a scenarios script bounded in time and closes with "N passed, N
# failed"; exits non-zero when a scenario failed, or the run could not start
# or did not end in time. The end-to-end runs of both programs use it.
#   tests/e2e/run-scenarios.sh <scenarios.sh> <its argument> <seconds> <what>
set -uo pipefail

scenarios=$1 argument=$2 limit=$3 what=$4
tally=$(mktemp)
started=$SECONDS
# timeout puts the scenarios in a process group of their own and ends the
# whole group, display and programs included, when the time is up.
timeout --kill-after=10 "$limit" bash "$scenarios" "$argument" "$tally"
status=$?

passed=$(grep -c '^pass ' "$tally")
failed=$(grep -c '^fail ' "$tally")
rm -f "$tally"
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "FAIL the run was stopped after ${limit}s"
    failed=$((failed + 1))
elif [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
    echo "FAIL the scenarios could not run (status $status)"
    failed=$((failed + 1))
fi
echo "$what took $((SECONDS - started))s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
