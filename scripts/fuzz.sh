#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time on a copy of its corpus.
# Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSLANTVIS_FUZZ=ON \
    "${launcher[@]}" >/dev/null
cmake --build build-fuzz --target fuzz_money fuzz_settings fuzz_date fuzz_version >/dev/null

failed=0
for target in money settings date version; do
    work=$(mktemp -d)
    cp fuzz/corpus/$target/* "$work/"
    log=$(mktemp)
    if (cd "$work" && "$OLDPWD/build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=512 \
            -print_final_stats=1 "$work" >"$log" 2>&1); then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
        echo "fuzz_$target: $runs executions, no crash"
    else
        echo "fuzz_$target: FAILED"
        tail -30 "$log"
        failed=1
    fi
    rm -rf "$work" "$log"
done
exit $failed
