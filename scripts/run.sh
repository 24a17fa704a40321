#!/usr/bin/env bash
# Installs what is missing, builds the front-end and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DDROVEX_TESTS=OFF >/dev/null
cmake --build build/release --target drovex
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting the front-end on a virtual X server (xvfb-run)." >&2
    exec xvfb-run -a build/release/src/drovex
fi
exec build/release/src/drovex
