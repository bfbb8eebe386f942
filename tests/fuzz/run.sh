#!/usr/bin/env bash
# Builds the fuzz target with clang, makes its seed corpus from the program's own table
# files and runs it: run.sh [SECONDS] (default 60). Crashes land in build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-60}"
dir=build-fuzz
cmake -S tests/fuzz -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$dir" -j "$(nproc)"
rm -rf "$dir/seeds"
"$dir/make_fuzz_seeds" "$dir/seeds" tests/fixtures
mkdir -p "$dir/corpus" "$dir/crashes"
# The store syncs every commit and copy; on a RAM disk that costs nothing.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
TALLYRA_FUZZ_SEEDS="$dir/seeds" ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  "$dir/table_file_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=65536 -print_final_stats=1 -artifact_prefix="$dir/crashes/" "$dir/corpus" "$dir/seeds"
