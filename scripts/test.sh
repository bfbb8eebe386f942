#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite, then the core tests
# cross-built for Windows under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$(nproc)"
bash scripts/build-windows.sh
