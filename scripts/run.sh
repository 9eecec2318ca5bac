#!/usr/bin/env bash
# Installs what is missing, builds KESTRIX and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

# A line per stage, so that a first run, which builds for some minutes, is
# never silent.
stage() {
    echo "== $* ($((SECONDS))s so far)"
}

stage "Checking the packages KESTRIX needs"
scripts/install-deps.sh run
stage "Configuring the build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRIX_TESTS=OFF >/dev/null
if [ -x build/src/kestrix ]; then
    stage "Building what changed (seconds)"
else
    stage "Building KESTRIX for the first time (about 5 minutes on two cores)"
fi
cmake --build build

# A fresh copy of the demo game on every run, to try both flows on and start
# again; a folder of that name that is not such a copy is left alone.
demo=$HOME/KESTRIX-demo-game
if [ -e "$demo" ] && [ ! -f "$demo/.kestrix-demo-game" ]; then
    echo "$demo is not a copy of the demo game: it is left as it is." >&2
else
    rm -rf "$demo"
    cp -R examples/demo-game "$demo"
    echo "A fresh copy of the demo game is in $demo (Z:${demo//\//\\})."
fi
# Started in the home folder, where the main window then opens on a first
# start, one double-click away from the demo game.
program=$PWD/build/src/kestrix
stage "Starting KESTRIX"
cd "$HOME"
exec "$program"
