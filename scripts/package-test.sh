#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine with apt, checks that
# the program starts from its menu entry (its window appears on a virtual
# display) and removes the package again.
#   scripts/package-test.sh
# Run as root or as a user who may use sudo. The package is left in
# build-package/ (kestrix_<version>_<arch>.deb).
set -euo pipefail
cd "$(dirname "$0")/.."

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi

if dpkg-query -W -f='${Status}' kestrix 2>/dev/null | grep -q "install ok installed"; then
    echo "kestrix is installed on this machine already; this test would remove it." >&2
    echo "Remove it first: sudo apt-get remove kestrix" >&2
    exit 1
fi

scripts/install-deps.sh test
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRIX_TESTS=OFF
cmake --build build-package
rm -f build-package/kestrix_*.deb
(cd build-package && cpack -G DEB)
package=$(ls build-package/kestrix_*.deb)
echo "== $package"
dpkg-deb --field "$package" Package Version Architecture Depends Recommends
dpkg-deb --contents "$package"

work=$(mktemp -d)
cleanup() {
    if [ -n "${kestrix_pid:-}" ]; then
        kill "$kestrix_pid" 2>/dev/null || true
    fi
    stop_display 2>/dev/null || true
    if dpkg-query -W -f='${Status}' kestrix 2>/dev/null | grep -q "install ok installed"; then
        echo "== Removing the package"
        DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get remove -y -qq kestrix
    fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "== Installing it with apt"
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "./$package"
for file in /usr/bin/kestrix /usr/share/applications/kestrix.desktop \
    /usr/share/icons/hicolor/scalable/apps/kestrix.svg /usr/share/icons/hicolor/48x48/apps/kestrix.png; do
    [ -f "$file" ] || {
        echo "FAIL: the package did not install $file" >&2
        exit 1
    }
done

echo "== Starting it from its menu entry"
entry=/usr/share/applications/kestrix.desktop
exec_line=$(sed -n 's/^Exec=//p' "$entry")
# The entry takes no file or URL, so its Exec line holds no field codes to
# expand: it is a command line as it stands.
case "$exec_line" in
    *%*)
        echo "FAIL: the Exec line \"$exec_line\" holds field codes" >&2
        exit 1
        ;;
esac
# shellcheck source=scripts/lib/x11.sh
source scripts/lib/x11.sh
start_display "$work/display"
mkdir -p "$work/home"
# Started as a menu would start it: from the home folder, with a user's
# environment, and PATH finding the installed program.
(cd "$work/home" && HOME=$work/home XDG_RUNTIME_DIR=$work exec sh -c "exec $exec_line") \
    >"$work/kestrix.log" 2>&1 &
kestrix_pid=$!
if ! main=$(wait_window KESTRIX 382x300); then
    echo "FAIL: the main window did not appear. The program said:" >&2
    cat "$work/kestrix.log" >&2
    exit 1
fi
echo "the main window appeared ($(window_size "$main"))"
click_control "$main" "${MAIN_EXIT[@]}"
if ! wait_process_end "$kestrix_pid"; then
    echo "FAIL: the program did not end on Exit" >&2
    exit 1
fi
kestrix_pid=
echo "PASS: the package installs, starts from its menu entry and ends on Exit"
