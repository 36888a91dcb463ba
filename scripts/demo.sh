#!/usr/bin/env bash
# Builds the demo host application and runs it on the simulated receiver wall.
# Without a display it renders offscreen; extra arguments go to the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target cmview_demo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1600x900x24" "$build/demo/cmview_demo" "$@"
fi
exec "$build/demo/cmview_demo" "$@"
