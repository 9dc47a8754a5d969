#!/usr/bin/env python3
"""Nine clients chat into the headless host for 20 seconds.

Usage: load_chat_test.py <binary>

Six flooders send numbered chat lines as fast as their sockets take them
(and come back under a new name whenever the host drops them); three honest
clients send one numbered line every 100 ms. The host works off one message
per 10 ms, so the flooders pass its queue bound and are dropped. Checked:
the host stays up; every flooder's lines that were relayed are a gap-free
prefix of what it sent, in order, and a flooder whose lines stopped short
was dropped; every honest line reaches every honest client, in order, and
no honest client is ever dropped.
"""

import os
import re
import shutil
import socket
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gp  # noqa: E402

DURATION = 20.0
HONEST_EVERY = 0.1
FLOODERS = 6
LINE = re.compile(r"CMD_chat\+(\d+)\+(\S+) chats: (\d+)$")


class Flooder(threading.Thread):
    """Floods from one seat; reconnects under a new name when dropped."""

    def __init__(self, host, index, deadline):
        super().__init__(daemon=True)
        self.host, self.index, self.deadline = host, index, deadline
        self.generations = []  # (name, lines sent, dropped)
        self.error = None

    def run(self):
        try:
            gen = 0
            while time.monotonic() < self.deadline:
                gen += 1
                self.generations.append(self.flood_once(f"F{self.index}g{gen}"))
        except Exception as e:  # reported by the main thread
            self.error = e

    def flood_once(self, name):
        c = self.host.connect()
        seat = c.login(name)
        c.sock.setblocking(False)
        sent, dropped, pending = 0, False, b""
        while time.monotonic() < self.deadline and not dropped:
            if not pending:
                pending = b"".join(f"CMD_chat+{seat}+{sent + k}".encode() + gp.TERM for k in range(50))
                batch = 50
            try:
                n = c.sock.send(pending)
                pending = pending[n:]
                if not pending:
                    sent += batch
            except BlockingIOError:
                time.sleep(0.001)
            except (BrokenPipeError, ConnectionResetError):
                dropped = True
            try:  # keep its own input flowing; notice a close
                while True:
                    data = c.sock.recv(1 << 20)
                    if not data:
                        dropped = True
                        break
            except (BlockingIOError, ConnectionResetError):
                pass
        c.close()
        return name, sent, dropped


def honest_loop(clients, deadline, counters):
    while time.monotonic() < deadline:
        for c in clients:
            c.send(f"CMD_chat+{c.seat}+{counters[c.seat]}")
            counters[c.seat] += 1
        time.sleep(HONEST_EVERY)


def collect(honest, counters, timeout):
    """Reads all honest clients until each has every honest line."""
    want = {c.seat: counters[c.seat] for c in honest}
    got = {c: {} for c in honest}

    def done(c, m):
        mt = LINE.match(m)
        if mt:
            got[c].setdefault(mt.group(2), []).append(int(mt.group(3)))
        return all(len(got[c].get(h.name, [])) >= want[h.seat] for h in honest)
    gp.gather(honest, done, timeout)
    return got


def main():
    binary = os.path.abspath(sys.argv[1])
    root = tempfile.mkdtemp(prefix="glypharo-chatload-")
    host = gp.ServeHost(binary, gp.Copy(root, "serve"))
    ok = False
    try:
        host.wait_line("hosting on port")
        honest = []
        for i in range(3):
            c = host.connect()
            c.login(f"Honest{i}")
            honest.append(c)
        deadline = time.monotonic() + DURATION
        flooders = [Flooder(host, i, deadline) for i in range(FLOODERS)]
        for f in flooders:
            f.start()
        counters = {c.seat: 0 for c in honest}
        # What the honest clients receive in 20 s fits the kernel's buffers;
        # they read it all afterwards.
        reader_got = {}
        t = threading.Thread(target=lambda: reader_got.update(collect(honest, counters, DURATION + 60)),
                             daemon=True)
        honest_loop(honest, deadline, counters)
        for f in flooders:
            f.join(timeout=30)
            assert f.error is None, f.error
        t.start()
        t.join(timeout=DURATION + 70)
        assert reader_got, "the honest lines did not all arrive"
        for c in honest:
            for h in honest:
                assert reader_got[c][h.name] == list(range(counters[h.seat])), (c.name, h.name)
            relayed = reader_got[c]
            for f in flooders:
                for name, sent, dropped in f.generations:
                    seq = relayed.get(name, [])
                    assert seq == list(range(len(seq))), (name, seq[:10])
                    # Short only if the host dropped it, or it left at the end
                    # with lines still queued (those go with the connection).
                    assert len(seq) == sent or dropped or name == f.generations[-1][0], (name, len(seq), sent)
        host.drain_log()
        gens = sum(len(f.generations) for f in flooders)
        drops = sum(1 for line in host.log if line.startswith("glypharo: dropping seat"))
        print(f"{gens} flooder connections, {drops} dropped by the host; honest lines "
              f"{sum(counters.values())} all relayed in order")
        assert host.proc.poll() is None
        assert not any(f"dropping seat {c.seat}:" in line for line in host.log for c in honest), host.log
        ok = True
    finally:
        host.stop()
        if ok:
            shutil.rmtree(root, ignore_errors=True)
        else:
            print(f"kept {root}", file=sys.stderr)
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
