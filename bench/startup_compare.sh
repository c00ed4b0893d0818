#!/usr/bin/env bash
# Start-up of the main window against a minimal Qt Widgets program that shows
# an empty window, both whole processes on the offscreen platform, measured
# alternately RUNS times (default 21); prints the medians and their ratio.
# For reference also the same minimal window with one label: the first text
# on screen makes Qt load its font database, which an empty window never does.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
RUNS="${RUNS:-21}"
export QT_QPA_PLATFORM=offscreen

scripts/setup.sh
cmake --build "$BUILD_DIR" --target minimal_window window_startup >/dev/null

ms() {  # wall time of one run of "$@", in milliseconds with three decimals
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f\n", (e - s) / 1000000 }'
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

floor=() text=() window=()
"$BUILD_DIR/bench/minimal_window"; "$BUILD_DIR/bench/window_startup"  # warm the caches
for ((i = 0; i < RUNS; i++)); do
  floor+=("$(ms "$BUILD_DIR/bench/minimal_window")")
  text+=("$(ms "$BUILD_DIR/bench/minimal_window" text)")
  window+=("$(ms "$BUILD_DIR/bench/window_startup")")
done
f=$(printf '%s\n' "${floor[@]}" | median)
t=$(printf '%s\n' "${text[@]}" | median)
w=$(printf '%s\n' "${window[@]}" | median)
echo "minimal window:            $f ms (median of $RUNS)"
echo "minimal window with text:  $t ms"
echo "main window:               $w ms"
awk -v w="$w" -v f="$f" -v t="$t" \
  'BEGIN { printf "ratio: %.2f against the empty window, %.2f against the one with text\n", w / f, w / t }'
