#!/usr/bin/env bash
# Builds the tag reader's libFuzzer target with clang and runs it: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh clang libclang-rt-14-dev
CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDROVEX_FUZZ=ON -DDROVEX_TESTS=OFF -DDROVEX_BENCH=OFF >/dev/null
cmake --build build/fuzz --target fuzz_trackinfo
mkdir -p build/fuzz/corpus
printf '#GP2INFO|Name|Monza|Country|Italy|Laps|53|LapRecord|None Entered|' > build/fuzz/corpus/seed1
exec build/fuzz/fuzz/fuzz_trackinfo -max_total_time="${1:-600}" -max_len=5000 -print_final_stats=1 build/fuzz/corpus
