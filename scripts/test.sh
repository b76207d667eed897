#!/usr/bin/env bash
# Installs what the tests need, builds with warnings as errors and runs every test headless; then the same
# tests built with AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz target for a short time.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# A private CUPS server whose default queue keeps each job's PDF, for the printing tests.
root=$(pwd)
cups_dir=$(mktemp -d /tmp/slantvis-cups.XXXXXX)
trap 'bash "$root/scripts/cups-test-printer.sh" stop "$cups_dir"; rm -rf "$cups_dir"' EXIT
eval "$(bash scripts/cups-test-printer.sh start "$cups_dir")"

build_and_test() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSLANTVIS_WERROR=ON "${launcher[@]}" "$@" \
        >/dev/null
    if ! cmake --build "$dir" >"$dir.log" 2>&1; then
        grep -E 'error|FAILED' -A5 "$dir.log" | head -60
        exit 1
    fi
    (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
}

echo "== Tester"
build_and_test build

echo "== Tester med AddressSanitizer och UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=0:halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
build_and_test build-asan -DSLANTVIS_SANITIZE=ON
unset ASAN_OPTIONS UBSAN_OPTIONS

echo "== Fuzzning"
bash scripts/fuzz.sh 20
