#!/usr/bin/env bash
# Builds the manifest fuzz target with clang and runs it for a bounded time.
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
cmake --build "$build" --target manifest_fuzz

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
# libFuzzer reports every new input it finds; the log is shown whole only
# when something failed.
if ! "$build/fuzz/manifest_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$work/corpus" "$root/fuzz/corpus" >"$work/fuzz.log" 2>&1; then
    cat "$work/fuzz.log"
    exit 1
fi
tail -n 12 "$work/fuzz.log"
