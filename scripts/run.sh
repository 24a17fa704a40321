#!/usr/bin/env bash
# Installs what is missing (through sudo when not root), builds the front-end without its tests
# and benchmarks, and starts it. With no display it runs on a virtual X server, where nothing
# can be seen, until it is ended with Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --player
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DDROVEX_BUILD_TESTS=OFF -DDROVEX_BENCH=OFF >/dev/null
cmake --build build/release --target drovex
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting the front-end on a virtual X server (xvfb-run), where it cannot" \
         "be seen; Ctrl+C ends it." >&2
    exec xvfb-run -a build/release/src/drovex
fi
exec build/release/src/drovex
