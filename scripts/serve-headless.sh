#!/usr/bin/env bash
# Runs the demo on a machine without a display and serves its screen so a
# person can watch and use it: a virtual X server (Xvfb) holds the demo,
# x11vnc serves that screen over VNC and websockify serves noVNC, the browser
# VNC client, next to a WebSocket bridge to x11vnc. Everything listens on
# 127.0.0.1 only; from another machine the ports are reached through an SSH
# tunnel. Ctrl+C (or SIGTERM/SIGHUP) stops the demo and every helper.
#
#   serve-headless.sh <path to cmview_demo> [demo arguments...]
#
# CMVIEW_DEMO_SCREEN   size of the virtual screen (default 1600x900)
# CMVIEW_VNC_PASSWORD  password for both viewers (default: a random one)
# CMVIEW_AT_SPI_BUS    an accessibility bus address to announce to the demo (tests)
set -uo pipefail

demo="${1:-}"
if [ -z "$demo" ] || [ ! -x "$demo" ]; then
    echo "usage: $0 <path to cmview_demo> [demo arguments...]" >&2
    exit 2
fi
shift

novnc_dir=/usr/share/novnc
for tool in Xvfb xauth x11vnc websockify; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "serve-headless: $tool is missing (scripts/setup-debian.sh installs it)" >&2
        exit 3
    fi
done
if [ ! -f "$novnc_dir/vnc.html" ]; then
    echo "serve-headless: noVNC is missing ($novnc_dir; scripts/setup-debian.sh installs it)" >&2
    exit 3
fi

screen="${CMVIEW_DEMO_SCREEN:-1600x900}"

# Every helper runs as a job of its own process group, so one kill per group
# also reaches whatever a helper forks (websockify forks per connection), and
# the terminal's Ctrl+C reaches only this script, which then stops them in order.
# Job control is on only while a job starts: that is when the group is made,
# and with it off bash does not announce the jobs it later stops.

work="$(mktemp -d /tmp/cmview-headless.XXXXXX)"
chmod 700 "$work"
# Process group of each helper that runs; the demo's is also its pid.
declare -A group=()

# start <name> <command...>: runs the command as a job in its own process group.
start() {
    local name="$1"
    shift
    set -m
    "$@" </dev/null >"$work/$name.log" 2>&1 &
    group[$name]=$!
    set +m
}

alive() { [ -n "${group[$1]:-}" ] && kill -0 -- "-${group[$1]}" 2>/dev/null; }

# stop <name>: SIGTERM to the helper's group, SIGKILL after 5 s.
stop() {
    alive "$1" || return 0
    kill -TERM -- "-${group[$1]}" 2>/dev/null
    for _ in $(seq 1 50); do
        alive "$1" || break
        sleep 0.1
    done
    alive "$1" && kill -KILL -- "-${group[$1]}" 2>/dev/null
    wait "${group[$1]}" 2>/dev/null
}

cleanup() {
    trap '' INT TERM HUP
    local name left=() stopped=()
    # The demo first, so it does not lose its display under it; the X server last.
    for name in demo websockify x11vnc xvfb; do
        [ -n "${group[$name]:-}" ] && stopped+=("$name")
        stop "$name"
    done
    for name in "${!group[@]}"; do
        alive "$name" && left+=("$name")
    done
    if [ ${#left[@]} -gt 0 ]; then
        echo "serve-headless: still running after SIGKILL: ${left[*]}" >&2
    elif [ ${#stopped[@]} -gt 0 ]; then
        echo "Stopped ${stopped[*]}; none of them is left running."
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# A port is taken when any socket listens on it, on any address: a wildcard
# listener would take our loopback connections too.
listening() {
    local hex
    hex="$(printf '%04X' "$1")"
    cat /proc/net/tcp /proc/net/tcp6 2>/dev/null \
        | awk -v p="$hex" 'NR > 1 && $4 == "0A" { split($2, a, ":"); if (a[length(a)] == p) f = 1 } END { exit !f }'
}

free_port() {
    local port="$1" avoid="${2:-}"
    for _ in $(seq 1 200); do
        if [ "$port" != "$avoid" ] && ! listening "$port"; then
            echo "$port"
            return 0
        fi
        port=$((port + 1))
    done
    return 1
}

fail() {
    echo "serve-headless: $1" >&2
    if [ -n "${2:-}" ] && [ -s "$work/$2.log" ]; then
        echo "---- last lines of the $2 log" >&2
        tail -n 15 "$work/$2.log" >&2
    fi
    exit 1
}

vnc_port="$(free_port 5900)" || fail "no free port from 5900 on"
web_port="$(free_port 6080 "$vnc_port")" || fail "no free port from 6080 on"
password="${CMVIEW_VNC_PASSWORD:-$(od -An -N4 -tx1 /dev/urandom | tr -d ' \n')}"
# VNC authentication reads only the first eight characters.
password="${password:0:8}"
printf '%s\n' "$password" >"$work/passwd"
url="http://127.0.0.1:$web_port/vnc.html?autoconnect=true&resize=scale&password=$password"
user="${USER:-$(id -un)}"

cat <<EOF
No display here: the demo runs in a virtual X server ($screen) and its screen is
served on this machine's loopback address (127.0.0.1) only, password $password:

  web browser (noVNC):  $url
  VNC viewer:           127.0.0.1:$vnc_port

From another machine, forward the ports through SSH first, then open the same
addresses there:

  ssh -L $web_port:127.0.0.1:$web_port -L $vnc_port:127.0.0.1:$vnc_port $user@$(hostname)

Ctrl+C stops the demo and everything started for it.

EOF

# The X server: the first display number whose lock is free, with a fresh
# cookie so that other users of this machine cannot open windows on it.
xauthority="$work/Xauthority"
display=""
for n in $(seq 99 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    : >"$xauthority"
    xauth -q -f "$xauthority" add ":$n" . "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')" || fail "xauth failed"
    rm -f "$work/displayfd"
    # With an accessibility bus to announce the server keeps its root window's
    # properties when its last client goes (-noreset).
    start xvfb Xvfb ":$n" -screen 0 "${screen}x24" -nolisten tcp -auth "$xauthority" ${CMVIEW_AT_SPI_BUS:+-noreset} \
        -displayfd 3 3>"$work/displayfd"
    # Xvfb writes its display number once it accepts clients; another server
    # taking the number first makes it exit instead.
    for _ in $(seq 1 300); do
        [ -s "$work/displayfd" ] && break
        alive xvfb || break
        sleep 0.1
    done
    if [ -s "$work/displayfd" ]; then
        display=":$n"
        break
    fi
    alive xvfb && fail "Xvfb did not come up within 30 s" xvfb
done
[ -n "$display" ] || fail "no free X display from :99 to :199" xvfb

export DISPLAY="$display" XAUTHORITY="$xauthority"
# Qt wants a private runtime directory and complains on every start without one.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    mkdir -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR="$work/runtime"
fi
# An accessibility bus for the demo (the browser test's): Qt finds it through
# the root window's AT_SPI_BUS property, set before the demo starts.
if [ -n "${CMVIEW_AT_SPI_BUS:-}" ]; then
    xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "$CMVIEW_AT_SPI_BUS" || fail "xprop could not set AT_SPI_BUS" xvfb
fi
# The demo's own output goes to the terminal.
set -m
QT_QPA_PLATFORM=xcb "$demo" "$@" </dev/null &
group[demo]=$!
set +m

start x11vnc x11vnc -display "$display" -auth "$xauthority" -rfbport "$vnc_port" -localhost -noipv6 \
    -passwdfile "$work/passwd" -forever -shared -xkb
start websockify websockify --web "$novnc_dir" "127.0.0.1:$web_port" "127.0.0.1:$vnc_port"

# Generous limits: on a loaded machine the first start of each can be slow.
for _ in $(seq 1 600); do
    listening "$vnc_port" && listening "$web_port" && break
    alive demo || fail "the demo exited during start-up"
    for name in xvfb x11vnc websockify; do
        alive "$name" || fail "$name exited during start-up" "$name"
    done
    sleep 0.1
done
listening "$vnc_port" || fail "x11vnc does not listen on 127.0.0.1:$vnc_port after 60 s" x11vnc
listening "$web_port" || fail "websockify does not listen on 127.0.0.1:$web_port after 60 s" websockify
echo "Ready: display $display served at $url and 127.0.0.1:$vnc_port"

# Runs until the demo quits (Ctrl+Q or closing its window) or a helper dies.
wait -n "${group[@]}"
status=$?
if alive demo; then
    for name in xvfb x11vnc websockify; do
        alive "$name" || fail "$name stopped unexpectedly" "$name"
    done
fi
exit "$status"
