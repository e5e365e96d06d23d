#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format 14 makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ ${#files[@]} -eq 0 ]; then
    exit 0
fi
clang-format-14 --dry-run --Werror "${files[@]}"
echo "format: ${#files[@]} files clean"
