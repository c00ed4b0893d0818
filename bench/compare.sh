#!/usr/bin/env bash
# Whole-process comparison on fresh copies of one folder of N empty files
# (default 100,000) named name_NNNNNN: the floor (one listing, then one
# renameat2(RENAME_NOREPLACE) per file), the older floor that also stats each
# target, mmv, perl's rename, and corvane /cli renaming in place, undoing, and
# as a dry run. Tools are measured alternately, run after run, so that drift
# of the machine spreads over all of them; the medians and their ratios to
# the floor are printed, then the peak memory of a dry run.
#   bench/compare.sh            N=100000 RUNS=5
#   N=10000 RUNS=3 bench/compare.sh
set -euo pipefail
cd "$(dirname "$0")/.."
N="${N:-100000}"
RUNS="${RUNS:-5}"
BUILD_DIR="${BUILD_DIR:-build}"

scripts/setup.sh
scripts/build.sh >/dev/null
corvane="$PWD/$BUILD_DIR/corvane"
floor="$PWD/$BUILD_DIR/bench/floor_renameat2"
floor_stat="$PWD/$BUILD_DIR/bench/floor_rename"

work="$(mktemp -d "${TMPDIR:-/tmp}/corvane-compare.XXXXXX")"
trap 'rm -rf "$work"' EXIT
export APPDATA="$work/appdata"  # the undo log stays inside the scratch folder

mkdir "$work/template"
(cd "$work/template" && seq -f 'name_%06.0f.dat' 1 "$N" | xargs touch)

fresh() {
  rm -rf "$work/dir"
  cp -a "$work/template" "$work/dir"
  sync
}

. bench/timing.sh

count_named() { find "$work/dir" -maxdepth 1 -name "$1*" | wc -l; }
check_renamed() {
  [ "$(count_named name_)" -eq 0 ] && [ "$(count_named new_)" -eq "$N" ] ||
    { echo "$1 did not rename every file" >&2; exit 1; }
}

perl_rename() { (cd "$work/dir" && ls -U | rename 's/^name_/new_/'); }
mmv_rename() { (cd "$work/dir" && mmv 'name_*' 'new_#1'); }

declare -A times
for ((run = 1; run <= RUNS; run++)); do
  fresh; times[floor]+="$(elapsed_us "$floor" "$work/dir" name_ new_) "; check_renamed floor
  fresh; times[floor_stat]+="$(elapsed_us "$floor_stat" "$work/dir" name_ new_) "
  check_renamed floor_stat
  fresh; times[mmv]+="$(elapsed_us mmv_rename) "; check_renamed mmv
  fresh; times[perl]+="$(elapsed_us perl_rename) "; check_renamed perl
  fresh
  times[corvane]+="$(elapsed_us "$corvane" /cli /regex '/find=^name_' /replace=new_ "$work/dir") "
  check_renamed corvane
  times[undo]+="$(elapsed_us "$corvane" /cli /undo) "
  [ "$(count_named name_)" -eq "$N" ] || { echo "undo incomplete" >&2; exit 1; }
  fresh
  times[dryrun]+="$(elapsed_us "$corvane" /cli /dryrun /regex '/find=^name_' /replace=new_ "$work/dir") "
  echo "run $run of $RUNS done" >&2
done

floor_median=$(echo "${times[floor]}" | median)
echo
echo "Whole-process comparison, N=$N files, median of $RUNS runs, $(date -u +%Y-%m-%d)"
printf '%-40s %12s %10s\n' "what" "median (ms)" "x floor"
for key in floor floor_stat mmv perl corvane undo dryrun; do
  case $key in
    floor) label="floor: list + renameat2 per file" ;;
    floor_stat) label="older floor: list + rename + stat" ;;
    mmv) label="mmv 'name_*' 'new_#1'" ;;
    perl) label="perl rename 's/^name_/new_/'" ;;
    corvane) label="corvane /cli rename in place" ;;
    undo) label="corvane /cli /undo" ;;
    dryrun) label="corvane /cli /dryrun" ;;
  esac
  m=$(echo "${times[$key]}" | median)
  awk -v l="$label" -v m="$m" -v f="$floor_median" 'BEGIN {printf "%-40s %12.1f %10.2f\n", l, m/1000, m/f}'
done

rss_kib() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1; }
mkdir -p "$work/empty"
fresh
base=$(rss_kib "$corvane" /cli /dryrun /regex '/find=^name_' /replace=new_ "$work/empty")
full=$(rss_kib "$corvane" /cli /dryrun /regex '/find=^name_' /replace=new_ "$work/dir")
echo
awk -v b="$base" -v f="$full" -v n="$N" 'BEGIN {
  printf "peak memory of a dry run: %d KiB empty, %d KiB with %d files: %.0f bytes per file\n",
         b, f, n, (f - b) * 1024 / n }'
