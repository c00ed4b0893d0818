#!/usr/bin/env bash
# Configures (once) and builds Corvane in build/ with Ninja.
# CORVANE_WARNINGS_AS_ERRORS=ON (as CI sets it) fails the build on a warning.
# CORVANE_BUILD_TESTS and CORVANE_BUILD_BENCHMARKS (ON or OFF), when set,
# switch the tests and the benchmarks on or off in the build folder; they are
# on unless a run switched them off.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
# The switches asked for that the build folder does not have yet.
options=()
for option in CORVANE_BUILD_TESTS CORVANE_BUILD_BENCHMARKS; do
  wanted="${!option:-}"
  if [ -n "$wanted" ] &&
    ! grep -qx "$option:BOOL=$wanted" "$BUILD_DIR/CMakeCache.txt" 2>/dev/null; then
    options+=("-D$option=$wanted")
  fi
done
if [ ! -f "$BUILD_DIR/build.ninja" ] || ((${#options[@]})); then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_WARNINGS_AS_ERRORS="${CORVANE_WARNINGS_AS_ERRORS:-OFF}" "${options[@]}" >/dev/null
fi
cmake --build "$BUILD_DIR" -j "$(nproc)"
