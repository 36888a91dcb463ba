#!/usr/bin/env python3
"""The headless demo as a person reaches it: through noVNC in a real browser.

Starts scripts/serve-headless.sh on a terminal of its own, opens the noVNC
address it prints in headless Chromium (driven over the DevTools protocol),
waits until the browser shows the demo's screen and checks the screenshot for
the table's header band (#2F3237) and for rows (alternating backgrounds with
text) at the positions a screen reader finds them (atspi_targets.py, over an
accessibility bus this test starts for the demo). While it runs, every
listening socket of the served session must be on a loopback address. Then it
types Ctrl+C on that terminal and checks that nothing of the session is left.

    run_novnc_e2e.py --serve scripts/serve-headless.sh --demo cmview_demo [--artifacts DIR]

Exit 0 on success, 77 when a tool is missing (CTest reports a skip), 1 on
failure after printing the script's output; the last screenshot is kept in
--artifacts for a look at what the browser saw. CMVIEW_TEST_TIME_FACTOR (a
whole number, default 1) scales every limit.
"""

import argparse
import base64
import fcntl
import json
import os
import pty
import re
import select
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import termios
import threading
import time
import urllib.request
import zlib

HEADER = (0x2F, 0x32, 0x37)
# Even rows show the window's background, odd rows a darker band; the row under
# the X pointer (it starts in the middle of the screen) the hover colour.
ROW_BACKGROUNDS = ((0x1B, 0x1C, 0x1F), (0x13, 0x14, 0x16), (0x26, 0x28, 0x2C))
HOVERED = 2


class Failure(Exception):
    pass


E2E_DIR = os.path.dirname(os.path.abspath(__file__))
TIME_FACTOR = max(1, int(float(os.environ.get("CMVIEW_TEST_TIME_FACTOR") or 1)))


# ---- the accessibility bus (atspi_session.sh)


class AccessibilityBus:
    """A private session bus and accessibility bus, started through atspi_session.sh."""

    def __init__(self):
        self.session_pid = self.launcher_pid = None
        script = (f'source "{E2E_DIR}/atspi_session.sh"; missing="$(atspi_missing_tool)"; '
                  '[ -z "$missing" ] || { echo "missing $missing"; exit 77; }; '
                  f'atspi_start {10 * TIME_FACTOR} || exit 1; '
                  'printf "%s\\n" "$DBUS_SESSION_BUS_ADDRESS" "$atspi_session_bus_pid" "$atspi_launcher_pid" '
                  '"$ATSPI_BUS_ADDRESS" "$ATSPI_PYTHON"')
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        done = subprocess.run(["bash", "-c", script], env=env, capture_output=True, text=True)
        self.missing = done.stdout.strip()[len("missing "):] if done.returncode == 77 else None
        if done.returncode == 77:
            return
        if done.returncode != 0:
            raise Failure(f"step 'start the accessibility bus' failed: {done.stderr.strip()}")
        self.session_address, session_pid, launcher_pid, self.address, self.python = done.stdout.split("\n")[:5]
        self.session_pid, self.launcher_pid = int(session_pid), int(launcher_pid)

    def stop(self):
        for pid, group in ((self.launcher_pid, True), (self.session_pid, False)):
            if pid:
                try:
                    os.killpg(pid, signal.SIGTERM) if group else os.kill(pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        self.launcher_pid = self.session_pid = None


# ---- processes of a session


def session_pids(sid):
    pids = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        # After the command: state, ppid, pgrp, session.
        if int(fields[3]) == sid and fields[0] != "Z":
            pids.append(int(entry))
    return pids


def command_of(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return f.read().replace(b"\0", b" ").decode(errors="replace").strip()
    except OSError:
        return "?"


def kill_session(sid):
    _kill_until_gone(lambda: session_pids(sid))


def kill_mentioning(text):
    """Kills the processes whose command line holds text (a unique temporary path)."""
    _kill_until_gone(lambda: [pid for pid in all_pids() if text in command_of(pid)])


def _kill_until_gone(find_pids):
    for _ in range(100):
        pids = find_pids()
        if not pids:
            return
        for pid in pids:
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass
        time.sleep(0.1)


def all_pids():
    return [int(e) for e in os.listdir("/proc") if e.isdigit() and int(e) != os.getpid()
            and not _is_zombie(int(e))]


def _is_zombie(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] == "Z"
    except OSError:
        return True


def listening_sockets(pids):
    """(address, port, pid) of every listening TCP socket the given processes hold."""
    owners = {}
    for pid in pids:
        try:
            for fd in os.listdir(f"/proc/{pid}/fd"):
                target = os.readlink(f"/proc/{pid}/fd/{fd}")
                if target.startswith("socket:["):
                    owners[target[8:-1]] = pid
        except OSError:
            continue
    found = []
    for table, family in (("/proc/net/tcp", socket.AF_INET), ("/proc/net/tcp6", socket.AF_INET6)):
        try:
            with open(table) as f:
                lines = f.readlines()[1:]
        except OSError:
            continue
        for line in lines:
            fields = line.split()
            if fields[3] != "0A" or fields[9] not in owners:
                continue
            hex_address, hex_port = fields[1].split(":")
            raw = bytes.fromhex(hex_address)
            # The kernel prints each 32-bit word in host order.
            raw = b"".join(struct.pack("=I", struct.unpack(">I", raw[i:i + 4])[0]) for i in range(0, len(raw), 4))
            found.append((socket.inet_ntop(family, raw), int(hex_port, 16), owners[fields[9]]))
    return found


def is_loopback(address):
    return address.startswith("127.") or address in ("::1", "::ffff:127.0.0.1") or address.startswith("::ffff:127.")


# ---- the served demo on a terminal of its own


class Terminal:
    def __init__(self, argv, env):
        master, slave = pty.openpty()

        def become_terminal_owner():
            fcntl.ioctl(0, termios.TIOCSCTTY, 0)

        self.process = subprocess.Popen(argv, stdin=slave, stdout=slave, stderr=slave, env=env,
                                        start_new_session=True, preexec_fn=become_terminal_owner)
        os.close(slave)
        self.master = master
        self.output = ""
        self.lock = threading.Lock()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        while True:
            try:
                ready, _, _ = select.select([self.master], [], [], 0.5)
                if ready:
                    data = os.read(self.master, 65536)
                    if not data:
                        return
                    with self.lock:
                        self.output += data.decode(errors="replace").replace("\r\n", "\n")
            except OSError:
                return

    def text(self):
        with self.lock:
            return self.output

    def wait_for(self, pattern, deadline, what):
        while True:
            match = re.search(pattern, self.text(), re.M)
            if match:
                return match
            if self.process.poll() is not None:
                raise Failure(f"the script exited ({self.process.returncode}) while waiting for {what}")
            if time.monotonic() > deadline:
                raise Failure(f"no {what} in time")
            time.sleep(0.2)

    def type_ctrl_c(self):
        os.write(self.master, b"\x03")


# ---- a minimal DevTools protocol client over a WebSocket


class DevTools:
    def __init__(self, ws_url):
        match = re.match(r"ws://([^/:]+):(\d+)(/.*)", ws_url)
        self.sock = socket.create_connection((match.group(1), int(match.group(2))), timeout=60)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f"GET {match.group(3)} HTTP/1.1\r\nHost: {match.group(1)}:{match.group(2)}\r\n"
                           f"Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                           "Sec-WebSocket-Version: 13\r\n\r\n").encode())
        self.buffer = b""
        while b"\r\n\r\n" not in self.buffer:
            self.buffer += self._recv_some()
        head, self.buffer = self.buffer.split(b"\r\n\r\n", 1)
        if b" 101 " not in head.split(b"\r\n")[0]:
            raise Failure(f"DevTools refused the WebSocket: {head[:200]!r}")
        self.next_id = 0

    def _recv_some(self):
        data = self.sock.recv(1 << 20)
        if not data:
            raise Failure("DevTools closed the connection")
        return data

    def _take(self, n):
        while len(self.buffer) < n:
            self.buffer += self._recv_some()
        data, self.buffer = self.buffer[:n], self.buffer[n:]
        return data

    def _send(self, text):
        payload = text.encode()
        mask = os.urandom(4)
        n = len(payload)
        header = bytes([0x81]) + (bytes([0x80 | n]) if n < 126 else
                                  bytes([0x80 | 126]) + struct.pack(">H", n) if n < 65536 else
                                  bytes([0x80 | 127]) + struct.pack(">Q", n))
        self.sock.sendall(header + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(payload)))

    def _receive(self):
        message = b""
        while True:
            first, second = self._take(2)
            n = second & 0x7F
            if n == 126:
                n = struct.unpack(">H", self._take(2))[0]
            elif n == 127:
                n = struct.unpack(">Q", self._take(8))[0]
            payload = self._take(n)
            opcode = first & 0x0F
            if opcode in (0x1, 0x0):
                message += payload
                if first & 0x80:
                    return json.loads(message)
            elif opcode == 0x8:
                raise Failure("DevTools closed the WebSocket")

    def call(self, method, **params):
        self.next_id += 1
        self._send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            reply = self._receive()
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise Failure(f"{method}: {reply['error']}")
                return reply.get("result", {})

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True)
        return result.get("result", {}).get("value")


# ---- PNG decoding (8-bit RGB or RGBA, not interlaced: what Chromium writes)


def decode_png(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise Failure("the screenshot is not a PNG")
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise Failure(f"unexpected PNG format (depth {depth}, colour type {colour})")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    bpp = 3 if colour == 2 else 4
    stride = width * bpp
    raw = zlib.decompress(idat)
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if kind == 1:
            for i in range(bpp, stride):
                line[i] = (line[i] + line[i - bpp]) & 0xFF
        elif kind == 2:
            line = bytearray((a + b) & 0xFF for a, b in zip(line, previous))
        elif kind == 3:
            for i in range(stride):
                line[i] = (line[i] + ((line[i - bpp] if i >= bpp else 0) + previous[i]) // 2) & 0xFF
        elif kind == 4:
            for i in range(stride):
                a = line[i - bpp] if i >= bpp else 0
                b = previous[i]
                c = previous[i - bpp] if i >= bpp else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append(line)
        previous = line
    return width, height, [[tuple(r[x * bpp:x * bpp + 3]) for x in range(width)] for r in rows]


def near(colour, reference, tolerance=6):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, reference))


def share(pixels, reference):
    return sum(1 for p in pixels if near(p, reference)) / max(1, len(pixels))


# ---- the test


def check_screen(image, to_page, targets, clip_x, clip_y):
    """None when the table is on the screenshot, else what is missing."""
    width, height, pixels = image

    def line(screen_y, x_from, x_to):
        (left, y), (right, _) = to_page(x_from, screen_y), to_page(x_to, screen_y)
        y -= clip_y
        if not 0 <= y < height:
            return []
        return pixels[y][max(0, left - clip_x):min(width, right - clip_x)]

    # The band above the labels: through their middle the share of plain band
    # hangs on how the glyphs fall, a pixel up or down, and sits near half.
    x_left, x_right = targets["header-check"][0], targets["reset"][0]
    header = line(targets["header-check"][1] - 12, x_left, x_right)
    if share(header, HEADER) < 0.5:
        return f"the header band above the labels is {share(header, HEADER):.0%} #2F3237"
    rows = sorted((v for k, v in targets.items() if k.startswith("row")), key=lambda p: p[1])
    if len(rows) < 4:
        return f"the demo reported {len(rows)} rows"
    kinds = []
    for _, y in rows:
        pixels_row = line(y, x_left, x_right)
        background = max(range(len(ROW_BACKGROUNDS)), key=lambda k: share(pixels_row, ROW_BACKGROUNDS[k]))
        if share(pixels_row, ROW_BACKGROUNDS[background]) < 0.4:
            return f"the row at y={y} shows no row background"
        # Text: light pixels (#E3E5E8 anti-aliased) on the dark row, a few
        # lines above and below the centre so thin glyphs count too.
        light = sum(1 for dy in range(-4, 5) for p in line(y + dy, x_left, x_right) if min(p) > 150)
        if light < 30:
            return f"the row at y={y} shows no text"
        kinds.append(background)
    if kinds.count(HOVERED) > 1 or any(a == b != HOVERED for a, b in zip(kinds, kinds[1:])):
        return f"row backgrounds do not alternate: {kinds}"
    return None


def find_targets(args, bus, served, deadline):
    """The header's check box, Reset and the first rows, from the accessibility tree."""
    demo = os.path.realpath(args.demo)
    pids = [p for p in session_pids(served.process.pid) if os.path.realpath(f"/proc/{p}/exe") == demo]
    if not pids:
        raise Failure("the served session runs no demo")
    env = dict(os.environ, DBUS_SESSION_BUS_ADDRESS=bus.session_address)
    limit = max(1, int(deadline - time.monotonic()) // TIME_FACTOR)
    found = subprocess.run([bus.python, os.path.join(E2E_DIR, "atspi_targets.py"), "--pid", str(pids[0]),
                            "--timeout", str(limit), "header-check", "reset", "rows:8"],
                           env=env, capture_output=True, text=True)
    if found.returncode != 0:
        raise Failure(f"step 'find the controls in the accessibility tree' failed: {found.stderr.strip()}")
    return {m.group(1): (int(m.group(2)), int(m.group(3)))
            for m in re.finditer(r"^Target (\S+) (-?\d+) (-?\d+)$", found.stdout, re.M)}


def run(args, work, bus):
    deadline = time.monotonic() + args.timeout * TIME_FACTOR
    env = dict(os.environ)
    env.pop("DISPLAY", None)
    env["DBUS_SESSION_BUS_ADDRESS"] = bus.session_address
    env["CMVIEW_AT_SPI_BUS"] = bus.address
    env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    env["QT_QPA_PLATFORM"] = "xcb"
    env["QT_ENABLE_HIGHDPI_SCALING"] = "0"
    env["QT_SCALE_FACTOR"] = "1"
    argv = ["bash", args.serve, args.demo, "--e2e", "--ports", "3", "--receivers-per-port", "6",
            "--seed", "40", "--quit-after", str(args.timeout * TIME_FACTOR * 1000)]
    served = Terminal(argv, env)
    chromium = None
    try:
        print("-- start the served demo")
        url = served.wait_for(r"^\s*web browser \(noVNC\):\s*(\S+)", deadline, "noVNC address").group(1)
        vnc = served.wait_for(r"^\s*VNC viewer:\s*127\.0\.0\.1:(\d+)", deadline, "VNC address").group(1)
        served.wait_for(r"^Ready: display", deadline, "ready line of the script")
        targets = find_targets(args, bus, served, deadline)
        web = re.match(r"http://127\.0\.0\.1:(\d+)/", url).group(1)

        print("-- every listening socket of the served session is on loopback")
        sockets = listening_sockets(session_pids(served.process.pid))
        outside = [s for s in sockets if not is_loopback(s[0])]
        if outside:
            raise Failure("listening beyond loopback: " + ", ".join(f"{a}:{p} ({command_of(pid)})" for a, p, pid in outside))
        ports = {p for _, p, _ in sockets}
        if {int(vnc), int(web)} - ports:
            raise Failure(f"the printed ports {vnc} and {web} are not both listening (found {sorted(ports)})")

        print("-- open the noVNC address in headless Chromium")
        profile = os.path.join(work, "chromium")
        os.mkdir(profile)
        chromium = subprocess.Popen(
            [args.chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--disable-breakpad", "--disable-crash-reporter",
             "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=0", f"--user-data-dir={profile}",
             "--window-size=1700,1000", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, "chromium.log"), "w"), start_new_session=True)
        port_file = os.path.join(profile, "DevToolsActivePort")
        while not (os.path.exists(port_file) and open(port_file).read().count("\n") >= 1):
            if chromium.poll() is not None or time.monotonic() > deadline:
                raise Failure("Chromium did not open its DevTools port:\n" + open(os.path.join(work, "chromium.log")).read()[-2000:])
            time.sleep(0.2)
        devtools_port = open(port_file).read().split("\n")[0]
        pages = []
        while not pages:
            with urllib.request.urlopen(f"http://127.0.0.1:{devtools_port}/json/list", timeout=30) as reply:
                pages = [t for t in json.load(reply) if t.get("type") == "page"]
            if not pages:
                time.sleep(0.2)
        tab = DevTools(pages[0]["webSocketDebuggerUrl"])
        tab.call("Emulation.setDeviceMetricsOverride", width=1700, height=1000, deviceScaleFactor=1, mobile=False)
        tab.call("Page.enable")
        tab.call("Page.navigate", url=url)

        print("-- wait for the connection and the demo's screen in the browser")
        state = None
        while state != "connected":
            state = tab.evaluate("document.documentElement.classList.contains('noVNC_connected') ? 'connected' :"
                                 " (document.getElementById('noVNC_status') || {}).textContent || ''")
            if time.monotonic() > deadline:
                raise Failure(f"noVNC did not connect; last status: {state!r}")
            time.sleep(0.5)

        canvas_js = ("(() => { const c = document.querySelector('#noVNC_container canvas');"
                     " if (!c) return null; const r = c.getBoundingClientRect();"
                     " return [r.left, r.top, r.width, r.height, c.width, c.height]; })()")
        problem = "no screenshot taken"
        shot = os.path.join(args.artifacts, "demo_e2e_novnc.png")
        while True:
            box = tab.evaluate(canvas_js)
            if box and box[4] > 0 and box[2] > 0:
                left, top, shown_w, shown_h, fb_w, fb_h = box

                def to_page(x, y):
                    return int(left + (x + 0.5) * shown_w / fb_w), int(top + (y + 0.5) * shown_h / fb_h)

                ys = [to_page(0, y)[1] for _, y in targets.values() if y >= 0]
                clip_x, clip_y = int(left), max(0, min(ys) - 20)
                clip = {"x": clip_x, "y": clip_y, "width": int(shown_w), "height": max(ys) + 10 - clip_y, "scale": 1}
                png = base64.b64decode(tab.call("Page.captureScreenshot", format="png", clip=clip)["data"])
                with open(shot, "wb") as f:
                    f.write(png)
                problem = check_screen(decode_png(png), to_page, targets, clip_x, clip_y)
                if problem is None:
                    break
            if time.monotonic() > deadline:
                raise Failure(f"the table is not on the browser's screen: {problem} (screenshot: {shot})")
            time.sleep(2)
        print(f"   header and rows seen in the browser (screenshot: {shot})")

        print("-- Ctrl+C on the script's terminal stops everything it started")
        sid = served.process.pid
        served.type_ctrl_c()
        try:
            served.process.wait(timeout=60 * TIME_FACTOR)
        except subprocess.TimeoutExpired:
            raise Failure(f"the script still runs {60 * TIME_FACTOR} s after Ctrl+C")
        time.sleep(0.5)
        left_over = session_pids(sid)
        if left_over:
            raise Failure("left running after Ctrl+C: " + "; ".join(command_of(p) for p in left_over))
        if "Stopped demo websockify x11vnc xvfb; none of them is left running." not in served.text():
            raise Failure("the script did not report its helpers stopped")
    except Failure:
        print("---- output of the script and the demo")
        print(served.text())
        raise
    finally:
        if chromium is not None:
            kill_session(chromium.pid)
            chromium.wait()
            # Its crash handler runs in a session of its own; it names the profile.
            kill_mentioning(profile)
        kill_session(served.process.pid)
        if served.process.poll() is None:
            served.process.kill()
            served.process.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--serve", required=True)
    parser.add_argument("--demo", required=True)
    parser.add_argument("--artifacts", default=".")
    parser.add_argument("--timeout", type=int, default=240, help="limit for the whole run, in seconds")
    args = parser.parse_args()

    for tool in ("Xvfb", "xauth", "x11vnc", "websockify"):
        if not shutil.which(tool):
            print(f"SKIP: {tool} not installed (scripts/setup-debian.sh installs it)")
            return 77
    args.chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    if not args.chromium:
        print("SKIP: chromium not installed (scripts/setup-debian.sh installs it)")
        return 77
    if not os.path.exists("/usr/share/novnc/vnc.html"):
        print("SKIP: novnc not installed (scripts/setup-debian.sh installs it)")
        return 77

    # CTest ends a test that runs over its limit with SIGTERM; clean up then too.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    work = tempfile.mkdtemp(prefix="cmview-novnc-e2e.")
    bus = None
    try:
        bus = AccessibilityBus()
        if bus.missing:
            print(f"SKIP: {bus.missing} not installed (scripts/setup-debian.sh installs it)")
            return 77
        run(args, work, bus)
    except Failure as failure:
        print(f"FAIL: {failure}")
        return 1
    finally:
        if bus is not None:
            bus.stop()
        shutil.rmtree(work, ignore_errors=True)
    print("PASS: the headless demo seen through noVNC in Chromium")
    return 0


if __name__ == "__main__":
    sys.exit(main())
