"""Shared pieces of the whole-program tests and measurements: raw protocol
clients, program copies each in their own folders, the headless host, the
GUI copies, /proc readings, the dictionary file and the tally file.

Every wait is bounded; nothing here sleeps to let game time pass (the short
polls below wait for a process or a file, never for a timer of the game).
"""

import os
import queue
import selectors
import shutil
import socket
import subprocess
import tempfile
import threading
import time

TERM = b"\xff"
WAIT = 10.0  # seconds any single expected event may take
GAME_PORT = 7772
VERSION = "1.0.1"
VALUES = {c: v for v, letters in ((1, "aeilnorstu"), (3, "bcdghmp"), (5, "fvwy"), (7, "jkx"), (10, "qz"))
          for c in letters}
CLK_TCK = os.sysconf("SC_CLK_TCK")


def letter(index):
    return chr(ord("a") + index - 1)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_until(predicate, timeout=WAIT, what="condition", step=0.02):
    """Polls `predicate` until it is true; raises after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(step)


class Client:
    """One raw protocol connection."""

    def __init__(self, port=GAME_PORT, timeout=WAIT):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=timeout)
        self.sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        self.buf = b""
        self.closed = False
        self.seat = None
        self.name = None

    def fileno(self):
        return self.sock.fileno()

    def send(self, text):
        self.sock.sendall(text.encode("latin-1") + TERM)

    def send_raw(self, data):
        self.sock.sendall(data)

    def feed(self):
        """One recv into the buffer (the socket is known to be readable)."""
        try:
            data = self.sock.recv(65536)
        except ConnectionResetError:
            data = b""
        if not data:
            self.closed = True
        self.buf += data

    def pop(self):
        """A complete message from the buffer, or None."""
        if TERM not in self.buf:
            return None
        msg, self.buf = self.buf.split(TERM, 1)
        return msg.decode("latin-1")

    def recv(self, timeout=WAIT):
        """The next message, or None when the host closed the connection."""
        deadline = time.monotonic() + timeout
        while TERM not in self.buf:
            if self.closed:
                return None
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise TimeoutError(f"no message in {timeout} s (seat {self.seat})")
            self.sock.settimeout(remaining)
            try:
                data = self.sock.recv(65536)
            except ConnectionResetError:
                data = b""
            except socket.timeout:
                continue
            if not data:
                self.closed = True
            self.buf += data
        return self.pop()

    def wait_for(self, wanted, timeout=WAIT):
        """Reads until the message `wanted`; returns the messages before it."""
        return self.wait_match(lambda m: m == wanted, timeout, repr(wanted))[0]

    def wait_prefix(self, prefix, timeout=WAIT):
        """Reads until a message starting with `prefix`; returns that message."""
        return self.wait_match(lambda m: m.startswith(prefix), timeout, repr(prefix))[1]

    def wait_match(self, pred, timeout=WAIT, what="message"):
        before = []
        deadline = time.monotonic() + timeout
        while True:
            try:
                msg = self.recv(max(0.01, deadline - time.monotonic()))
            except TimeoutError:
                raise AssertionError(f"seat {self.seat}: no {what} in {timeout} s; got {before[-8:]!r}")
            if msg is None:
                raise AssertionError(f"seat {self.seat}: closed while waiting for {what}; got {before[-8:]!r}")
            if pred(msg):
                return before, msg
            before.append(msg)

    def wait_closed(self, timeout=WAIT):
        """Reads until the host closes; returns (messages, trailing bytes)."""
        deadline = time.monotonic() + timeout
        rest = []
        while True:
            msg = self.recv(max(0.01, deadline - time.monotonic()))
            if msg is None:
                return rest, self.buf
            rest.append(msg)

    def login(self, name, version=VERSION):
        first = self.recv()
        assert first and first.startswith("CMD_sendlogininfo+"), first
        self.seat = int(first.split("+")[1])
        self.name = name
        self.send(f"CMD_logininfo+{self.seat}+{version}+{name}")
        self.wait_for(f"CMD_newplayerinfo+{self.seat}+{name}+0")
        return self.seat

    def close(self):
        self.sock.close()


def connect_when_listening(port, proc=None, timeout=WAIT):
    """A raw client, once the port accepts (polling for the listener)."""
    def attempt():
        if proc is not None and proc.poll() is not None:
            raise AssertionError(f"the program ended (exit {proc.returncode}) before listening")
        try:
            return Client(port)
        except OSError:
            return None
    return wait_until(attempt, timeout, f"port {port} to accept")


def gather(clients, done, timeout):
    """Reads all `clients` together until done(client, msg) has returned True
    once for each; returns {client: [messages...]} including the last."""
    sel = selectors.DefaultSelector()
    seen = {c: [] for c in clients}
    pending = set(clients)
    for c in clients:
        while True:  # messages already buffered
            m = c.pop()
            if m is None:
                break
            seen[c].append(m)
            if done(c, m):
                pending.discard(c)
                break
    for c in pending:
        sel.register(c.sock, selectors.EVENT_READ, c)
    deadline = time.monotonic() + timeout
    while pending:
        left = deadline - time.monotonic()
        if left <= 0:
            raise AssertionError(f"timed out; still waiting on seats {sorted(c.seat or 0 for c in pending)}")
        for key, _ in sel.select(left):
            c = key.data
            if c not in pending:
                continue
            c.sock.settimeout(None)
            c.feed()
            while c in pending:
                m = c.pop()
                if m is None:
                    if c.closed:
                        raise AssertionError(f"seat {c.seat} closed; last {seen[c][-5:]!r}")
                    break
                seen[c].append(m)
                if done(c, m):
                    pending.discard(c)
                    sel.unregister(c.sock)
    sel.close()
    return seen


class Copy:
    """One program copy's own folders: GLYPHARO_HOME, TMPDIR,
    XDG_RUNTIME_DIR and the working folder."""

    def __init__(self, root, name):
        self.name = name
        self.top = os.path.join(root, name)
        self.home = os.path.join(self.top, "home")
        self.tmp = os.path.join(self.top, "tmp")
        self.run = os.path.join(self.top, "run")
        self.cwd = os.path.join(self.top, "cwd")
        for d in (self.home, self.tmp, self.run, self.cwd):
            os.makedirs(d, exist_ok=True)
        os.chmod(self.run, 0o700)

    def env(self, **extra):
        env = dict(os.environ, TMPDIR=self.tmp, XDG_RUNTIME_DIR=self.run, GLYPHARO_HOME=self.home,
                   QT_QPA_PLATFORM="offscreen", ASAN_OPTIONS="detect_leaks=0")
        env.update(extra)
        return env

    def write_settings(self, botspeed=500):
        with open(os.path.join(self.home, "vexmoorlobby.ini"), "w") as f:
            f.write(f"[Glypharo]\nBotspeed={botspeed}\nHelp=2\n")

    @property
    def tally_path(self):
        return os.path.join(self.home, "Glypharotally.tld")

    @property
    def dictionary_path(self):
        return os.path.join(self.cwd, "English")

    def start(self, binary, args, stderr=subprocess.DEVNULL):
        return subprocess.Popen([binary] + list(args), cwd=self.cwd, env=self.env(),
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=stderr)


class ServeHost:
    """`glypharo --serve` in its own copy folders, its log read line by line."""

    def __init__(self, binary, copy, port=None):
        self.copy = copy
        self.port = free_port() if port is None else port
        self.lines = queue.Queue()
        self.log = []
        self.proc = copy.start(binary, ["--serve", "--port", str(self.port)], stderr=subprocess.PIPE)
        threading.Thread(target=self._read_stderr, daemon=True).start()

    @property
    def pid(self):
        return self.proc.pid

    def _read_stderr(self):
        for raw in self.proc.stderr:
            self.lines.put(raw.decode("latin-1").rstrip("\n"))
        self.lines.put(None)

    def wait_line(self, text, timeout=30.0):
        deadline = time.monotonic() + timeout
        while True:
            try:
                line = self.lines.get(timeout=max(0.01, deadline - time.monotonic()))
            except queue.Empty:
                raise AssertionError(f"host never logged {text!r}; log tail: {self.log[-10:]!r}")
            if line is None:
                raise AssertionError(f"host ended before logging {text!r}; log tail: {self.log[-10:]!r}")
            self.log.append(line)
            if text in line:
                return line

    def drain_log(self):
        while True:
            try:
                line = self.lines.get_nowait()
            except queue.Empty:
                return
            if line is not None:
                self.log.append(line)

    def connect(self):
        return Client(self.port)

    def stop(self):
        stop_process(self.proc)


def stop_process(proc, timeout=WAIT):
    """Ends a process this test started (TERM, then KILL)."""
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait(timeout=timeout)


# --- /proc readings -------------------------------------------------------

def cpu_seconds(pid):
    """utime + stime of a process, in seconds."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLK_TCK


def vmrss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def fd_count(pid):
    return len(os.listdir(f"/proc/{pid}/fd"))


def tcp_states(port):
    """(local port, remote port, state) of every IPv4 TCP socket touching `port`."""
    out = []
    for path in ("/proc/net/tcp", "/proc/net/tcp6"):
        try:
            with open(path) as f:
                next(f)
                for line in f:
                    parts = line.split()
                    local = int(parts[1].rsplit(":", 1)[1], 16)
                    remote = int(parts[2].rsplit(":", 1)[1], 16)
                    if port in (local, remote):
                        out.append((local, remote, int(parts[3], 16)))
        except FileNotFoundError:
            pass
    return out


def listening(port):
    return any(l == port and st == 0x0A for l, _, st in tcp_states(port))


def port_free(port):
    """Nothing listens on `port` and no connection to it is still open."""
    return not any(st in (0x01, 0x0A) for _, _, st in tcp_states(port))


def connections_to(port):
    """Established connections whose far end is `port` (clients of it)."""
    return sum(1 for _, r, st in tcp_states(port) if r == port and st == 0x01)


# --- dictionary and racks -------------------------------------------------

def load_dictionary(path, timeout=WAIT):
    """The words of the 15-byte records of the dictionary file "English"."""
    wait_until(lambda: os.path.exists(path) and os.path.getsize(path) > 0, timeout, path)
    data = open(path, "rb").read()
    assert len(data) % 15 == 0, "not a record file"
    return {data[i + 1:i + 15].decode("latin-1").strip().lower() for i in range(0, len(data), 15)}


def words_by_letter(words, longest=10):
    index = {}
    for w in words:
        if 2 <= len(w) <= longest and w.isalpha() and w.isascii():
            index.setdefault(w[0], []).append(w)
    return index


def find_word(index, rows, rack):
    """(row, word, rack places) of a dictionary word the rack completes in
    one of `rows` ({row: first letter}), or None."""
    for row, first in rows.items():
        for word in index.get(first, ()):
            free = list(enumerate(rack, start=1))
            places = []
            for c in word[1:]:
                hit = next((p for p in free if p[1] == c), None)
                if hit is None:
                    break
                free.remove(hit)
                places.append(hit[0])
            else:
                return row, word, places
    return None


def myword(seat, row, places):
    groups = "".join(f"+{p + 2}+{places[p] if p < len(places) else 0}" for p in range(9))
    return f"CMD_myword+{seat}+{row}{groups}"


def parse_roundstart(msg):
    """{row: first letter} of a CMD_roundstart."""
    f = msg.split("+")
    return {int(f[i + 1]): letter(int(f[i + 2])) for i in range(20, len(f), 3)}


def parse_mytiles(msg):
    f = msg.split("+")
    return [letter(int(f[i])) for i in range(3, 20, 2)]


# --- tally ----------------------------------------------------------------

def lzrw1_tool(binary):
    """The codec tool beside the program in the build tree."""
    build = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(binary))))
    path = os.path.join(build, "src", "tally", "lzrw1-tool", "glypharo-lzrw1")
    return path if os.access(path, os.X_OK) else shutil.which("glypharo-lzrw1")


def read_tally(tool, path):
    """(columns, rows, cells) of a tally file; cells[col][row]. Raises
    AssertionError when it does not decompress or is not the tally text."""
    with tempfile.TemporaryDirectory() as d:
        out = os.path.join(d, "tally.txt")
        r = subprocess.run([tool, "decompress", path, out], capture_output=True, timeout=WAIT)
        assert r.returncode == 0, f"{path} does not decompress: {r.stderr!r}"
        text = open(out, "rb").read().decode("latin-1")
    assert text.endswith("\r\n"), repr(text[-20:])
    lines = text[:-2].split("\r\n")
    cols, rows = int(lines[0]), int(lines[1])
    assert cols == 9 and rows >= 1 and len(lines) == 2 + cols * rows, (cols, rows, len(lines))
    cells = [lines[2 + c * rows: 2 + (c + 1) * rows] for c in range(cols)]
    return cols, rows, cells
