#!/usr/bin/env bash
# Installs what the tests need, builds with warnings as errors and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSLANTVIS_WERROR=ON >/dev/null
cmake --build build | grep -E 'error|warning|FAILED' || true
cmake --build build >/dev/null
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
