#!/usr/bin/env bash
# Sets up the machine, builds the normal and the sanitizer (ASan + UBSan)
# variants and runs every test in both.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
status=0
for variant in build build-asan; do
    sanitize=OFF
    [ "$variant" = build-asan ] && sanitize=ON
    echo "=== $variant: configure and build"
    cmake -S . -B "$variant" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCONVERTERS_SANITIZE=$sanitize -DCONVERTERS_BENCH=$([ "$sanitize" = ON ] && echo OFF || echo ON)
    cmake --build "$variant" -j "$jobs"
    echo "=== $variant: tests"
    if ! ctest --test-dir "$variant" --output-on-failure -j "$jobs"; then
        status=1
    fi
done
exit $status
