# Shared by the packaging tests: a fresh temporary folder, failure reporting,
# and the translation file's cells.
set -euo pipefail

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# check <description> <command...>: records a failure when the command fails.
check() {
  local what="$1"
  shift
  if ! "$@"; then fail "$what"; fi
}

finish() {
  if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
}

# The codes of the languages in transl.dt ($1), one a line, English first.
translation_codes() {
  awk 'NR == 1 { n = $0 } NR > n + 1 && NR <= 2 * n + 1' "$1"
}

# translated <transl.dt> <code> <English text>: the text in that language.
translated() {
  awk -v code="$2" -v english="$3" '
    NR == 1 { n = $0; next }
    { cell[NR] = $0 }
    END {
      for (c = 1; c <= n; c++) if (cell[n + 1 + c] == code) column = c
      for (line = 2; line <= NR; line += n) if (cell[line] == english) { print cell[line + column - 1]; exit }
    }' "$1"
}

# A run of the program as a user without a remembered language.
run_as_new_user() {
  local home="$TMP/home"
  mkdir -p "$home"
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_DATA_HOME="$home/.local/share" "$@"
}
