#!/usr/bin/env bash
# Start-up of the main window against a minimal Qt Widgets program that shows
# an empty window, both whole processes on the offscreen platform, measured
# alternately RUNS times (default 21); prints the medians and their ratio.
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

floor=() window=()
"$BUILD_DIR/bench/minimal_window"; "$BUILD_DIR/bench/window_startup"  # warm the caches
for ((i = 0; i < RUNS; i++)); do
  floor+=("$(ms "$BUILD_DIR/bench/minimal_window")")
  window+=("$(ms "$BUILD_DIR/bench/window_startup")")
done
f=$(printf '%s\n' "${floor[@]}" | median)
w=$(printf '%s\n' "${window[@]}" | median)
echo "minimal window: $f ms (median of $RUNS)"
echo "main window:    $w ms (median of $RUNS)"
awk -v w="$w" -v f="$f" 'BEGIN { printf "ratio:          %.2f\n", w / f }'
