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

atspi_enter_xvfb "$0" "$demo"

# ---- inside the virtual X server
trap atspi_stop EXIT
atspi_start $((10 * factor)) || { echo "FAIL: step 'start the accessibility bus' failed"; exit 1; }
"$ATSPI_PYTHON" "$here/atspi_check.py" --demo "$demo" \
    --translations "$here/../../resources/translations/cmview_zh_CN.ts"
