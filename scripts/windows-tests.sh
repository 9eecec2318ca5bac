#!/usr/bin/env bash
# Cross-builds the Qt-free part of KESTRIX for Windows with mingw-w64 and runs
# its tests under Wine, on Windows' own file and process functions as Wine
# provides them. Installs what is missing first (Debian packages).
#   scripts/windows-tests.sh            build into build-mingw and run the tests
# Exits non-zero when the build or a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build-mingw
scripts/install-deps.sh windows

echo "== Cross build for Windows (mingw-w64)"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Debug -DKESTRIX_GUI=OFF
cmake --build "$build_dir"

echo "== Windows tests under Wine"
# A prefix of its own, thrown away afterwards: nothing of the user's Wine is
# read or changed. No display is needed: the programs open no windows, and
# Wine is kept from offering to install Mono and Gecko.
WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/kestrix-wine-XXXXXX")"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
finish() {
    timeout 60 wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
}
trap finish EXIT

if ! timeout 300 wine wineboot --init >/dev/null 2>&1; then
    echo "Wine could not set up its prefix in $WINEPREFIX" >&2
    exit 1
fi
timeout 900 ctest --test-dir "$build_dir" --output-on-failure --timeout 300
