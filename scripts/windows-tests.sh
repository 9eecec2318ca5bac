#!/usr/bin/env bash
# Cross-builds KESTRIX for Windows with mingw-w64 and runs its tests under
# Wine, on Windows' own file, process, registry and window functions as Wine
# provides them. Installs what is missing first (Debian packages).
#   scripts/windows-tests.sh            build into build-mingw and run the tests
# Exits non-zero when the build or a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build-mingw
scripts/install-deps.sh windows

echo "== Cross build for Windows (mingw-w64)"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Debug
cmake --build "$build_dir" -j2

echo "== Windows tests under Wine"
# A prefix of its own, thrown away afterwards: nothing of the user's Wine is
# read or changed. The window tests draw on a virtual display of their own.
# shellcheck source=scripts/lib/wine.sh
source scripts/lib/wine.sh
# shellcheck source=scripts/lib/x11.sh
source scripts/lib/x11.sh
unset WAYLAND_DISPLAY
work=$(mktemp -d "${TMPDIR:-/tmp}/kestrix-wine-XXXXXX")
finish() {
    wine_prefix_remove
    stop_display
    rm -rf "$work"
}
trap finish EXIT

start_display "$work/display"
wine_prefix_create "$work/prefix"
timeout 900 ctest --test-dir "$build_dir" --output-on-failure --timeout 300
