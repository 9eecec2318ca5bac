#!/usr/bin/env bash
# Builds KESTRIX.exe, the Windows program, on Debian with mingw-w64, and the
# zip that is handed out. Installs what is missing first (Debian packages).
#   scripts/build-windows.sh [build-dir]     default: build-windows
# Leaves <build-dir>/KESTRIX.exe and <build-dir>/KESTRIX-<version>-win64.zip.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build-windows}
scripts/install-deps.sh windows

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DKESTRIX_TESTS=OFF
cmake --build "$build_dir" -j2 --target kestrix_exe
(cd "$build_dir" && cpack -G ZIP >/dev/null)

# One file that runs on a bare Windows: nothing but system DLLs imported.
imports=$(x86_64-w64-mingw32-objdump -p "$build_dir/KESTRIX.exe" | awk '/DLL Name:/ {print $3}')
for dll in $imports; do
    case "${dll,,}" in
        kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | msvcrt.dll | \
            api-ms-win-crt-*.dll) ;;
        *)
            echo "KESTRIX.exe imports $dll, which Windows does not ship" >&2
            exit 1
            ;;
    esac
done
# The application manifest is in the program's resources: without it Windows
# stretches the windows on dense screens and refuses paths past MAX_PATH.
resources=$(mktemp)
x86_64-w64-mingw32-objcopy -O binary --only-section=.rsrc "$build_dir/KESTRIX.exe" "$resources"
for setting in 'requestedExecutionLevel level="asInvoker"' '>PerMonitorV2, System<' \
    '<longPathAware' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    if ! grep -qaF "$setting" "$resources"; then
        echo "KESTRIX.exe's resources lack its manifest's $setting" >&2
        rm -f "$resources"
        exit 1
    fi
done
rm -f "$resources"
echo "Built $build_dir/KESTRIX.exe ($(stat -c %s "$build_dir/KESTRIX.exe") bytes; imports:" \
    "$(echo "$imports" | tr '\n' ' '))"
ls "$build_dir"/KESTRIX-*-win64.zip
