#!/usr/bin/env bash
# Start-up time and peak memory of the program to its login window against a minimal Qt
# program that shows one window with one Chinese label, each ending once its window has
# painted its first frame.
# Usage: bench/startup_ratio.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
runs="${2:-21}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A portable install: the program beside its own bsf folder, no first run.
cp "$build/tallyra" "$work/tallyra"
"$build/bench/prepare_tables" "$work" admin secret

export TALLYRA_EXIT_WHEN_SHOWN=1
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

# One run: its milliseconds to times.txt, its peak memory in KiB to memory.txt.
run() { # name command
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$work/peak" "${@:2}" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(( (end - start) / 1000 )) >> "$work/$1.times"
  cat "$work/peak" >> "$work/$1.memory"
}

median() { sort -n "$1" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

"$work/tallyra"; "$build/bench/minimal_window"  # warm the caches once
# The two programs take turns, so that a slower moment of the machine hits both alike.
for _ in $(seq "$runs"); do
  run program "$work/tallyra"
  run minimal "$build/bench/minimal_window"
done
awk -v p="$(median "$work/program.times")" -v m="$(median "$work/minimal.times")" \
    -v pm="$(median "$work/program.memory")" -v mm="$(median "$work/minimal.memory")" \
    -v r="$runs" 'BEGIN {
  printf "start-up to the login window: %.1f ms, minimal Chinese window: %.1f ms (medians of %d), ratio %.2f\n", p / 1000, m / 1000, r, p / m
  printf "peak memory: %.1f MiB against %.1f MiB, ratio %.2f\n", pm / 1024, mm / 1024, pm / mm }'
