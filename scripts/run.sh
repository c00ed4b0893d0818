#!/usr/bin/env bash
# From a fresh Debian machine to a running program: install, build, start.
# Arguments are passed to corvane.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh >/dev/null
exec "${BUILD_DIR:-build}/corvane" "$@"
