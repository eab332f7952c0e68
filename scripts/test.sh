#!/usr/bin/env bash
# Builds Quavix with its tests and runs every test. With --sanitize the build uses ASan and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test

build=build/test
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build=build/sanitize
  options=(-DCMAKE_BUILD_TYPE=Debug -DQUAVIX_SANITIZE=ON -DQUAVIX_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
fi
cmake -S . -B "$build" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j2
