#!/usr/bin/env bash
# Soak run: the demo host on a live simulated wall of 10,000 receivers (20
# ports of 500) for MINUTES (default 10), with live updates and, every
# SOAK_STEP_MS (default 2000), the next of: plug, detect, unplug, detect,
# upgrade run, Chinese, English, quit the upgrade, select-all, another upgrade
# run (of the checked cards), refresh, apply topology. Prints
# the process's resident memory every minute and at the end, then how much it
# grew after the warm-up (the first WARMUP minutes, default 3). Not part of CI.
#
#   scripts/soak.sh [MINUTES]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:-10}"
step_ms="${SOAK_STEP_MS:-2000}"
warmup="${WARMUP:-3}"
build="${BUILD_DIR:-build}"

if [ -z "${SOAK_INNER:-}" ]; then
    bash scripts/setup-debian.sh
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j"$(nproc)" --target cmview_demo >/dev/null
    if [ -z "${DISPLAY:-}" ]; then
        exec xvfb-run -a -s "-screen 0 1600x900x24" env SOAK_INNER=1 BUILD_DIR="$build" bash "$0" "$minutes"
    fi
fi

log="$(mktemp)"
trap 'kill "$pid" 2>/dev/null || true; rm -f "$log"' EXIT
"$build/demo/cmview_demo" --ports 20 --receivers-per-port 500 --soak "$step_ms" \
    --quit-after "$((minutes * 60000 + 5000))" >"$log" 2>&1 &
pid=$!

rss_mib() { awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status" 2>/dev/null; }
hwm_mib() { awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status" 2>/dev/null; }
steps() { grep -o 'Soak steps=[0-9]*' "$log" | tail -1 | cut -d= -f2; }

echo "soak: $minutes min, 10,000 receivers, a step every $step_ms ms (pid $pid)"
base=""
for ((m = 1; m <= minutes; ++m)); do
    for ((s = 0; s < 60; ++s)); do
        kill -0 "$pid" 2>/dev/null || break 2
        sleep 1
    done
    kill -0 "$pid" 2>/dev/null || break
    rss="$(rss_mib)"
    printf 'minute %3d: RSS %8s MiB  peak %8s MiB  steps %s\n' "$m" "$rss" "$(hwm_mib)" "$(steps)"
    [ "$m" -eq "$warmup" ] && base="$rss"
    last="$rss"
done
# The demo quits a few seconds after the last sample.
status=0
wait "$pid" || status=$?
if [ "$status" -ne 0 ]; then
    echo "soak: the demo exited with $status"; tail -20 "$log"; exit 1
fi
echo "end: RSS ${last:-?} MiB after $(steps) steps"
if [ -n "$base" ] && [ -n "${last:-}" ]; then
    awk -v a="$base" -v b="$last" -v w="$warmup" \
        'BEGIN { printf "growth after minute %d: %+.1f MiB (%+.1f%%)\n", w, b - a, (b - a) * 100 / a }'
fi
