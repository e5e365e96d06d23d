#!/usr/bin/env bash
# Sets up the machine, builds the normal and the sanitizer (ASan + UBSan)
# variants and runs every test in both.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
status=0
passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for variant in build build-asan; do
    sanitize=OFF
    [ "$variant" = build-asan ] && sanitize=ON
    echo "=== $variant: configure and build"
    cmake -S . -B "$variant" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCONVERTERS_SANITIZE=$sanitize -DCONVERTERS_BENCH=$([ "$sanitize" = ON ] && echo OFF || echo ON)
    cmake --build "$variant" -j "$jobs"
    echo "=== $variant: tests"
    if ! ctest --test-dir "$variant" --output-on-failure -j "$jobs" | tee "$log"; then
        status=1
    fi
    # "NN% tests passed, F tests failed out of T"
    summary=$(grep -E 'tests failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$summary" ]; then
        status=1
        continue
    fi
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
done
echo "tests: $passed passed, $failed failed"
exit $status
