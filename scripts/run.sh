#!/usr/bin/env bash
# Sets up the machine, builds veltrano and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target veltrano caspari language_files
exec build/bin/veltrano "$@"
