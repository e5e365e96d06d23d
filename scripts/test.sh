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
    # The sanitizer build leaves the tests labelled `figures` (what the encoders
    # write, measured) to the normal build; see README.
    # Much of the normal build's test time waits on real-time playback, so one
    # shard more than processors runs there; sanitized processes keep every
    # processor busy and real-time playback needs them.
    selection=(-j $((jobs + 1)))
    [ "$sanitize" = ON ] && selection=(-j "$jobs" -LE figures)
    if ! ctest --test-dir "$variant" --output-on-failure "${selection[@]}" | tee "$log"; then
        status=1
    fi
    # "NN% tests passed, F tests failed out of T"
    summary=$({ grep -E 'tests failed out of [0-9]+' "$log" || true; } | tail -n 1)
    if [ -z "$summary" ]; then
        status=1
        continue
    fi
    # Each ctest entry is a shard of a test program: count the tests GoogleTest
    # ran in them. A shard that failed beyond its tests (a leak report, a
    # crash, a time-out) counts as one failure more.
    bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")
    output="$variant/Testing/Temporary/LastTest.log"
    # (grep finding nothing is no error here)
    ran=$({ grep -hoE '^\[  PASSED  \] [0-9]+' "$output" || true; } | awk '{s += $4} END {print s + 0}')
    lost=$({ grep -hoE '^\[  FAILED  \] [0-9]+ tests?,' "$output" || true; } |
        awk '{s += $4} END {print s + 0}')
    [ "$bad" -gt "$lost" ] && lost=$bad
    total=$((ran + lost))
    bad=$lost
    passed=$((passed + total - bad))
    failed=$((failed + bad))
done
echo "tests: $passed passed, $failed failed"
exit $status
