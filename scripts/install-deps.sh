#!/usr/bin/env bash
# Installs the Debian packages KESTRIX needs that are not installed yet.
#   scripts/install-deps.sh run    what building and running the program needs
#   scripts/install-deps.sh test   that, and what the tests need
#   scripts/install-deps.sh windows  what the cross-built Windows tests need
set -euo pipefail

# libxcb1-dev builds kestrix-clipboard, which keeps the clipboard on X11.
run_packages=(cmake ninja-build g++ qt6-base-dev libxcb1-dev fonts-liberation2)
# wine32 (a recommendation of wine) needs the i386 architecture, and the test
# programs are 64-bit: recommendations are left out. The 32-bit mingw-w64
# compiler builds the 32-bit stand-in for the game's setup tool, which is a
# 32-bit program.
# fonts-wine: the faces Wine draws Windows programs in; Xvfb, xdotool, x11-utils:
# the display the Windows program is driven on; imagemagick takes the pictures
# of it (scripts/screenshots.sh).
windows_packages=(cmake ninja-build libgtest-dev g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine wine64 fonts-wine
    xvfb xdotool x11-utils imagemagick)
# clang with its runtime libraries builds the fuzz target; Xvfb, xdotool and
# x11-utils drive the real windows, and imagemagick takes their pictures; xclip
# reads the clipboard that the program leaves behind.
test_packages=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev clang-format clang-tidy
    xvfb xdotool x11-utils xclip imagemagick)

case "${1:-}" in
    run) wanted=("${run_packages[@]}") ;;
    test) wanted=("${run_packages[@]}" "${test_packages[@]}") ;;
    windows) wanted=("${windows_packages[@]}") ;;
    *) echo "usage: $0 run|test|windows" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
