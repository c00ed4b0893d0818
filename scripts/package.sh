#!/usr/bin/env bash
# From a fresh Debian machine to a Debian package of Corvane: installs what
# running and building need (not the test tools), builds a release in
# build-package/ (PACKAGE_BUILD_DIR) without tests or benchmarks and without
# the start-up update check (dpkg and apt update an installed package), and
# writes corvane_<version>_<arch>.deb into
# packages/ (PACKAGE_DIR). Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run build
BUILD_DIR="${PACKAGE_BUILD_DIR:-build-package}"
OUT_DIR="$(realpath -m "${PACKAGE_DIR:-packages}")"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF -DCORVANE_UPDATE_CHECK=OFF >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
mkdir -p "$OUT_DIR"
cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$OUT_DIR" >/dev/null
rm -rf "$OUT_DIR/_CPack_Packages"
ls -1t "$OUT_DIR"/corvane_*.deb | head -n 1
