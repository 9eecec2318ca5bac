#!/usr/bin/env bash
# Drives the cross-built KESTRIX.exe end to end under Wine on a virtual
# display (tests/e2e with the driver in tests/e2e-win). Installs what is
# missing and builds first.
#   scripts/windows-e2e.sh            build into build-mingw and run it
# Exits non-zero when the build or a scenario fails.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build-mingw
scripts/install-deps.sh windows
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Debug
cmake --build "$build_dir" -j2

echo "== KESTRIX.exe end to end under Wine"
tests/e2e/run.sh "$build_dir"
