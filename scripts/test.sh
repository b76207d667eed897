#!/usr/bin/env bash
# Installs what the tests need, builds with warnings as errors and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSLANTVIS_WERROR=ON >/dev/null
cmake --build build | grep -E 'error|warning|FAILED' || true
cmake --build build >/dev/null
# A private CUPS server whose default queue keeps each job's PDF, for the printing tests.
root=$(pwd)
cups_dir=$(mktemp -d /tmp/slantvis-cups.XXXXXX)
trap 'bash "$root/scripts/cups-test-printer.sh" stop "$cups_dir"; rm -rf "$cups_dir"' EXIT
eval "$(bash scripts/cups-test-printer.sh start "$cups_dir")"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
