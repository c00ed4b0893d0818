#!/usr/bin/env bash
# Whole-process comparison of numbering: N files (default 10,000) renamed in
# place all to one name ("report", AutoNumber) against the same files renamed
# to distinct names ("{name}_x"), for the batch and for the dry run; and N
# files copied into a folder already holding "report.dat", "report (1).dat"
# ... "report (999).dat", all to one name, against the same copy to distinct
# names. Each measure starts on fresh copies of the folders, the cases are run
# alternately, run after run, so that drift of the machine spreads over all
# of them, and the ratio of each one-name median to its distinct-names median
# is printed. Numbering should cost about what distinct names cost.
#   bench/numbering_compare.sh            N=10000 RUNS=3
#   N=2000 RUNS=5 bench/numbering_compare.sh
set -euo pipefail
cd "$(dirname "$0")/.."
N="${N:-10000}"
RUNS="${RUNS:-3}"
BUILD_DIR="${BUILD_DIR:-build}"

[ -x "$BUILD_DIR/corvane" ] || scripts/build.sh >/dev/null
corvane="$PWD/$BUILD_DIR/corvane"

work="$(mktemp -d "${TMPDIR:-/tmp}/corvane-numbering.XXXXXX")"
trap 'rm -rf "$work"' EXIT
export APPDATA="$work/appdata"  # the undo log stays inside the scratch folder

mkdir "$work/template" "$work/taken"
(cd "$work/template" && seq -f 'f%06.0f.dat' 1 "$N" | xargs touch)
(cd "$work/taken" && touch report.dat && seq -f 'report (%.0f).dat' 1 999 | tr '\n' '\0' | xargs -0 touch)
printf '{\r\n"changeExt":false,\r\n"batchMode":1,\r\n"destination":"%s"\r\n}\r\n' "$work/out" >"$work/copy.preset"

fresh() {
  rm -rf "$work/dir" "$work/out"
  cp -a "$work/template" "$work/dir"
  cp -a "$work/taken" "$work/out"
  sync
}

. bench/timing.sh

expect_count() {
  local folder="$1" glob="$2" want="$3" what="$4" got
  got=$(find "$folder" -maxdepth 1 -name "$glob" | wc -l)
  [ "$got" -eq "$want" ] || { echo "$what: $got files match $glob, not $want" >&2; exit 1; }
}

one=(/cli /pattern=report /conflict=autonumber)
distinct=(/cli '/pattern={name}_x' /conflict=autonumber)
copy=("/preset=$work/copy.preset")

declare -A times
for ((run = 1; run <= RUNS; run++)); do
  fresh; times[rename_one]+="$(elapsed_us "$corvane" "${one[@]}" "$work/dir") "
  expect_count "$work/dir" 'report*' "$N" "rename to one name"
  fresh; times[rename_distinct]+="$(elapsed_us "$corvane" "${distinct[@]}" "$work/dir") "
  expect_count "$work/dir" '*_x.dat' "$N" "rename to distinct names"
  fresh; times[dryrun_one]+="$(elapsed_us "$corvane" /dryrun "${one[@]}" "$work/dir") "
  fresh; times[dryrun_distinct]+="$(elapsed_us "$corvane" /dryrun "${distinct[@]}" "$work/dir") "
  fresh; times[copy_one]+="$(elapsed_us "$corvane" "${one[@]}" "${copy[@]}" "$work/dir") "
  expect_count "$work/out" 'report*' "$((N + 1000))" "copy to one name"
  fresh; times[copy_distinct]+="$(elapsed_us "$corvane" "${distinct[@]}" "${copy[@]}" "$work/dir") "
  expect_count "$work/out" '*_x.dat' "$N" "copy to distinct names"
  echo "run $run of $RUNS done" >&2
done

echo
echo "Numbering comparison, N=$N files, median of $RUNS runs, $(date -u +%Y-%m-%d)"
printf '%-44s %12s %12s %8s\n' "what" "one (ms)" "distinct" "ratio"
for key in rename dryrun copy; do
  case $key in
    rename) label="rename in place" ;;
    dryrun) label="dry run of the rename" ;;
    copy) label="copy beside report ... report (999)" ;;
  esac
  a=$(echo "${times[${key}_one]}" | median)
  b=$(echo "${times[${key}_distinct]}" | median)
  awk -v l="$label" -v a="$a" -v b="$b" 'BEGIN {printf "%-44s %12.1f %12.1f %8.2f\n", l, a/1000, b/1000, a/b}'
done
