#!/usr/bin/env bash
# The Windows lane: cross-compiles the Win32 layer (src/platform/win32) and its
# tests with mingw-w64, runs them under Wine, and compiles the Windows code
# that needs Qt against the host's Qt headers (never linked or run).
# Needs g++-mingw-w64-x86-64-posix and wine64 (scripts/setup.sh installs them).
# Build folder: $WINDOWS_BUILD_DIR, default build-windows/, which also keeps
# the Wine prefix, made once.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
LANE_DIR="$ROOT/${WINDOWS_BUILD_DIR:-build-windows}"

WINE="$(command -v wine64 || true)"
if [ -z "$WINE" ] && [ -x /usr/lib/wine/wine64 ]; then WINE=/usr/lib/wine/wine64; fi
WINESERVER="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || [ -z "$WINE" ]; then
  echo "windows lane: mingw-w64 (posix) or wine64 is missing; scripts/setup.sh installs them" >&2
  exit 1
fi

QT_HEADERS="/usr/include/$(gcc -dumpmachine)/qt6"
[ -f "$QT_HEADERS/QtCore/QString" ] || QT_HEADERS=""

if [ ! -f "$LANE_DIR/build.ninja" ]; then
  cmake -S tests/platform/win32 -B "$LANE_DIR" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$WINE" \
    -DCORVANE_QT_HEADERS="$QT_HEADERS" >/dev/null
fi
cmake --build "$LANE_DIR" -j "$(nproc)"

# Non-interactive Wine: no debug output, no offer to install Mono or Gecko.
export WINEPREFIX="$LANE_DIR/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$WINE" wineboot --init >/dev/null 2>&1 || true
  "$WINESERVER" -w
fi

# C: lies in the build folder; E: on another file system where there is one,
# so that a move between the two drives really copies.
unset CORVANE_SECOND_VOLUME
if [ -d /dev/shm ] && [ "$(stat -c %d /dev/shm)" != "$(stat -c %d "$WINEPREFIX")" ]; then
  second="$(mktemp -d /dev/shm/corvane-volume-e.XXXXXX)"
  trap 'rm -rf "$second"' EXIT
  ln -sfn "$second" "$WINEPREFIX/dosdevices/e:"
  export CORVANE_SECOND_VOLUME='E:\'
fi

status=0
ctest --test-dir "$LANE_DIR" --output-on-failure || status=$?
"$WINESERVER" -w
exit $status
