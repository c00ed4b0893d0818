# Shared by the whole-process comparisons (sourced): the wall time of a
# command and the median of the times taken. Needs $work, a scratch folder.

# Prints the wall time of "$@" in microseconds; fails loudly if the command does.
elapsed_us() {
  local start end
  start=$(date +%s%N)
  if ! "$@" >/dev/null 2>"$work/stderr"; then
    echo "failed: $*" >&2
    cat "$work/stderr" >&2
    exit 1
  fi
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

# The median of the numbers on standard input, separated by spaces.
median() { tr ' ' '\n' | grep -v '^$' | sort -n | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
