# Sourced by the end-to-end scripts: an accessibility (AT-SPI) bus for the
# demo inside a virtual X server, as a desktop session gives one to a user's
# screen reader.
#
# Qt 5's bridge finds the accessibility bus reliably only through the root
# window's AT_SPI_BUS property; asked over the session bus instead it races its
# own start-up and often exposes nothing. So the bus is started first, and the
# property set once it answers. The X server must run with -noreset, or the
# property goes with the last client that disconnects.
#
# atspi_missing_tool        prints a missing tool's name (nothing when all are here)
# atspi_start <seconds>     private session bus, accessibility bus (its address in
#                           $ATSPI_BUS_ADDRESS) and, when $DISPLAY is set, the root property
# atspi_stop                ends every process atspi_start started
# $ATSPI_PYTHON             a Python 3 that imports pyatspi
# test_time_factor          CMVIEW_TEST_TIME_FACTOR as a whole number, at least 1
# atspi_enter_xvfb <script> <demo> <tool>...
#                           outside the virtual X server: skips (77) without a tool
#                           or the bus, else runs the script again inside one, under
#                           a hard limit; inside: sets Qt's X environment and returns

ATSPI_LAUNCHER=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && ATSPI_LAUNCHER="$candidate" && break
done
ATSPI_PYTHON=""
for candidate in /usr/bin/python3 python3; do
    if command -v "$candidate" >/dev/null 2>&1 && "$candidate" -c "import pyatspi" >/dev/null 2>&1; then
        ATSPI_PYTHON="$(command -v "$candidate")"
        break
    fi
done
atspi_launcher_pid=""
atspi_session_bus_pid=""

test_time_factor() {
    local factor="${CMVIEW_TEST_TIME_FACTOR:-1}"
    factor="${factor%%.*}"
    [[ "$factor" =~ ^[1-9][0-9]*$ ]] || factor=1
    echo "$factor"
}

atspi_missing_tool() {
    local tool
    for tool in dbus-launch dbus-send xprop; do
        command -v "$tool" >/dev/null 2>&1 || { echo "$tool"; return; }
    done
    [ -n "$ATSPI_LAUNCHER" ] || { echo "at-spi-bus-launcher"; return; }
    [ -n "$ATSPI_PYTHON" ] || echo "python3-pyatspi"
}

atspi_start() {
    local limit="$1" waited=0 address=""
    eval "$(dbus-launch --sh-syntax)" || return 1
    atspi_session_bus_pid="$DBUS_SESSION_BUS_PID"
    export DBUS_SESSION_BUS_ADDRESS
    # A session of its own, so atspi_stop ends the launcher's bus and registry too.
    setsid "$ATSPI_LAUNCHER" --launch-immediately >/dev/null 2>&1 &
    atspi_launcher_pid=$!
    while [ -z "$address" ]; do
        address="$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' \n')"
        if [ -z "$address" ]; then
            if [ "$waited" -ge "$((limit * 10))" ]; then
                echo "the accessibility bus did not answer within ${limit}s" >&2
                return 1
            fi
            sleep 0.1
            waited=$((waited + 1))
        fi
    done
    ATSPI_BUS_ADDRESS="$address"
    if [ -n "${DISPLAY:-}" ]; then
        xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "$address" || return 1
    fi
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    export QT_ACCESSIBILITY=1
}

atspi_stop() {
    if [ -n "$atspi_launcher_pid" ]; then
        kill -TERM -- "-$atspi_launcher_pid" 2>/dev/null
        sleep 0.2
        kill -KILL -- "-$atspi_launcher_pid" 2>/dev/null
        atspi_launcher_pid=""
    fi
    if [ -n "$atspi_session_bus_pid" ]; then
        kill "$atspi_session_bus_pid" 2>/dev/null
        atspi_session_bus_pid=""
    fi
}

atspi_enter_xvfb() {
    local script="$1" demo="$2" tool missing
    shift 2
    if [ -n "${CMVIEW_E2E_INNER:-}" ]; then
        export QT_QPA_PLATFORM=xcb
        export QT_ENABLE_HIGHDPI_SCALING=0
        export QT_SCALE_FACTOR=1
        unset QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
        return 0
    fi
    for tool in xvfb-run xauth "$@"; do
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
    # The whole run, server included, gets a hard limit. -noreset keeps the
    # accessibility bus's root window property.
    exec timeout -k 5 $((150 * $(test_time_factor))) xvfb-run -a -s "-screen 0 1600x900x24 -noreset" \
        env CMVIEW_E2E_INNER=1 bash "$script" "$demo"
}
