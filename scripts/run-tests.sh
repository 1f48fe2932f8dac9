#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test twice: once in an
# optimised build, once under AddressSanitizer and UndefinedBehaviorSanitizer. A third
# pass builds only the tests that start, stop and serve a generation run, and runs them
# under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

# Line tables are all the debug information a failing test's backtrace needs; full
# debug information would double the compile time of every pass. Qt's headers are
# precompiled (NUVEX_PCH), which saves most of the rest.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUVEX_BUILD_TESTS=ON -DNUVEX_BUILD_BENCH=ON -DNUVEX_SANITIZE=OFF \
  -DNUVEX_PCH=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DNUVEX_SANITIZE=ON -DNUVEX_BUILD_TESTS=ON -DNUVEX_BUILD_BENCH=OFF \
  -DNUVEX_PCH=ON -DCMAKE_CXX_FLAGS_DEBUG="-g1"
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j"$jobs"

# The suppressions (tests/tsan.supp, for Qt's own reports only) come with each test's
# environment; a report fails the test.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUVEX_TSAN=ON -DNUVEX_BUILD_TESTS=ON -DNUVEX_BUILD_BENCH=OFF \
  -DNUVEX_PCH=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
cmake --build build-tsan -j"$jobs" --target nuvex_thread_tests
ctest --test-dir build-tsan --output-on-failure --no-tests=error -j"$jobs" -L threads
