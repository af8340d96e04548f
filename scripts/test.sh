#!/usr/bin/env bash
# Builds everything and runs the whole test suite headless: once in Release
# mode, once with AddressSanitizer and UndefinedBehaviorSanitizer; then a
# short pass of every fuzzer (a few thousand inputs each).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Release -DVSM_WERROR=ON
cmake --build build-test -j "$jobs"
(cd build-test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVSM_SANITIZE=ON -DVSM_WERROR=ON -DVSM_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

scripts/fuzz.sh 3000
