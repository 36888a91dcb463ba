#!/usr/bin/env bash
# Configures, builds and runs every test. BUILD_DIR and CMAKE_ARGS may be set.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-}
cmake --build "$build" -j"$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
