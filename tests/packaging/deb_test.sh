#!/usr/bin/env bash
# Builds the Debian package with CPack and inspects it: the files of an install
# into /usr and nothing else, the version, a dependency on the package of
# every library the executable links, lintian's verdict, the changelog; then
# installs it into an empty dpkg root, runs it, checks that every plugin and
# translation of Qt it loads comes from a package it depends on, removes it
# and checks that nothing is left.
#   deb_test.sh <build folder> <source folder> <version>
source "$(dirname "$0")/common.sh"
BUILD="$1" SOURCE="$2" VERSION="$3"

cpack --config "$BUILD/CPackConfig.cmake" -B "$TMP/out" >"$TMP/cpack.log" 2>&1 ||
  { cat "$TMP/cpack.log" >&2; exit 1; }
debs=("$TMP"/out/*.deb)
check "one package: ${debs[*]}" test "${#debs[@]}" -eq 1
DEB="${debs[0]}"

field() { dpkg-deb -f "$DEB" "$1"; }
check "package name" test "$(field Package)" = corvane
check "package version is the project's" test "$(field Version)" = "$VERSION"
check "architecture is this machine's" test "$(field Architecture)" = "$(dpkg --print-architecture)"
check "a maintainer" test -n "$(field Maintainer)"
depends="$(field Depends)"
depends_names="$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")"

# The files: exactly those of an install into /usr.
DESTDIR="$TMP/install" cmake --install "$BUILD" --prefix /usr >/dev/null
(cd "$TMP/install" && find . -not -type d | sort) >"$TMP/installed.txt"
dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ { print $6 }' | sort >"$TMP/packaged.txt"
check "the package holds the installed files: $(diff "$TMP/installed.txt" "$TMP/packaged.txt")" \
  cmp -s "$TMP/installed.txt" "$TMP/packaged.txt"
check "the package holds the executable" grep -qx ./usr/bin/corvane "$TMP/packaged.txt"

# Every library the executable names (not those its libraries pull in) comes
# from a package it depends on.
owner() {
  local path="$1" real candidate
  real="$(realpath "$path")"
  for candidate in "$path" "$real" "${path#/usr}" "${real#/usr}" "/usr$path"; do
    if dpkg-query -S "$candidate" 2>/dev/null | head -n 1 | sed 's/:.*//'; then return; fi
  done
}
libraries=0
while read -r path; do
  libraries=$((libraries + 1))
  package="$(owner "$path")"
  check "a package owns $path" test -n "$package"
  check "Depends names $package (for $path): $depends" grep -qxF "$package" <<<"$depends_names"
done < <(
  EXE="$TMP/install/usr/bin/corvane"
  ldd "$EXE" | awk 'NR == FNR { needed[$2] = 1; next } $2 == "=>" && ($1 in needed) { print $3 }' \
    <(objdump -p "$EXE" | awk '$1 == "NEEDED"') -
)
check "the executable links libraries" test "$libraries" -gt 0
check "apt can satisfy the dependencies here" \
  apt-get install --simulate --no-install-recommends "$DEB" >/dev/null 2>&1

# lintian: no error and no warning; a piece of information only where the
# package overrides it, and then with the reason written above the override.
if command -v lintian >/dev/null; then
  status=0
  lintian --fail-on error,warning,info --display-info --tag-display-limit 0 "$DEB" \
    >"$TMP/lintian.txt" 2>"$TMP/lintian.err" || status=$?
  check "lintian passes: $(cat "$TMP/lintian.err")" test "$status" -eq 0
  check "lintian reports nothing: $(cat "$TMP/lintian.txt")" test ! -s "$TMP/lintian.txt"
else
  fail "lintian is not installed (scripts/setup.sh test installs it)"
fi
packaged_file() { dpkg-deb --fsys-tarfile "$DEB" | tar -xO "./usr/share/doc/corvane/$1"; }
overrides="$(dpkg-deb --fsys-tarfile "$DEB" | tar -xO ./usr/share/lintian/overrides/corvane 2>/dev/null || true)"
unexplained="$(awk '/^#/ { reason = 1; next } /^[^ ]/ && !reason { print } { reason = 0 }' <<<"$overrides")"
check "every lintian override has its reason above it: $unexplained" test -z "$unexplained"
top="$(packaged_file changelog.gz | gzip -dc | head -n 1)"
check "the changelog's newest entry is this version: $top" \
  grep -qE "^corvane \($VERSION\) [a-z-]+; urgency=[a-z]+\$" <<<"$top"
check "the copyright is machine-readable" \
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  <(packaged_file copyright)

# Install into an empty dpkg root (the libraries come from this machine), run,
# purge: nothing may be left outside dpkg's own records.
ROOT="$TMP/root"
mkdir -p "$ROOT/var/lib/dpkg/info" "$ROOT/var/lib/dpkg/updates" "$ROOT/var/lib/dpkg/triggers"
touch "$ROOT/var/lib/dpkg/status" "$ROOT/var/lib/dpkg/available"
dpkg_root() { dpkg --root="$ROOT" --force-depends --force-not-root "$@" >"$TMP/dpkg.log" 2>&1; }
dpkg_root -i "$DEB" || { cat "$TMP/dpkg.log" >&2; fail "dpkg -i"; }
check "installed: corvane in usr/bin" test -x "$ROOT/usr/bin/corvane"
check "installed corvane /version" \
  test "$(run_as_new_user "$ROOT/usr/bin/corvane" /version)" = "Corvane $VERSION"
usage="Usage: corvane [files or folders]"
french="$(translated "$SOURCE/data/transl.dt" fr "$usage")"
first="$(run_as_new_user LANG=fr_FR.UTF-8 "$ROOT/usr/bin/corvane" /help | head -n 1)"
check "installed corvane /help in French: $first" test "$first" = "$french"

# The window, in French, until the toolbar's SVG icons are drawn: every Qt
# plugin and translation mapped into the process then, and the platform
# plugin of an X11 desktop beside the offscreen one used here, must come from
# a package the package depends on.
# env replaces itself with the program, so $! is the program's own process.
mkdir -p "$TMP/home"
env -i PATH=/usr/bin:/bin HOME="$TMP/home" XDG_CONFIG_HOME="$TMP/home/.config" \
  XDG_DATA_HOME="$TMP/home/.local/share" LANG=fr_FR.UTF-8 QT_QPA_PLATFORM=offscreen \
  CORVANE_UPDATE_SERVER= "$ROOT/usr/bin/corvane" >/dev/null 2>"$TMP/window.err" &
window=$!
for ((i = 0; i < 600; i++)); do
  grep -q '/iconengines/libqsvgicon\.so$' "/proc/$window/maps" 2>/dev/null && break
  kill -0 "$window" 2>/dev/null || break
  sleep 0.1
done
awk '$6 ~ /\/qt6\/(plugins|translations)\// { print $6 }' "/proc/$window/maps" 2>/dev/null |
  sort -u >"$TMP/loaded.txt"
kill "$window" 2>/dev/null || true
wait "$window" 2>/dev/null || true
check "the window drew its SVG icons: $(cat "$TMP/window.err")" \
  grep -q '/iconengines/libqsvgicon\.so$' "$TMP/loaded.txt"
offscreen="$(grep '/platforms/libqoffscreen\.so$' "$TMP/loaded.txt" || true)"
check "the window loaded the offscreen platform" test -n "$offscreen"
if [ -n "$offscreen" ]; then echo "$(dirname "$offscreen")/libqxcb.so" >>"$TMP/loaded.txt"; fi
while read -r path; do
  package="$(owner "$path")"
  check "a package owns $path" test -n "$package"
  check "Depends names $package (for the plugin $path): $depends" \
    grep -qxF "$package" <<<"$depends_names"
done <"$TMP/loaded.txt"
dpkg_root --purge corvane || { cat "$TMP/dpkg.log" >&2; fail "dpkg --purge"; }
left="$(cd "$ROOT" && find . -mindepth 1 -not -path './var' -not -path './var/lib' \
  -not -path './var/lib/dpkg' -not -path './var/lib/dpkg/*')"
check "removal leaves nothing behind: $left" test -z "$left"

finish
