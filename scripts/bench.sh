#!/usr/bin/env bash
# Builds the benchmark programs and runs the performance suite (not part of the tests).
# The generated databases (1.2 million entries, about 100 MB, some 80 s to write) are kept in the work
# directory and written only when absent: bash scripts/bench.sh [work directory, default build/bench-work] [part]
# A part (start-up, FyllKonto, grids, FyllKontoplan, fyllRapport, budget, visaDetail, writes, kollaPeriod) runs alone.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSLANTVIS_WERROR=ON >/dev/null
cmake --build build --target slantvis_bench slantvis_bench_generate >/dev/null
work="${1:-build/bench-work}"
mkdir -p "$work"
echo "machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'); load: $(uptime | sed 's/.*load average: //')"
QT_QPA_PLATFORM=offscreen build/bench/slantvis_bench "$work" ${2:+"$2"}
