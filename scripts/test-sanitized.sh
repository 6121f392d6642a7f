#!/usr/bin/env bash
# Builds the sanitized folder (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, fuzz targets) and runs its whole test suite,
# the short fuzz runs included.
#   scripts/test-sanitized.sh [BUILD_DIR] [JOBS]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-sanitized}
jobs=${2:-$(nproc)}

cmake -S . -B "$build_dir" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DRINGDISK_SANITIZE=ON -DRINGDISK_BENCHMARKS=OFF
cmake --build "$build_dir" -j "$jobs"

# Leaks count and every report ends the program; undefined behaviour is
# fatal by the build's own flags. Reports inside libraries we do not own are
# silenced only where cmake/lsan.supp says why.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/cmake/lsan.supp:print_suppressions=0"
cd "$build_dir"
ctest --output-on-failure -j "$jobs"
