#!/usr/bin/env bash
# Builds the schedule-file fuzzer with clang's libFuzzer (plus AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it for SECONDS (default 60) on the kept corpus.
# New interesting inputs go to BUILD_DIR/corpus; copy the ones worth keeping into
# tests/corpus/schedule/ so the replay test guards them. Usage: run_fuzz.sh [SECONDS] [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
seconds="${1:-60}"
out="${2:-$root/build-fuzz}"
mkdir -p "$out/corpus"
sources=("$root"/tests/fuzz/fuzz_schedule_file.cpp "$root"/tests/fuzz/schedule_file_check.cpp
         "$root"/schedule/*.cpp "$root"/calendar/*.cpp "$root"/platform/core/*.cpp)
clang++ -std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -I"$root" -I"$root/platform/include" -I"$root/platform/core" \
  "${sources[@]}" -ldl -o "$out/fuzz_schedule_file"
cd "$out"
./fuzz_schedule_file -max_total_time="$seconds" -max_len=2048 -print_final_stats=1 \
  corpus "$root/tests/corpus/schedule"
