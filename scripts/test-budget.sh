#!/usr/bin/env bash
# The test budget: the lines of test code under tests/ may be at most a third
# of the product's C++ under src/. Counts exactly as the project's before-stop
# check does, over the files git tracks (so build folders and untracked
# scratch files never count): C++ lines that are neither blank nor a `//`
# comment, script lines that are neither blank nor a `#` comment. Fixtures
# under tests/data (manifests, tables, expected texts) are data, not code, and
# are not counted. Exits 1 when the tests are over the budget.
set -euo pipefail
cd "$(git -C "$(dirname "$0")" rev-parse --show-toplevel)"

# count_lines REGEX FILE...: lines of the files that do not match REGEX.
count_lines() {
    local regex=$1
    shift
    if (($# == 0)); then
        echo 0
        return
    fi
    # Per file, so that a last line without a newline is not joined to the
    # next file's first line.
    { grep -hcvE "$regex" -- "$@" || true; } | awk '{ sum += $1 } END { print sum + 0 }'
}

readonly CPP_SKIP='^\s*(//.*)?$'
readonly SCRIPT_SKIP='^\s*(#.*)?$'

mapfile -t test_cpp < <(git ls-files 'tests/*.cpp' 'tests/*.h')
mapfile -t test_scripts < <(git ls-files 'tests/*.sh' 'tests/*.py')
mapfile -t src_cpp < <(git ls-files 'src/*.cpp' 'src/*.h')

tests_cpp=$(count_lines "$CPP_SKIP" "${test_cpp[@]}")
tests_scripts=$(count_lines "$SCRIPT_SKIP" "${test_scripts[@]}")
tests_total=$((tests_cpp + tests_scripts))
src_total=$(count_lines "$CPP_SKIP" "${src_cpp[@]}")

echo "Per folder under tests/ (C++ + scripts):"
{
    for file in "${test_cpp[@]}"; do
        printf '%s\t%s\n' "$(dirname "$file")" "$(count_lines "$CPP_SKIP" "$file")"
    done
    for file in "${test_scripts[@]}"; do
        printf '%s\t%s\n' "$(dirname "$file")" "$(count_lines "$SCRIPT_SKIP" "$file")"
    done
} | awk -F'\t' '{ lines[$1] += $2 } END { for (d in lines) printf "  %6d  %s\n", lines[d], d }' | sort -k2

echo
echo "tests/: $tests_total lines ($tests_cpp C++, $tests_scripts shell/Python)"
echo "src/:   $src_total lines of C++"
budget=$((src_total / 3))
awk -v t="$tests_total" -v s="$src_total" 'BEGIN { printf "ratio:  %.2f (budget: at most 0.33)\n", (s ? t / s : 0) }'
if ((tests_total * 3 <= src_total)); then
    echo "within a third of src/: yes ($((budget - tests_total)) lines to spare)"
else
    echo "within a third of src/: NO ($((tests_total - budget)) lines over a budget of $budget)"
    exit 1
fi
