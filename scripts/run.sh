#!/usr/bin/env bash
# From a fresh Debian machine to a running program: installs what running and
# building need (not the test tools), builds the program without the tests,
# starts it. Arguments are passed to corvane.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run build
CORVANE_BUILD_TESTS=OFF CORVANE_BUILD_BENCHMARKS=OFF scripts/build.sh >/dev/null
exec "${BUILD_DIR:-build}/corvane" "$@"
