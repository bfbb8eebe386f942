#!/usr/bin/env bash
# Configures and builds into a folder (default build/). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${BUILD_DIR:-build}"
cmake -S . -B "$dir" -G Ninja -DTALLYRA_WERROR=ON "$@"
cmake --build "$dir" -j "$(nproc)"
