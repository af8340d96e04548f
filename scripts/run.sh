#!/usr/bin/env bash
# Builds the program in Release mode and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVSM_BUILD_TESTS=OFF -DVSM_BUILD_BENCH=OFF
cmake --build build --target vandrelsholm-speed-math
exec build/vandrelsholm-speed-math
