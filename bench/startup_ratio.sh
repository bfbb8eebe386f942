#!/usr/bin/env bash
# Start-up time of the program to its login window against a minimal Qt program that
# shows one empty window, both quitting as soon as their window is shown.
# Usage: bench/startup_ratio.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
runs="${2:-15}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A portable install: the program beside its own bsf folder, no first run.
cp "$build/tallyra" "$work/tallyra"
"$build/bench/prepare_tables" "$work" admin secret

export TALLYRA_EXIT_WHEN_SHOWN=1
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

# Milliseconds one run of a command takes.
run_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(( (end - start) / 1000 ))
}

median() { sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'; }

"$work/tallyra"; "$build/bench/minimal_window"  # warm the caches once
# The two programs take turns, so that a slower moment of the machine hits both alike.
: > "$work/program.txt"; : > "$work/minimal.txt"
for _ in $(seq "$runs"); do
  run_ms "$work/tallyra" >> "$work/program.txt"
  run_ms "$build/bench/minimal_window" >> "$work/minimal.txt"
done
program=$(median < "$work/program.txt")
minimal=$(median < "$work/minimal.txt")
awk -v p="$program" -v m="$minimal" -v r="$runs" 'BEGIN {
  printf "start-up to the login window: %.1f ms, minimal Qt window: %.1f ms (median of %d), ratio %.2f\n", p, m, r, p / m }'
