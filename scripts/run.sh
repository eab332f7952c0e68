#!/usr/bin/env bash
# Builds Quavix (release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUAVIX_BUILD_TESTS=OFF -DQUAVIX_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target quavix
exec build/release/src/app/quavix
