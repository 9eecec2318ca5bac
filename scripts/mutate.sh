#!/usr/bin/env bash
# The mutation check (see scripts/mutate.py): at the lowest priority, so that
# it never starves other builds on the machine.
exec nice -n 19 python3 "$(dirname "$0")/mutate.py" "$@"
