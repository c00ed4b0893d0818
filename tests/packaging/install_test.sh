#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what a desktop finds
# there: the executable with its translations, the menu entry, the KDE service
# menu, the metainfo, the icons and the manual page; then uninstalls and checks
# that nothing is left.
#   install_test.sh <build folder> <source folder> <application id> <version>
source "$(dirname "$0")/common.sh"
BUILD="$1" SOURCE="$2" APP_ID="$3" VERSION="$4"
ROOT="$TMP/root"
PREFIX=/usr
USR="$ROOT$PREFIX"
TRANSLATIONS="$SOURCE/data/transl.dt"

DESTDIR="$ROOT" cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null

ENTRY="$USR/share/applications/$APP_ID.desktop"
SERVICE_MENU="$USR/share/kio/servicemenus/$APP_ID.desktop"
METAINFO="$USR/share/metainfo/$APP_ID.metainfo.xml"
PAGE="$USR/share/man/man1/corvane.1.gz"
for f in "$USR/bin/corvane" "$USR/share/corvane/transl.dt" "$ENTRY" "$SERVICE_MENU" "$METAINFO" \
  "$PAGE" "$USR/share/icons/hicolor/scalable/apps/$APP_ID.svg" \
  "$USR/share/doc/corvane/copyright" "$USR/share/doc/corvane/changelog.gz"; do
  check "installed: ${f#"$ROOT"}" test -f "$f"
done
check "the executable is executable" test -x "$USR/bin/corvane"
for size in 16 22 24 32 48 64 128 256; do
  png="$USR/share/icons/hicolor/${size}x$size/apps/$APP_ID.png"
  check "a $size x $size PNG at ${png#"$ROOT"}" \
    grep -q "PNG image data, $size x $size," <(file "$png")
done

# The menu entry.
key() { sed -n "s/^$2=//p" "$1" | head -n 1; }
out="$(desktop-file-validate "$ENTRY" 2>&1)" || true
check "desktop-file-validate says nothing: $out" test -z "$out"
check "Exec hands the selected files over" test "$(key "$ENTRY" Exec)" = "corvane %F"
check "the entry's icon is the installed one" test "$(key "$ENTRY" Icon)" = "$APP_ID"
check "among the file tools" grep -q '^Categories=.*Utility;FileTools;' "$ENTRY"
# The KDE service menu: an action on any files and folders. desktop-file-validate
# knows only the types of the freedesktop desktop entry standard, not KDE's Service,
# so its keys are checked here.
action="$(key "$SERVICE_MENU" Actions)"
action="${action%;}"
entry_key() { sed -n "/^\[Desktop Entry\]/,/^\[/s/^$1=//p" "$SERVICE_MENU"; }
check "service menu type" test "$(entry_key Type)" = Service
check "service menu has a name of its own" test -n "$(entry_key Name)"
check "service menu is a context-menu plugin" \
  test "$(entry_key X-KDE-ServiceTypes)" = KonqPopupMenu/Plugin
bad_lines="$(grep -vnE '^$|^#|^\[[^]]+\]$|^[A-Za-z0-9-]+(\[[A-Za-z_@]+\])?=' "$SERVICE_MENU" || true)"
check "service menu lines are groups or keys: $bad_lines" test -z "$bad_lines"
check "service menu for files and folders" grep -qx 'MimeType=all/all;' "$SERVICE_MENU"
check "service menu names its action group" grep -qx "\[Desktop Action $action\]" "$SERVICE_MENU"
action_key() { sed -n "/^\[Desktop Action $action\]/,/^\[/s/^$1=//p" "$SERVICE_MENU"; }
check "service menu action" test "$(action_key Name)" = "Rename with Corvane"
check "service menu Exec" test "$(action_key Exec)" = "corvane %F"
# A name and a comment in every language of the translation file.
while read -r code; do
  [ "$code" = en ] && continue
  for k in GenericName Comment; do
    check "$k[$code] in the menu entry" grep -q "^$k\[$code\]=." "$ENTRY"
  done
  check "Name[$code] in the service menu" grep -q "^Name\[$code\]=." "$SERVICE_MENU"
done < <(translation_codes "$TRANSLATIONS")

# The metainfo.
if ! out="$(appstreamcli validate --no-net --no-color "$METAINFO" 2>&1)"; then
  fail "appstreamcli validate --no-net: $out"
fi
check "appstreamcli: no warnings or errors: $out" test -z "$(grep -E '^(W|E):' <<<"$out")"
check "metainfo release is the version" grep -q "<release version=\"$VERSION\"" "$METAINFO"
check "metainfo launchable names the entry" \
  grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$METAINFO"
check "metainfo provides the binary" grep -q "<binary>corvane</binary>" "$METAINFO"
for tag in summary description screenshot content_rating project_license; do
  check "metainfo has <$tag>" grep -q "<$tag" "$METAINFO"
done

# The manual page: no warnings, and every switch and key of /help in it.
MANWIDTH=80 man --warnings -l "$PAGE" >"$TMP/page.txt" 2>"$TMP/page.err" || fail "man -l failed"
check "man --warnings: $(cat "$TMP/page.err")" test ! -s "$TMP/page.err"
run_as_new_user LANG=C.UTF-8 "$USR/bin/corvane" /help >"$TMP/help.txt"
switches=0
while read -r syntax; do
  switches=$((switches + 1))
  check "the manual page explains $syntax" grep -qF -- "$syntax" "$TMP/page.txt"
done < <(sed -n 's|^  \(/[^ ]*\) .*|\1|p' "$TMP/help.txt")
check "/help lists switches" test "$switches" -gt 0
check "the page's version" grep -q "Corvane $VERSION" "$TMP/page.txt"

# The installed program: its version, and its translations found in
# share/corvane under a German system language.
check "corvane /version" test "$(run_as_new_user "$USR/bin/corvane" /version)" = "Corvane $VERSION"
usage="Usage: corvane [files or folders]"
german="$(translated "$TRANSLATIONS" de "$usage")"
check "transl.dt translates the usage line" test -n "$german" -a "$german" != "$usage"
first="$(run_as_new_user LANG=de_DE.UTF-8 "$USR/bin/corvane" /help | head -n 1)"
check "installed corvane /help in German: $first" test "$first" = "$german"
# The same executable without the data folder beside its bin/ speaks English.
mkdir -p "$TMP/alone/bin"
cp "$USR/bin/corvane" "$TMP/alone/bin/"
first="$(run_as_new_user LANG=de_DE.UTF-8 "$TMP/alone/bin/corvane" /help | head -n 1)"
check "without share/corvane, English: $first" test "$first" = "$usage"

# Uninstalling leaves no file and removes the program's own data folder.
DESTDIR="$ROOT" cmake --build "$BUILD" --target uninstall >/dev/null
left="$(find "$ROOT" -not -type d)"
check "uninstall leaves no file: $left" test -z "$left"
check "uninstall removes share/corvane" test ! -e "$USR/share/corvane"

finish
