#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DURNARIUM_WERROR=ON -DURNARIUM_BENCH=ON >/dev/null
cmake --build build/test -j2
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/test --output-on-failure -j2
