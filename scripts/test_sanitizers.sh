#!/usr/bin/env bash
# Builds Corvane with sanitizers in a folder of their own and runs the tests
# they guard. Each lane is also one of the build configurations CI keeps
# warning-free (-Werror):
#   address  AddressSanitizer + UndefinedBehaviorSanitizer, Debug at -O1,
#            every test but the packaging ones (they build a package);
#   thread   ThreadSanitizer, Release: the tests of the code that runs on
#            two threads (the verdicts, the preview, long work, the file layer).
set -euo pipefail
cd "$(dirname "$0")/.."
lane="${1:?usage: scripts/test_sanitizers.sh address|thread}"
suppressions="$PWD/scripts/sanitizer_suppressions"

case "$lane" in
  address)
    build_dir=build-asan
    configure=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 -DCMAKE_C_FLAGS=-O1
               -DCORVANE_SANITIZE=address,undefined)
    targets=(all)
    tests=(-E '^packaging_')
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
    export LSAN_OPTIONS="suppressions=$suppressions/leaks.txt:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    ;;
  thread)
    build_dir=build-tsan
    configure=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-g -DCORVANE_SANITIZE=thread)
    suites=(batch_tests platform_tests platform_file_system_tests ui_tests)
    targets=("${suites[@]}")
    tests=(-L "^($(IFS='|'; echo "${suites[*]}"))\$")
    # Qt is not built with ThreadSanitizer: what its own code does to memory
    # is left out, and the races that remain are the program's.
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1"
    ;;
  *)
    echo "unknown lane: $lane" >&2
    exit 2
    ;;
esac

if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCORVANE_WARNINGS_AS_ERRORS=ON \
    -DCORVANE_BUILD_BENCHMARKS=OFF "${configure[@]}"
fi
cmake --build "$build_dir" -j "$(nproc)" --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" "${tests[@]}"
