#!/usr/bin/env bash
# Runs every in-process benchmark (Google Benchmark) once each, medians of
# REPS repetitions (default 5). Pass a regular expression to pick benchmarks:
#   bench/run_benchmarks.sh            all of them
#   bench/run_benchmarks.sh Preview    those whose name matches
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
REPS="${REPS:-5}"
FILTER="${1:-.}"

scripts/setup.sh
scripts/build.sh >/dev/null

for bench in preview_bench keywords_bench add_folder_bench batch_bench; do
  echo "== $bench"
  "$BUILD_DIR/bench/$bench" --benchmark_filter="$FILTER" --benchmark_repetitions="$REPS" \
    --benchmark_report_aggregates_only=true --benchmark_display_aggregates_only=true
done

# The window, offscreen. Its memory is measured in a process of its own, so
# that nothing an earlier benchmark freed hides the growth.
echo "== window_bench"
if [[ "BM_WindowMemory" =~ $FILTER ]]; then
  "$BUILD_DIR/bench/window_bench" --benchmark_filter=BM_WindowMemory
fi
"$BUILD_DIR/bench/window_bench" --benchmark_filter="Against.*$FILTER|$FILTER.*Against"

# The verdicts against the preview, and the window's long work and live
# preview (whole programs, offscreen, each checking what it measures).
if [[ "verdicts" =~ $FILTER || "$FILTER" == "." ]]; then
  echo "== verdicts_bench"
  "$BUILD_DIR/bench/verdicts_bench" --benchmark_repetitions="$REPS" \
    --benchmark_report_aggregates_only=true --benchmark_display_aggregates_only=true
fi
if [[ "typing" =~ $FILTER || "$FILTER" == "." ]]; then
  echo "== live_typing_bench"
  "$BUILD_DIR/bench/live_typing_bench"
fi
if [[ "cancel" =~ $FILTER || "$FILTER" == "." ]]; then
  echo "== cancel_half_way"
  "$BUILD_DIR/bench/cancel_half_way"
fi
