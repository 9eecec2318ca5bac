#!/usr/bin/env bash
# Installs what is missing, builds KESTRIX and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRIX_TESTS=OFF
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
cd "$HOME"
exec "$program"
