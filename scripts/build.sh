#!/usr/bin/env bash
# Configures (once) and builds Corvane in build/ with Ninja.
# CORVANE_WARNINGS_AS_ERRORS=ON (as CI sets it) fails the build on a warning.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_WARNINGS_AS_ERRORS="${CORVANE_WARNINGS_AS_ERRORS:-OFF}"
fi
cmake --build "$BUILD_DIR" -j "$(nproc)"
