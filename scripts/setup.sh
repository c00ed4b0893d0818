#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Corvane
# needs. Idempotent: packages already installed are skipped quietly.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-translations-l10n fonts-dejavu-core
  libpcre2-dev libjpeg-dev zlib1g-dev libmimalloc-dev libicu-dev libexiv2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  tzdata locales
  rename time dosfstools fusefat strace
  # The peers of the whole-process comparison (bench/compare.sh).
  mmv
  # The format check (scripts/check_format.sh).
  clang-format
  xvfb xauth imagemagick
  python3
  # The Windows lane (scripts/test_windows.sh): the 64-bit cross compiler with
  # posix threads and 64-bit Wine alone, without the 32-bit half.
  g++-mingw-w64-x86-64-posix wine64
  # Packaging (scripts/package.sh) and its tests: the Debian package tools
  # with dpkg-shlibdeps, and the validators of the desktop entry, the
  # metainfo and the manual page.
  dpkg-dev file desktop-file-utils appstream man-db
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
