#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (plus AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 60) on its kept corpus
# tests/corpus/<target>/. New interesting inputs go to BUILD_DIR/corpus-<target>; copy the ones
# worth keeping into tests/corpus/<target>/ so the replay tests guard them.
# Usage: run_fuzz.sh [SECONDS] [BUILD_DIR] [TARGET...]
#   targets: schedule (reading a data file), lunar_args (the converter's command line),
#            today_occurrences (the Today item's occurrence lists), today_paint (the Today item
#            refreshed and painted by the plug-in itself), month_paint (the program's month view
#            painted and tapped); all of them by default.
# today_paint and month_paint need the platform library, so they are built through CMake in
# BUILD_DIR/cmake.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
seconds="${1:-60}"
out="${2:-$root/build-fuzz}"
shift $(( $# < 2 ? $# : 2 ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(schedule lunar_args today_occurrences today_paint month_paint)
mkdir -p "$out"
# The targets' scratch folders (and the stand-in's named objects) go to a folder of this run's,
# removed when it ends.
export TMPDIR="$(mktemp -d /tmp/kf.XXXXXX)"
trap 'rm -rf "$TMPDIR"' EXIT
core=("$root"/calendar/*.cpp "$root"/platform/core/*.cpp)

build() {
  local name="$1"; shift
  clang++ -std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined -I"$root" -I"$root/platform/include" \
    "$@" "${core[@]}" -ldl -o "$out/fuzz_$name"
}

for target in "${targets[@]}"; do
  extra=()
  case "$target" in
    schedule)
      # The check keeps its scratch folder with the tests' own helper, which asks GoogleTest
      # whether a test failed.
      build schedule "$root"/tests/fuzz/fuzz_schedule_file.cpp "$root"/tests/fuzz/schedule_file_check.cpp \
        "$root"/schedule/*.cpp "$root"/tests/support/temp_dir.cpp -lgtest -pthread
      max_len=2048 ;;
    lunar_args)
      build lunar_args "$root"/tests/fuzz/fuzz_lunar_args.cpp "$root"/tests/fuzz/lunar_args_check.cpp \
        "$root"/tools/lunar/cp949_names.cpp "$root"/tools/lunar/lunar_args.cpp "$root"/tools/lunar/lunar_holidays.cpp \
        "$root"/tools/lunar/lunar_lines.cpp "$root"/tools/lunar/lunar_month_grid.cpp "$root"/tools/lunar/lunar_next.cpp \
        "$root"/tools/common/option_scanner.cpp "$root"/schedule/entry_occurrences.cpp
      max_len=256 ;;
    today_occurrences)
      build today_occurrences "$root"/tests/fuzz/fuzz_today_occurrences.cpp \
        "$root"/tests/fuzz/today_occurrences_check.cpp \
        "$root"/today/coming_marks.cpp "$root"/today/item_cache.cpp "$root"/today/item_model.cpp "$root"/today/occurrences.cpp \
        "$root"/schedule/schedule_entry.cpp "$root"/schedule/entry_occurrences.cpp "$root"/schedule/user_choices.cpp
      max_len=2048 ;;
    today_paint | month_paint)
      [ -f "$out/cmake/build.ninja" ] || CXX=clang++ cmake -S "$root" -B "$out/cmake" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALMENO_FUZZ=ON >/dev/null
      cmake --build "$out/cmake" --target "fuzz_$target" >"$out/cmake-build.log" 2>&1 ||
        { tail -40 "$out/cmake-build.log"; exit 1; }
      cp "$out/cmake/tests/fuzz/fuzz_$target" "$out/fuzz_$target"
      # Every input opens a dialog, and the window manager keeps each destroyed window's object (so
      # that its handle is never reused): more allocations than frees, which would send libFuzzer
      # into a full leak scan per input. Leaks of this code are checked instead by the sanitizer
      # build, which replays these corpora under LeakSanitizer.
      extra=(-detect_leaks=0 -rss_limit_mb=4096)
      max_len=4096 ;;
    *) echo "run_fuzz.sh: unknown target $target" >&2; exit 2 ;;
  esac
  mkdir -p "$out/corpus-$target"
  echo "== fuzz_$target: ${seconds} s"
  (cd "$out" && QT_QPA_PLATFORM=offscreen \
    LSAN_OPTIONS="suppressions=$root/tests/sanitize/lsan.supp:print_suppressions=0" \
    "./fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 "${extra[@]}" \
    "corpus-$target" "$root/tests/corpus/$target")
done
