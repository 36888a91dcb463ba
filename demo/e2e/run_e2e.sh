#!/usr/bin/env bash
# End-to-end run of the demo host in a virtual X server, driven by real X input
# (xdotool): row clicks, Ctrl-click, the header's check box, the port filter
# popup, the filter box and the state list (by mouse and keys), the header's
# check box under a filter, the hidden key sequence, the Reset button, the header's column menu,
# the find bar, Space and Ctrl+C on the keyboard, the CSV export and the
# layout kept for the next start. The demo runs with
# --e2e, which pins its window at 0,0 and logs every signal the host receives;
# the checks read that log. The controls are found on the screen as a screen
# reader finds them, through the accessibility tree (atspi_targets.py).
#
#   run_e2e.sh <path to cmview_demo>
#
# CMVIEW_E2E_SHOW_LOG=1 prints the demo's log on success too.
# CMVIEW_TEST_TIME_FACTOR (a whole number, default 1) scales every wait.
# Exit 0 on success, 77 when the X or accessibility tools are missing (CTest
# reports a skip), anything else on failure, after printing the demo's output.
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

atspi_enter_xvfb "$0" "$demo" xdotool

# ---- inside the virtual X server

work="$(mktemp -d)"
log="$work/demo.log"
err="$work/demo.err"
demo_pid=""

current_step=""

cleanup() {
    if [ -n "$demo_pid" ] && kill -0 "$demo_pid" 2>/dev/null; then
        kill "$demo_pid" 2>/dev/null
        sleep 0.5
        kill -9 "$demo_pid" 2>/dev/null
    fi
    atspi_stop
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: step '$current_step': $*"
    echo "---- demo stdout"
    cat "$log" 2>/dev/null
    echo "---- demo stderr"
    cat "$err" 2>/dev/null
    exit 1
}

step() {
    current_step="$*"
    echo "-- $*"
}

# pause <seconds>: a settling time for the UI, times the factor.
pause() { sleep "$(awk -v s="$1" -v f="$factor" 'BEGIN { print s * f }')"; }

# Lines in the log so far; checks after an action look only past this mark.
mark() { wc -l <"$log" | tr -d ' '; }

# wait_for <mark> <fixed string> [seconds]: the string appears after the mark.
# The limit is multiplied by the time factor.
wait_for() {
    local from="$1" text="$2" limit="$((${3:-10} * factor))" waited=0
    while ! tail -n "+$((from + 1))" "$log" | grep -qF -- "$text"; do
        if ! kill -0 "$demo_pid" 2>/dev/null; then
            fail "demo exited while waiting for '$text'"
        fi
        if [ "$waited" -ge "$((limit * 10))" ]; then
            fail "no '$text' within ${limit}s"
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
}

# What atspi_targets.py calls a control of the run: rows by how many are
# asked for, tool bar buttons by their names.
target_spec() {
    case "$1" in
        row*) echo "rows:$((${1#row} + 1))" ;;
        header-type) echo "header:Type" ;;
        tool-live) echo "tool:Live updates" ;;
        tool-plug) echo "tool:Plug card" ;;
        tool-startupgrade) echo "tool:Start upgrade" ;;
        tool-english) echo "tool:English" ;;
        filter-box) echo "text:Filter (S/N, type, firmware)" ;;
        state-all) echo "state:All" ;;
        state-packet-errors) echo "state:Packet errors" ;;
        # The UTF-8 bytes, so that no locale is needed: "简体中文".
        tool-chinese) echo "tool:$(printf '\xe7\xae\x80\xe4\xbd\x93\xe4\xb8\xad\xe6\x96\x87')" ;;
        *) echo "$1" ;;
    esac
}

# target <name>: the control's screen position into target_x and target_y,
# found in the accessibility tree; waits (10 s times the factor) for it to
# appear. Runs in this shell, so that a failure ends the run.
target() {
    local found
    found="$("$ATSPI_PYTHON" "$here/atspi_targets.py" --pid "$demo_pid" --timeout 10 "$(target_spec "$1")" 2>"$work/targets.err")" \
        || fail "no position for '$1': $(cat "$work/targets.err")"
    # One line per place ("Target <name> <x> <y>", a name may hold spaces);
    # rows come in order, so the last line is the row asked for.
    read -r target_x target_y <<<"$(awk '$1 == "Target" { p = $(NF - 1) " " $NF } END { print p }' <<<"$found")"
    [ -n "$target_y" ] || fail "no position for '$1'"
}

# The demo's window, once it is mapped.
demo_window() {
    timeout $((10 * factor)) xdotool search --sync --onlyvisible --pid "$demo_pid" 2>/dev/null | head -n 1
}

# click <target> [modifier key]
click() {
    target "$1"
    xdotool mousemove --sync "$target_x" "$target_y" || fail "mousemove to $1"
    pause 0.15
    if [ -n "${2:-}" ]; then
        xdotool keydown "$2" click 1 keyup "$2" || fail "$2-click on $1"
    else
        xdotool click 1 || fail "click on $1"
    fi
}

step "start the accessibility bus"
atspi_start $((10 * factor)) || fail "the accessibility bus did not start"

step "start the demo: 3 ports x 6 cards"
layout="$work/layout.ini"
"$demo" --e2e --ports 3 --receivers-per-port 6 --seed 40 --quit-after 120000 --layout-file "$layout" >"$log" 2>"$err" &
demo_pid=$!
wait_for 0 "Status checked=0 filter=-1 receivers=18 shown=18" 30
window="$(demo_window)"
[ -n "$window" ] || fail "no window of the demo is mapped"
target header-check
timeout $((10 * factor)) xdotool windowfocus --sync "$window" || fail "cannot focus the demo window"

step "click a row: it alone is checked"
m=$(mark)
click row0
wait_for "$m" "RcvSelectChanged checked=1"
wait_for "$m" "Status checked=1 filter=-1 receivers=18 shown=18"

step "Ctrl-click another row: both are checked"
m=$(mark)
click row2 ctrl
wait_for "$m" "RcvSelectChanged checked=2"
wait_for "$m" "Status checked=2 filter=-1 receivers=18 shown=18"

step "click the header's check box: every row is checked"
m=$(mark)
click header-check
wait_for "$m" "RcvSelectChanged checked=18"
wait_for "$m" "Status checked=18 filter=-1 receivers=18 shown=18"

step "Filter popup, choose port 2: the host hears it, checks are cleared, six rows remain"
m=$(mark)
click filter
target popup-port2
m=$(mark)
click popup-port2
wait_for "$m" "SignalFiltrate port=1"
wait_for "$m" "RcvSelectChanged checked=0"
wait_for "$m" "Status checked=0 filter=1 receivers=18 shown=6"

step "type the hidden key sequence 1 5 9: the diagnostics panel opens"
m=$(mark)
timeout $((10 * factor)) xdotool windowfocus --sync "$window" || fail "cannot focus the demo window"
xdotool key --delay 120 1 5 9 || fail "typing 1 5 9"
wait_for "$m" "SignalShowPack true"
wait_for "$m" "Panel diagnostics visible=true"

step "stop live updates, plug a card on port 2, click Reset: detection reports the new count"
m=$(mark)
click tool-live
wait_for "$m" "Action Live off"
m=$(mark)
click tool-plug
wait_for "$m" "Action PlugReceiver port=1"
m=$(mark)
click reset
wait_for "$m" "DataChange receivers=19"
wait_for "$m" "Status checked=0 filter=1 receivers=19 shown=7"

step "choose All in the Filter popup: every row is shown again"
m=$(mark)
click filter
target popup-all
m=$(mark)
click popup-all
wait_for "$m" "SignalFiltrate port=-1"
wait_for "$m" "Status checked=0 filter=-1 receivers=19 shown=19"

step "type V5 into the filter box: fewer cards are shown; the header's box checks exactly those"
m=$(mark)
click filter-box
xdotool type --delay 120 "V5" || fail "typing into the filter box"
wait_for "$m" "Action TextFilter text=V5 shown="
shown="$(tail -n "+$((m + 1))" "$log" | awk '$2 == "TextFilter" && $3 == "text=V5" { sub("shown=", "", $4); print $4; exit }')"
[ -n "$shown" ] && [ "$shown" -gt 0 ] && [ "$shown" -lt 19 ] || fail "the filter box left '$shown' of 19 cards shown"
wait_for "$m" "Status checked=0 filter=-1 receivers=19 shown=$shown"
m=$(mark)
click header-check
wait_for "$m" "RcvSelectChanged checked=$shown"
wait_for "$m" "Status checked=$shown filter=-1 receivers=19 shown=$shown"
m=$(mark)
click header-check
wait_for "$m" "RcvSelectChanged checked=0"
m=$(mark)
click filter-box
xdotool key ctrl+a BackSpace || fail "clearing the filter box"
wait_for "$m" "Action TextFilter text= shown=19"
wait_for "$m" "Status checked=0 filter=-1 receivers=19 shown=19"

step "click the Packet errors line: its cards alone are shown; a second click shows all"
line="$("$ATSPI_PYTHON" "$here/atspi_targets.py" --pid "$demo_pid" --state-line "Packet errors" 2>&1)" \
    || fail "no Packet errors line: $line"
errored="$(sed -n 's/^Packet errors (\([0-9]*\))$/\1/p' <<<"$line")"
[ -n "$errored" ] || fail "the Packet errors line reads '$line'"
m=$(mark)
click state-packet-errors
wait_for "$m" "Filters state=1 text= hidden=0"
wait_for "$m" "Status checked=0 filter=-1 receivers=19 shown=$errored"
m=$(mark)
click state-packet-errors
wait_for "$m" "Filters state=0 text= hidden=0"
wait_for "$m" "Status checked=0 filter=-1 receivers=19 shown=19"

step "in the state list, Down and Return choose Too hot; Return again shows all"
m=$(mark)
xdotool key --delay 120 Down Return || fail "typing Down Return in the state list"
wait_for "$m" "Filters state=2 text= hidden=0"
m=$(mark)
xdotool key Return || fail "typing Return in the state list"
wait_for "$m" "Filters state=0 text= hidden=0"
wait_for "$m" "Status checked=0 filter=-1 receivers=19 shown=19"

step "Start upgrade with nothing checked: every card takes part, clicks on rows are ignored until it ends"
m=$(mark)
click tool-startupgrade
wait_for "$m" "Upgrade begin members=19"
click row0
wait_for "$m" "Upgrade finished" 60
if tail -n "+$((m + 1))" "$log" | grep -q "RcvSelectChanged checked=1"; then
    fail "a row click during the upgrade checked a row"
fi
# The view rebuilds when told the run is over.
wait_for "$m" "RcvSelectChanged checked=0"

step "switch to Chinese and back at run time: the view rebuilds its rows each time"
m=$(mark)
click tool-chinese
wait_for "$m" "Action Language zh_CN"
wait_for "$m" "RcvSelectChanged checked=0"
# The header is labelled in Chinese: "Type" is 类型 (its UTF-8 bytes, needing no locale).
target "header:$(printf '\xe7\xb1\xbb\xe5\x9e\x8b')"
m=$(mark)
click tool-english
wait_for "$m" "Action Language en"
wait_for "$m" "RcvSelectChanged checked=0"
target header-type

step "right-click the Type header, choose Type in the column menu with the keys: the column hides"
timeout $((10 * factor)) xdotool windowfocus --sync "$window" || fail "cannot focus the demo window"
target header-type
xdotool mousemove --sync "$target_x" "$target_y" || fail "mousemove to the Type header"
pause 0.15
xdotool click 3 || fail "right click on the header"
pause 0.6
# The first entry is String position, the second Type.
xdotool key --delay 120 Down Down Return || fail "choosing Type in the column menu"
pause 0.3

step "Ctrl+F, find cards by firmware: each Return makes the next one current; no match keeps it"
m=$(mark)
timeout $((10 * factor)) xdotool windowfocus --sync "$window" || fail "cannot focus the demo window"
xdotool key ctrl+f || fail "typing Ctrl+F"
pause 0.4
xdotool type --delay 60 " V" || fail "typing the find text"
xdotool key Return || fail "typing Return"
wait_for "$m" "Action Find text= V found=true"
first_row="$(tail -n "+$((m + 1))" "$log" | awk '$2 == "Find" { sub("row=", "", $NF); print $NF; exit }')"
m=$(mark)
xdotool key Return || fail "typing Return"
wait_for "$m" "Action Find text= V found=true row=$((first_row + 1))"
m=$(mark)
xdotool key ctrl+a || fail "selecting the find text"
xdotool type --delay 60 "zzz" || fail "typing the find text"
xdotool key Return || fail "typing Return"
wait_for "$m" "Action Find text=zzz found=false row=$((first_row + 1))"
xdotool key Escape || fail "closing the find bar"
pause 0.3

step "Home, Down, Space: the second row is checked as a click on its box would; Ctrl+C copies it"
m=$(mark)
xdotool key --delay 120 Home Down space || fail "typing Home Down Space"
wait_for "$m" "RcvSelectChanged checked=1"
wait_for "$m" "Status checked=1 filter=-1 receivers=19 shown=19"
m=$(mark)
xdotool key ctrl+c || fail "typing Ctrl+C"
wait_for "$m" "Clipboard lines=2"

step "Ctrl+E, export CSV through the file dialog: UTF-8 with a byte-order mark, labels and 19 rows"
m=$(mark)
xdotool key ctrl+e || fail "typing Ctrl+E"
wait_for "$m" "Dialog export"
# The dialog is typed into once its window is mapped and focused: under a
# sanitizer it takes several seconds to appear, longer than any fixed pause.
dialog="$(timeout $((20 * factor)) xdotool search --sync --onlyvisible --name "^Export CSV$" 2>/dev/null | head -n 1)"
[ -n "$dialog" ] || fail "no export dialog on the screen within $((20 * factor))s"
timeout $((10 * factor)) xdotool windowfocus --sync "$dialog" || fail "cannot focus the export dialog"
pause 1.2
xdotool type --delay 30 "$work/cards.csv" || fail "typing the file name"
# Return only once the dialog's field holds the whole name.
typed=""
for _ in $(seq 1 $((100 * factor))); do
    typed="$("$ATSPI_PYTHON" "$here/atspi_targets.py" --pid "$demo_pid" --dialog-text "Export CSV" 2>/dev/null)"
    [ "$typed" = "$work/cards.csv" ] && break
    sleep 0.1
done
[ "$typed" = "$work/cards.csv" ] || fail "the dialog's file name field holds '$typed'"
xdotool key Return || fail "typing Return"
wait_for "$m" "Action ExportCsv ok=true lines=20"
[ "$(head -c 3 "$work/cards.csv" | od -An -tx1 | tr -d ' ')" = "efbbbf" ] || fail "the export has no UTF-8 byte-order mark"
head -n 1 "$work/cards.csv" | grep -q "S/N" || fail "the export has no label line"
if head -n 1 "$work/cards.csv" | grep -q "Type"; then
    fail "the hidden Type column was exported"
fi

quit_demo() {
    timeout $((10 * factor)) xdotool windowfocus --sync "$window" || fail "cannot focus the demo window"
    xdotool key ctrl+q || fail "typing Ctrl+Q"
    for _ in $(seq 1 $((100 * factor))); do
        kill -0 "$demo_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$demo_pid" 2>/dev/null; then
        fail "demo still running $((10 * factor))s after Ctrl+Q"
    fi
    wait "$demo_pid"
    rc=$?
    demo_pid=""
    [ "$rc" -eq 0 ] || fail "demo exited with $rc"
}

step "Ctrl+Q quits cleanly and keeps the layout"
quit_demo
grep -qF "Layout saved hidden=2" "$log" || fail "the layout was not saved with Type hidden"

step "start again: the layout comes back, Type still hidden"
m=$(mark)
"$demo" --e2e --ports 3 --receivers-per-port 6 --seed 40 --quit-after 120000 --layout-file "$layout" >>"$log" 2>>"$err" &
demo_pid=$!
wait_for "$m" "Layout restored ok=true hidden=2" 30
window="$(demo_window)"
[ -n "$window" ] || fail "no window of the demo is mapped"
target header-check
quit_demo

if grep -qE "^(QWidget|QObject|QPainter|QSortFilterProxyModel)[:: ]" "$err"; then
    fail "Qt warnings on stderr"
fi
if [ -n "${CMVIEW_E2E_SHOW_LOG:-}" ]; then
    cat "$log"
fi
echo "PASS: demo end-to-end under Xvfb"
