#!/usr/bin/env bash
# Installs the Debian packages Corvane needs, by need:
#   scripts/setup.sh run     what the program loads when it runs
#   scripts/setup.sh build   the compiler, the libraries' headers and the
#                            package tools (scripts/build.sh, scripts/package.sh)
#   scripts/setup.sh test    the test suite, its lanes and the benchmarks
# Several needs may be named at once; without any, all three. Idempotent:
# packages already installed are skipped quietly.
set -euo pipefail

RUN_PACKAGES=(
  # Nothing links these; Qt loads them: the SVG icon engine and image format,
  # Qt's own translations of its standard dialogs and buttons, and the
  # platforms beyond xcb and offscreen (which come with Qt GUI).
  libqt6svg6 qt6-translations-l10n qt6-qpa-plugins
)

BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config python3
  qt6-base-dev qt6-svg-dev
  libpcre2-dev libjpeg-dev zlib1g-dev libmimalloc-dev libicu-dev libexiv2-dev
  # The Debian package (scripts/package.sh): CPack finds the executables with
  # file and their dependencies with dpkg-shlibdeps.
  dpkg-dev file
)

TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core tzdata locales
  rename time dosfstools fusefat strace
  # The peers of the whole-process comparison (bench/compare.sh).
  mmv
  # The format check (scripts/check_format.sh).
  clang-format
  xvfb xauth imagemagick
  # The Windows lane (scripts/test_windows.sh): the 64-bit cross compiler with
  # posix threads and 64-bit Wine alone, without the 32-bit half.
  g++-mingw-w64-x86-64-posix wine64
  # The packaging tests: the validators of the desktop entry, the service
  # menu, the metainfo and the manual page, and lintian for the package.
  desktop-file-utils appstream man-db lintian
)

needs=("$@")
if ((${#needs[@]} == 0)); then needs=(run build test); fi
wanted=()
for need in "${needs[@]}"; do
  case "$need" in
    run) wanted+=("${RUN_PACKAGES[@]}") ;;
    build) wanted+=("${BUILD_PACKAGES[@]}") ;;
    test) wanted+=("${TEST_PACKAGES[@]}") ;;
    *)
      echo "usage: scripts/setup.sh [run] [build] [test]" >&2
      exit 2
      ;;
  esac
done

missing=()
for p in "${wanted[@]}"; do
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
