#!/usr/bin/env python3
"""Start-up of velmora against a bare Qt Widgets window, run in alternate pairs.

    xvfb-run -a -s "-screen 0 1280x1024x24" python3 bench/startup.py build/release
    xvfb-run -a -s "-screen 0 1280x1024x24" python3 bench/startup.py --pairs 20 build/release

BUILD_DIR is a build tree with the targets `velmora` and `velmora_bare_window`
(--velmora and --bare name the programs instead). The bench needs an X display
without a window manager (xvfb-run gives one) and Python 3's standard library.

Each run starts a program and measures, for the first top-level window that
this process maps:
  - painted: the time from just before exec until the program's own drawing
    has covered the whole window. The bench is a small X client: it watches
    the root window's children being created, configured and mapped, and holds
    a DAMAGE object on the root window that reports every drawing on the
    screen as a rectangle. Qt creates windows without a background, so nothing
    is drawn on map; the damage inside a mapped window is the program's own
    paint. The time is when the event completing the window's area arrived.
  - mapped: the time until the window was mapped;
  - RSS: VmRSS of the process, read from /proc at once when painted (and
    VmHWM, its peak so far);
  - what the process has mapped at that moment: Qt libraries, Qt and velmora
    plugins, and font files.
Then the program gets SIGTERM (SIGKILL after 5 s) and the bench waits until
its windows are gone. Runs go velmora, bare, bare, velmora, ... so neither
always goes first; warm-up pairs fill the page cache and are not counted.

Output: per program the median, minimum and maximum of each figure, the median
of the pairwise ratios velmora / bare (with their minimum and maximum), and
the objects each had loaded when its window was painted. Exit status: 0 done,
1 set-up error, 2 a run failed (the program ended or painted nothing within
--timeout).
"""
from __future__ import annotations

import argparse
import json
import os
import re
import select
import signal
import socket
import statistics
import struct
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field
from pathlib import Path
from typing import Dict, List, Optional, Sequence, Tuple


class SetupError(RuntimeError):
    """The bench cannot start: exit status 1."""


class RunFailed(RuntimeError):
    """A measured run went wrong: exit status 2."""


# ---------------------------------------------------------------------------
# A small X11 client: the core requests and events the bench needs, and DAMAGE
# ---------------------------------------------------------------------------

REQ_CHANGE_WINDOW_ATTRIBUTES = 2
REQ_INTERN_ATOM = 16
REQ_GET_PROPERTY = 20
REQ_GET_INPUT_FOCUS = 43
REQ_QUERY_EXTENSION = 98
DAMAGE_QUERY_VERSION = 0
DAMAGE_CREATE = 1
DAMAGE_LEVEL_RAW_RECTANGLES = 0

EV_CREATE_NOTIFY = 16
EV_DESTROY_NOTIFY = 17
EV_UNMAP_NOTIFY = 18
EV_MAP_NOTIFY = 19
EV_REPARENT_NOTIFY = 21
EV_CONFIGURE_NOTIFY = 22
EV_GENERIC = 35

CW_EVENT_MASK = 1 << 11
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
ATOM_CARDINAL = 6
# Where an X server listens for local clients, by the X11 convention.
X11_SOCKET_DIR = "/tmp/.X11-unix"
COOKIE_NAME = b"MIT-MAGIC-COOKIE-1"


def pad4(n: int) -> int:
    return -n % 4


def display_number(display: str) -> int:
    """The display number of a local DISPLAY such as ":99" or ":1.0"."""
    m = re.fullmatch(r"(?:unix)?:(\d+)(?:\.\d+)?", display)
    if not m:
        raise SetupError(f"DISPLAY={display!r} is not a local display; run the bench under xvfb-run")
    return int(m.group(1))


def read_cookie(number: int) -> bytes:
    """The MIT-MAGIC-COOKIE-1 for the local display `number` from the
    Xauthority file, or b"" when there is none (a server without access
    control)."""
    path = os.environ.get("XAUTHORITY") or os.path.join(os.path.expanduser("~"), ".Xauthority")
    try:
        data = Path(path).read_bytes()
    except OSError:
        return b""
    host = socket.gethostname().encode()
    pos = 0
    found = b""

    def field_at(p: int) -> Tuple[bytes, int]:
        (n,) = struct.unpack_from(">H", data, p)
        return data[p + 2 : p + 2 + n], p + 2 + n

    while pos + 2 <= len(data):
        try:
            (family,) = struct.unpack_from(">H", data, pos)
            address, pos = field_at(pos + 2)
            num, pos = field_at(pos)
            name, pos = field_at(pos)
            cookie, pos = field_at(pos)
        except struct.error:
            break
        local = family == 0xFFFF or (family == 256 and address == host)
        if local and name == COOKIE_NAME and num in (str(number).encode(), b""):
            found = cookie
            if num:
                break
    return found


class XConnection:
    """Requests with replies, and events stamped with the monotonic time at
    which their bytes arrived."""

    def __init__(self, display: str):
        number = display_number(display)
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        path = os.path.join(X11_SOCKET_DIR, f"X{number}")
        try:
            self.sock.connect(path)
        except OSError:
            try:
                self.sock.connect("\0" + path)  # the same name in the abstract namespace
            except OSError as err:
                raise SetupError(f"cannot connect to the X display {display}: {err}") from err
        cookie = read_cookie(number)
        name = COOKIE_NAME if cookie else b""
        self.sock.sendall(
            struct.pack("<BxHHHH2x", 0x6C, 11, 0, len(name), len(cookie))
            + name
            + bytes(pad4(len(name)))
            + cookie
            + bytes(pad4(len(cookie)))
        )
        head = self._recv_exact(8)
        status, reason_len, _, _, extra = struct.unpack("<BBHHH", head)
        body = self._recv_exact(extra * 4)
        if status != 1:
            reason = body[:reason_len] if status == 0 else body
            raise SetupError(f"the X server refused the connection: {reason.decode(errors='replace').strip()}")
        self.id_base, self.id_mask = struct.unpack_from("<II", body, 4)
        vendor_len = struct.unpack_from("<H", body, 16)[0]
        formats = body[21]
        screen = 32 + vendor_len + pad4(vendor_len) + 8 * formats
        self.root = struct.unpack_from("<I", body, screen)[0]
        self.screen_size = struct.unpack_from("<HH", body, screen + 20)
        self.sock.setblocking(False)
        self.seq = 0
        self.last_id = 0
        self.buf = bytearray()
        self.events: List[Tuple[int, bytes]] = []
        self.replies: Dict[int, bytes] = {}

    def _recv_exact(self, n: int) -> bytes:
        data = b""
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise SetupError("the X server closed the connection while setting it up")
            data += chunk
        return data

    def new_id(self) -> int:
        self.last_id += 1
        return self.id_base | (self.last_id & self.id_mask)

    def send(self, opcode: int, data1: int, body: bytes = b"") -> int:
        body += bytes(pad4(len(body)))
        self.sock.setblocking(True)
        try:
            self.sock.sendall(struct.pack("<BBH", opcode, data1, 1 + len(body) // 4) + body)
        finally:
            self.sock.setblocking(False)
        self.seq += 1
        return self.seq & 0xFFFF

    def call(self, opcode: int, data1: int, body: bytes = b"") -> Optional[bytes]:
        """The reply to one request, or None for an X error (a window that is
        already gone, say)."""
        key = self.send(opcode, data1, body)
        deadline = time.monotonic() + 10
        while key not in self.replies:
            if not self.read(deadline - time.monotonic()):
                raise SetupError(f"the X server did not answer request {opcode}")
        reply = self.replies.pop(key)
        return None if reply[0] == 0 else reply

    def read(self, timeout: float) -> bool:
        """Reads what the server sent; False if nothing came within timeout."""
        if not select.select([self.sock], [], [], max(0.0, timeout))[0]:
            return False
        try:
            data = self.sock.recv(1 << 16)
        except BlockingIOError:
            return True
        arrived = time.monotonic_ns()
        if not data:
            raise RunFailed("the X server closed the connection")
        self.buf += data
        while len(self.buf) >= 32:
            kind = self.buf[0]
            size = 32
            if kind == 1 or (kind & 0x7F) == EV_GENERIC:
                size += 4 * struct.unpack_from("<I", self.buf, 4)[0]
            if len(self.buf) < size:
                break
            packet = bytes(self.buf[:size])
            del self.buf[:size]
            if kind in (0, 1):  # an error or a reply
                self.replies[struct.unpack_from("<H", packet, 2)[0]] = packet
            else:
                self.events.append((arrived, packet))
        return True

    def intern(self, name: str) -> int:
        raw = name.encode()
        reply = self.call(REQ_INTERN_ATOM, 0, struct.pack("<HH", len(raw), 0) + raw)
        if reply is None:
            raise SetupError(f"cannot intern the atom {name}")
        return struct.unpack_from("<I", reply, 8)[0]

    def cardinal(self, window: int, atom: int) -> Optional[int]:
        reply = self.call(REQ_GET_PROPERTY, 0, struct.pack("<IIIII", window, atom, ATOM_CARDINAL, 0, 1))
        if reply is None or reply[1] != 32 or struct.unpack_from("<I", reply, 16)[0] < 1:
            return None
        return struct.unpack_from("<I", reply, 32)[0]


@dataclass
class Window:
    wid: int
    x: int
    y: int
    w: int
    h: int
    pid: Optional[int] = None
    mapped_ns: Optional[int] = None
    painted_ns: Optional[int] = None
    covered: Optional[bytearray] = None  # one byte per pixel of the window's visible part
    covered_count: int = 0

    def visible(self, screen: Tuple[int, int]) -> Tuple[int, int, int, int]:
        return (max(self.x, 0), max(self.y, 0), min(self.x + self.w, screen[0]), min(self.y + self.h, screen[1]))

    def reset_paint(self) -> None:
        self.painted_ns = None
        self.covered = None
        self.covered_count = 0


class Screen:
    """The top-level windows of the display and the drawing into them."""

    def __init__(self, display: str):
        self.x = XConnection(display)
        self.atom_pid = self.x.intern("_NET_WM_PID")
        ext = self.x.call(REQ_QUERY_EXTENSION, 0, struct.pack("<HH", 6, 0) + b"DAMAGE")
        if ext is None or not ext[8]:
            raise SetupError("the X server has no DAMAGE extension")
        self.damage_opcode, self.damage_event = ext[9], ext[10]
        self.x.call(self.damage_opcode, DAMAGE_QUERY_VERSION, struct.pack("<II", 1, 1))
        self.x.send(
            REQ_CHANGE_WINDOW_ATTRIBUTES, 0, struct.pack("<III", self.x.root, CW_EVENT_MASK, SUBSTRUCTURE_NOTIFY_MASK)
        )
        self.x.send(
            self.damage_opcode,
            DAMAGE_CREATE,
            struct.pack("<IIB3x", self.x.new_id(), self.x.root, DAMAGE_LEVEL_RAW_RECTANGLES),
        )
        self.windows: Dict[int, Window] = {}
        self.sync()
        self.handle_events()
        if self.window_manager_present():
            raise SetupError("a window manager runs on this display; run the bench under xvfb-run")

    def window_manager_present(self) -> bool:
        """Whether a window manager announces itself on the root window. A
        reparenting manager would hide the program's map from the bench."""
        check = self.x.intern("_NET_SUPPORTING_WM_CHECK")
        reply = self.x.call(REQ_GET_PROPERTY, 0, struct.pack("<IIIII", self.x.root, check, 0, 0, 1))
        return reply is not None and reply[1] != 0

    def sync(self) -> None:
        """One round trip: the events of earlier requests are then queued."""
        self.x.call(REQ_GET_INPUT_FOCUS, 0)

    def wait(self, timeout: float) -> None:
        """Waits up to `timeout` seconds for the server, then handles what came."""
        if not self.x.events:
            self.x.read(timeout)
        self.handle_events()

    def handle_events(self) -> None:
        while self.x.events:
            arrived, ev = self.x.events.pop(0)
            self.handle(arrived, ev)

    def handle(self, arrived: int, ev: bytes) -> None:
        kind = ev[0] & 0x7F
        root = self.x.root
        if kind == EV_CREATE_NOTIFY:
            parent, wid, x, y, w, h, border = struct.unpack_from("<IIhhHHH", ev, 4)
            if parent == root:
                self.windows[wid] = Window(wid, x, y, w + 2 * border, h + 2 * border)
        elif kind == EV_DESTROY_NOTIFY:
            self.windows.pop(struct.unpack_from("<I", ev, 8)[0], None)
        elif kind == EV_REPARENT_NOTIFY:
            wid, parent = struct.unpack_from("<II", ev, 8)
            if parent != root:
                self.windows.pop(wid, None)
        elif kind == EV_CONFIGURE_NOTIFY:
            event, wid = struct.unpack_from("<II", ev, 4)
            x, y, w, h, border = struct.unpack_from("<hhHHH", ev, 16)
            win = self.windows.get(wid)
            if event == root and win and (x, y, w + 2 * border, h + 2 * border) != (win.x, win.y, win.w, win.h):
                win.x, win.y, win.w, win.h = x, y, w + 2 * border, h + 2 * border
                if win.painted_ns is None:
                    win.reset_paint()  # what was drawn so far no longer covers the window
        elif kind == EV_MAP_NOTIFY:
            event, wid = struct.unpack_from("<II", ev, 4)
            win = self.windows.get(wid)
            if event == root and win:
                win.mapped_ns = arrived
                win.pid = self.x.cardinal(wid, self.atom_pid)
        elif kind == EV_UNMAP_NOTIFY:
            event, wid = struct.unpack_from("<II", ev, 4)
            win = self.windows.get(wid)
            if event == root and win:
                win.mapped_ns = None
                win.reset_paint()
        elif kind == self.damage_event:
            dx, dy, dw, dh = struct.unpack_from("<hhHH", ev, 16)
            for win in self.windows.values():
                if win.mapped_ns is not None and win.painted_ns is None:
                    self.add_damage(win, dx, dy, dw, dh, arrived)

    def add_damage(self, win: Window, dx: int, dy: int, dw: int, dh: int, arrived: int) -> None:
        vx0, vy0, vx1, vy1 = win.visible(self.x.screen_size)
        x0, y0, x1, y1 = max(dx, vx0), max(dy, vy0), min(dx + dw, vx1), min(dy + dh, vy1)
        width, height = vx1 - vx0, vy1 - vy0
        if x0 >= x1 or y0 >= y1 or width <= 0 or height <= 0:
            return
        if win.covered is None:
            win.covered = bytearray(width * height)
        ones = b"\x01" * (x1 - x0)
        for row in range(y0 - vy0, y1 - vy0):
            start = row * width + (x0 - vx0)
            win.covered[start : start + (x1 - x0)] = ones
        win.covered_count = win.covered.count(1)
        if win.covered_count == width * height:
            win.painted_ns = arrived

    def painted_window_of(self, pid: int) -> Optional[Window]:
        for win in self.windows.values():
            if win.pid == pid and win.painted_ns is not None:
                return win
        return None

    def windows_of(self, pid: int) -> List[Window]:
        return [win for win in self.windows.values() if win.pid == pid]


# ---------------------------------------------------------------------------
# One run
# ---------------------------------------------------------------------------

STATUS_FIELDS = ("VmRSS", "VmHWM")
QT_LIBRARY = re.compile(r"/(libQt6\w+)\.so")
PLUGIN = re.compile(r"/plugins/(\w+/lib\w+)\.so$|/(libvelmora_\w+)\.so$")
FONT_FILE = re.compile(r"\.(ttf|ttc|otf|pfb|pcf(\.gz)?)$", re.IGNORECASE)


def read_memory(pid: int) -> Dict[str, int]:
    """VmRSS and VmHWM of the process, in kB."""
    figures = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            name, _, value = line.partition(":")
            if name in STATUS_FIELDS:
                figures[name] = int(value.split()[0])
    return figures


def read_loaded(pid: int) -> Dict[str, List[str]]:
    """The Qt libraries, plugins and font files the process has mapped."""
    libraries, plugins, fonts = set(), set(), set()
    with open(f"/proc/{pid}/maps") as maps:
        for line in maps:
            parts = line.split(None, 5)
            if len(parts) < 6:
                continue
            path = parts[5].strip()
            if m := QT_LIBRARY.search(path):
                libraries.add(m.group(1))
            if m := PLUGIN.search(path):
                plugins.add(m.group(1) or m.group(2))
            if FONT_FILE.search(path):
                fonts.add(os.path.basename(path))
    return {"qt_libraries": sorted(libraries), "plugins": sorted(plugins), "fonts": sorted(fonts)}


def end_process(proc: subprocess.Popen) -> None:
    if proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def run_once(screen: Screen, program: str, env: Dict[str, str], timeout: float, log_dir: Path) -> dict:
    """Starts `program`, waits for its first window to be painted, reads its
    memory and mapped objects, ends it and waits until its windows are gone."""
    err_path = log_dir / "stderr.txt"
    with open(err_path, "wb") as err:
        start = time.monotonic_ns()
        proc = subprocess.Popen([program], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=err)
    try:
        deadline = time.monotonic() + timeout
        win = None
        while win is None:
            left = deadline - time.monotonic()
            if left <= 0:
                raise RunFailed(f"{program} painted no window within {timeout:g} s")
            if proc.poll() is not None:
                raise RunFailed(
                    f"{program} ended with status {proc.returncode} before painting a window:\n"
                    + err_path.read_text(errors="replace")[-2000:]
                )
            screen.wait(min(left, 0.05))
            win = screen.painted_window_of(proc.pid)
        memory = read_memory(proc.pid)
        loaded = read_loaded(proc.pid)
        assert win.mapped_ns is not None and win.painted_ns is not None
        result = {
            "painted_ms": (win.painted_ns - start) / 1e6,
            "mapped_ms": (win.mapped_ns - start) / 1e6,
            "rss_kb": memory.get("VmRSS", 0),
            "hwm_kb": memory.get("VmHWM", 0),
            "window": [win.w, win.h],
            "loaded": loaded,
        }
    finally:
        end_process(proc)
    deadline = time.monotonic() + 10
    while screen.windows_of(proc.pid) and time.monotonic() < deadline:
        screen.sync()
        screen.wait(0.05)
    return result


# ---------------------------------------------------------------------------
# The series and its summary
# ---------------------------------------------------------------------------

FIGURES = (("painted_ms", "painted", "ms", 1.0), ("mapped_ms", "mapped", "ms", 1.0),
           ("rss_kb", "RSS", "MiB", 1 / 1024), ("hwm_kb", "peak RSS", "MiB", 1 / 1024))


def summarise(pairs: List[Dict[str, dict]]) -> dict:
    summary = {}
    for key, _, _, _ in FIGURES:
        entry = {}
        for role in ("velmora", "bare"):
            values = [pair[role][key] for pair in pairs]
            entry[role] = {"median": statistics.median(values), "min": min(values), "max": max(values)}
        ratios = [pair["velmora"][key] / pair["bare"][key] for pair in pairs if pair["bare"][key] > 0]
        if ratios:
            entry["ratio"] = {"median": statistics.median(ratios), "min": min(ratios), "max": max(ratios)}
        summary[key] = entry
    return summary


def loaded_union(pairs: List[Dict[str, dict]], role: str) -> Dict[str, List[str]]:
    union: Dict[str, set] = {}
    for pair in pairs:
        for kind, names in pair[role]["loaded"].items():
            union.setdefault(kind, set()).update(names)
    return {kind: sorted(names) for kind, names in union.items()}


def report(summary: dict, pairs: List[Dict[str, dict]]) -> str:
    lines = [f"{len(pairs)} pairs; median (min-max)", ""]
    lines.append(f"{'':10} {'velmora':>24} {'bare Qt window':>24} {'velmora / bare':>22}")
    for key, label, unit, scale in FIGURES:
        entry = summary[key]
        cells = []
        for role in ("velmora", "bare"):
            f = entry[role]
            digits = 1 if unit == "ms" else 2
            cells.append(f"{f['median'] * scale:.{digits}f} ({f['min'] * scale:.{digits}f}-{f['max'] * scale:.{digits}f}) {unit}")
        r = entry.get("ratio")
        ratio = f"{r['median']:.2f} ({r['min']:.2f}-{r['max']:.2f})" if r else "-"
        lines.append(f"{label:10} {cells[0]:>24} {cells[1]:>24} {ratio:>22}")
    lines.append("")
    for role, name in (("velmora", "velmora"), ("bare", "bare Qt window")):
        loaded = loaded_union(pairs, role)
        lines.append(f"loaded by {name} when painted:")
        lines.append("  Qt libraries: " + (" ".join(loaded.get("qt_libraries", [])) or "none"))
        lines.append("  plugins:      " + (" ".join(loaded.get("plugins", [])) or "none"))
        lines.append("  font files:   " + (" ".join(loaded.get("fonts", [])) or "none"))
    lines.append("")
    lines.append(
        f"startup ratio {summary['painted_ms']['ratio']['median']:.2f}, "
        f"rss ratio {summary['rss_kb']['ratio']['median']:.2f} (medians of {len(pairs)} pairs)"
    )
    return "\n".join(lines)


def parse_args(argv: Sequence[str]) -> argparse.Namespace:
    parser = argparse.ArgumentParser(
        description="Time to the first painted window and resident memory of velmora "
        "against a bare Qt window, run in alternate pairs on the current X display "
        "(run it under xvfb-run).",
    )
    parser.add_argument("build_dir", nargs="?", help="build tree with velmora and bench/velmora_bare_window")
    parser.add_argument("--velmora", help="the velmora program (default BUILD_DIR/velmora)")
    parser.add_argument("--bare", help="the bare window (default BUILD_DIR/bench/velmora_bare_window)")
    parser.add_argument("--pairs", type=int, default=20, help="measured pairs (default 20)")
    parser.add_argument("--warmup", type=int, default=2, help="pairs run first and not counted (default 2)")
    parser.add_argument("--timeout", type=float, default=30, help="seconds a run may take to paint (default 30)")
    parser.add_argument("--gap", type=float, default=0.1, help="pause after each run, in seconds (default 0.1)")
    parser.add_argument("--json", metavar="FILE", help="write every run's figures to FILE")
    parser.add_argument("-q", "--quiet", action="store_true", help="no progress on standard error")
    args = parser.parse_args(argv)
    if args.pairs < 1 or args.warmup < 0:
        parser.error("--pairs must be at least 1 and --warmup not negative")
    if not args.velmora or not args.bare:
        if not args.build_dir:
            parser.error("give BUILD_DIR, or both --velmora and --bare")
        args.velmora = args.velmora or os.path.join(args.build_dir, "velmora")
        args.bare = args.bare or os.path.join(args.build_dir, "bench", "velmora_bare_window")
    return args


def main(argv: Sequence[str]) -> int:
    args = parse_args(argv)
    try:
        for program in (args.velmora, args.bare):
            if not os.access(program, os.X_OK):
                raise SetupError(f"{program} is not an executable program; build the targets velmora and velmora_bare_window")
        display = os.environ.get("DISPLAY")
        if not display:
            raise SetupError("no DISPLAY; run the bench under xvfb-run")
        screen = Screen(display)
    except SetupError as err:
        print(f"startup.py: {err}", file=sys.stderr)
        return 1

    with tempfile.TemporaryDirectory(prefix="velmora-startup-") as tmp:
        # Both programs see the same environment: the xcb platform, the C.UTF-8
        # locale, and a session bus that does not exist, so neither starts one.
        env = {
            key: value
            for key, value in os.environ.items()
            if not key.startswith(("QT_", "DBUS_")) and key not in ("LANG", "LANGUAGE") and not key.startswith("LC_")
        }
        env.update(
            QT_QPA_PLATFORM="xcb",
            LANG="C.UTF-8",
            LC_ALL="C.UTF-8",
            DBUS_SESSION_BUS_ADDRESS=f"unix:path={tmp}/no-bus",
        )
        programs = {"velmora": args.velmora, "bare": args.bare}
        pairs: List[Dict[str, dict]] = []
        try:
            for index in range(args.warmup + args.pairs):
                order = ("velmora", "bare") if index % 2 == 0 else ("bare", "velmora")
                pair = {}
                for role in order:
                    pair[role] = run_once(screen, programs[role], env, args.timeout, Path(tmp))
                    time.sleep(args.gap)
                counted = index >= args.warmup
                if counted:
                    pairs.append(pair)
                if not args.quiet:
                    tag = f"pair {index - args.warmup + 1}/{args.pairs}" if counted else f"warm-up {index + 1}"
                    print(
                        f"{tag}: velmora {pair['velmora']['painted_ms']:.1f} ms {pair['velmora']['rss_kb'] / 1024:.1f} MiB, "
                        f"bare {pair['bare']['painted_ms']:.1f} ms {pair['bare']['rss_kb'] / 1024:.1f} MiB",
                        file=sys.stderr,
                        flush=True,
                    )
        except RunFailed as err:
            print(f"startup.py: {err}", file=sys.stderr)
            return 2

    summary = summarise(pairs)
    print(report(summary, pairs))
    if args.json:
        with open(args.json, "w") as out:
            json.dump({"velmora": args.velmora, "bare": args.bare, "summary": summary, "pairs": pairs}, out, indent=1)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
