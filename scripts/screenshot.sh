#!/usr/bin/env bash
# Refreshes the pictures in docs/: the main window with the default settings, and the Track
# Manager and the Track-Info window on a game folder that the tool makes for the occasion; shown
# on a virtual X server (xvfb-run) and captured.
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
echo "docs/screenshot.png, docs/screenshot-trackmanager.png, docs/screenshot-trackinfo.png, docs/screenshot-about.png,"
echo "docs/screenshot-about-dark.png and docs/screenshot-colours.png written"
