#!/usr/bin/env bash
# Builds the demo host application and runs it on the simulated receiver wall.
# Extra arguments go to the demo. With a display the demo opens its window
# there. Without one (or with CMVIEW_DEMO_HEADLESS=1) it runs in a virtual X
# server whose screen is served to a VNC viewer and to a web browser on
# 127.0.0.1 only (scripts/serve-headless.sh); the addresses are printed once
# the build is done.
set -euo pipefail
cd "$(dirname "$0")/.."
headless=""
if [ -n "${CMVIEW_DEMO_HEADLESS:-}" ] || { [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; }; then
    headless=1
    echo "No display: after the build the demo runs in a virtual X server, served to a VNC viewer"
    echo "and to a web browser on 127.0.0.1 only. The addresses follow the build output."
fi
bash scripts/setup-debian.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target cmview_demo
if [ -n "$headless" ]; then
    exec bash scripts/serve-headless.sh "$build/demo/cmview_demo" "$@"
fi
exec "$build/demo/cmview_demo" "$@"
