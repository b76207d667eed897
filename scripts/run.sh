#!/usr/bin/env bash
# Builds Slantvis, creates its default database beside the executable when absent, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target slantvis default_db | grep -v '^\[' || true

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Ingen bildskärm hittades (DISPLAY är inte satt). Starta Slantvis i en virtuell bildskärm med:"
    echo "  xvfb-run -a -s '-screen 0 1280x1024x24' env LANG=sv_SE.UTF-8 $(pwd)/build/slantvis"
    exit 1
fi
exec env LANG="${LANG:-sv_SE.UTF-8}" ./build/slantvis
