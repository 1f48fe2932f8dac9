#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUVEX_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)" --target nuvex-subtitle-maker
exec ./build/bin/nuvex-subtitle-maker "$@"
