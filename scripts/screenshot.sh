#!/usr/bin/env bash
# Refreshes the pictures in docs/: the main window with the default settings (also at scale 2),
# the Track Manager and the Track-Info window on a game folder that the tool makes for the
# occasion, About (also under a dark theme) and the colour selector; shown on a virtual X server
# (xvfb-run) and captured.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --player
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DDROVEX_BUILD_TESTS=OFF -DDROVEX_BENCH=OFF >/dev/null
cmake --build build/release --target drovex_snapshot
store=$(mktemp -d)
trap 'rm -rf "$store"' EXIT
printf '[Settings]\nPath-GP2=/home/player/Games/GP2\nGP2%%20Options=1\n' > "$store/store.ini"
xvfb-run -a -s "-screen 0 1400x900x24" build/release/drovex_snapshot "$store/store.ini" \
    docs/screenshot.png docs/screenshot-trackmanager.png docs/screenshot-trackinfo.png docs/screenshot-about.png \
    docs/screenshot-about-dark.png docs/screenshot-colours.png
# The main window at 200 % on a 1600x1000 screen: the settings scroll, the commands stay in sight.
printf '[Settings]\nPath-GP2=/home/player/Games/GP2\nGP2%%20Options=1\n' > "$store/store.ini"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 1600x1000x24" build/release/drovex_snapshot "$store/store.ini" \
    docs/screenshot-scale2.png
echo "docs/screenshot.png, docs/screenshot-trackmanager.png, docs/screenshot-trackinfo.png, docs/screenshot-about.png,"
echo "docs/screenshot-about-dark.png, docs/screenshot-colours.png and docs/screenshot-scale2.png written"
