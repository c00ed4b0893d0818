#!/usr/bin/env bash
# From a fresh Debian machine to a passing test suite: installs what running,
# building and testing need, builds with the tests and benchmarks, tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run build test
CORVANE_BUILD_TESTS=ON CORVANE_BUILD_BENCHMARKS=ON scripts/build.sh
# The Windows lane, wherever its cross tools are installed; first, so that the
# last summary printed is the whole suite's.
if command -v x86_64-w64-mingw32-g++-posix >/dev/null &&
  { command -v wine64 >/dev/null || [ -x /usr/lib/wine/wine64 ]; }; then
  scripts/test_windows.sh
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
