#!/usr/bin/env bash
# Builds the manifest and package fuzz targets with clang and runs them for a
# bounded time, split between them.
#   fuzz/run.sh [SECONDS]     (60 when not given; the build folder is
#                              $KESTRIX_FUZZ_BUILD, else build-fuzz)
# New inputs go to a temporary folder; the committed seeds in fuzz/corpus are
# only read. A failing input is left as crash-*/timeout-* in the current
# folder, and the script exits non-zero.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KESTRIX_FUZZ_BUILD:-$root/build-fuzz}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESTRIX_FUZZ=ON -DKESTRIX_GUI=OFF -DKESTRIX_TESTS=OFF >/dev/null
cmake --build "$build" --target manifest_fuzz package_fuzz

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Each target gets half of the time, the package reader the rest of an odd second.
half=$((seconds / 2))
# libFuzzer reports every new input it finds; the log is shown whole only
# when something failed.
run() {
    local target=$1 time=$2 seeds=$3
    mkdir "$work/$target"
    if ! "$build/fuzz/$target" -max_total_time="$time" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$work/$target" "$seeds" >"$work/$target.log" 2>&1; then
        cat "$work/$target.log"
        exit 1
    fi
    tail -n 12 "$work/$target.log"
}
run manifest_fuzz "$half" "$root/fuzz/corpus"
run package_fuzz "$((seconds - half))" "$root/fuzz/package-corpus"
