#!/usr/bin/env bash
# Sets everything up, builds and starts the program. Until the program exists, this
# builds and runs the tests instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -x build/tallyra ]; then
  exec build/tallyra
fi
echo "The program is not built yet; running the tests instead."
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
