#!/usr/bin/env bash
# The demo as a screen reader reaches it: in a virtual X server with an
# accessibility (AT-SPI) bus, demo/e2e/atspi_check.py walks the demo's
# accessibility tree from the application down and uses the actions a screen
# reader offers its user.
#
#   run_atspi_e2e.sh <path to cmview_demo>
#
# Exit 0 on success, 77 when a tool is missing (CTest reports a skip), anything
# else on failure. CMVIEW_TEST_TIME_FACTOR scales every wait.
set -uo pipefail

demo="${1:-}"
if [ -z "$demo" ] || [ ! -x "$demo" ]; then
    echo "usage: $0 <path to cmview_demo>" >&2
    exit 2
fi
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=atspi_session.sh
source "$here/atspi_session.sh"
factor="$(test_time_factor)"

if [ -z "${CMVIEW_E2E_INNER:-}" ]; then
    for tool in xvfb-run xauth; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool not installed (scripts/setup-debian.sh installs it)"
            exit 77
        fi
    done
    missing="$(atspi_missing_tool)"
    if [ -n "$missing" ]; then
        echo "SKIP: $missing not installed (scripts/setup-debian.sh installs it)"
        exit 77
    fi
    exec timeout -k 5 $((150 * factor)) xvfb-run -a -s "-screen 0 1600x900x24 -noreset" \
        env CMVIEW_E2E_INNER=1 bash "$0" "$demo"
fi

# ---- inside the virtual X server

export QT_QPA_PLATFORM=xcb
export QT_ENABLE_HIGHDPI_SCALING=0
export QT_SCALE_FACTOR=1
unset QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
trap atspi_stop EXIT
atspi_start $((10 * factor)) || { echo "FAIL: step 'start the accessibility bus' failed"; exit 1; }
"$ATSPI_PYTHON" "$here/atspi_check.py" --demo "$demo" \
    --translations "$here/../../resources/translations/cmview_zh_CN.ts"
