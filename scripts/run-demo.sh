#!/usr/bin/env bash
# Builds the program and starts it on the demo installation (demo-install/).
# Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DURNARIUM_TESTS=OFF >/dev/null
cmake --build build/release -j2
scripts/lay-out-demo.sh build/release demo-install
exec demo-install/urnarium "$@"
