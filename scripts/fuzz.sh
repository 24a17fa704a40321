#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one: scripts/fuzz.sh [seconds] [target]
# Targets: fuzz_trackinfo (the #GP2INFO tag reader, the default), fuzz_numbers (number parsing and
# the field rule), fuzz_drovexcfg (reading and importing Drovex.cfg), fuzz_trackfile (a track
# file's checksum and track data, seeded with the tests' synthetic tracks; a minute: scripts/fuzz.sh 60 fuzz_trackfile).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh clang libclang-rt-14-dev
target="${2:-fuzz_trackinfo}"
CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDROVEX_FUZZ=ON -DDROVEX_BUILD_TESTS=OFF -DDROVEX_BENCH=OFF >/dev/null
cmake --build build/fuzz --target "$target"
corpus="build/fuzz/corpus-$target"
mkdir -p "$corpus"
dict=()
max_len=8000
case "$target" in
fuzz_trackinfo)
    printf '#GP2INFO|Name|Monza|Country|Italy|Laps|53|LapRecord|None Entered|' > "$corpus/seed1"
    dict=(-dict=fuzz/trackinfo.dict) ;;
fuzz_numbers)
    printf '12.6' > "$corpus/seed1"; printf '0194' > "$corpus/seed2" ;;
fuzz_drovexcfg)
    cp tests/data/drovex-defaults.cfg "$corpus/seed1"
    dict=(-dict=fuzz/drovexcfg.dict) ;;
fuzz_trackfile)
    cmake --build build/fuzz --target trackseeds
    build/fuzz/fuzz/trackseeds "$corpus"
    dict=(-dict=fuzz/trackfile.dict)
    max_len=16384 ;;
esac
exec "build/fuzz/fuzz/$target" -max_total_time="${1:-600}" -max_len="$max_len" -print_final_stats=1 "${dict[@]}" "$corpus"
