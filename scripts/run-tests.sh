#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test twice:
# once in an optimised build, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUVEX_BUILD_TESTS=ON -DNUVEX_BUILD_BENCH=ON -DNUVEX_SANITIZE=OFF
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DNUVEX_SANITIZE=ON -DNUVEX_BUILD_TESTS=ON -DNUVEX_BUILD_BENCH=OFF
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j"$jobs"
