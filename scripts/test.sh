#!/usr/bin/env bash
# Installs what is missing, builds KESTRIX with its tests and runs every test:
# the Linux program's tests and its end-to-end run, then KESTRIX.exe's, cross-
# built and run under Wine. Each part says what it runs; the script stops at
# the first part that fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build-test
ctest --test-dir build-test --output-on-failure
tests/e2e/run.sh build-test/src/kestrix

echo "== The benchmarks, built as they are measured (Release); run them by hand"
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRIX_BENCHMARKS=ON \
    -DKESTRIX_TESTS=OFF
cmake --build build-bench

echo "== The Windows side, cross-built and run under Wine"
scripts/windows-tests.sh

echo "== The game folder on the clipboard, read through Wine after KESTRIX has ended"
tests/e2e/wine-clipboard.sh build-test/src/kestrix build-mingw/tests/platform/win/clipboard_stand_in.exe

echo "== KESTRIX.exe under Wine, end to end"
scripts/windows-e2e.sh
