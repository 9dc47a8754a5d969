#!/usr/bin/env python3
"""A client that never reads while the host broadcasts to it.

Usage: load_stall_test.py <binary>

Seat 1 relays large chat lines as fast as the host takes them; seat 3
reads everything; seat 2 logs in with a small receive buffer and then never
reads again. The host must drop seat 2 once its unsent output passes the
bound, keep its own resident memory bounded meanwhile, and go on serving
seats 1 and 3.
"""

import os
import shutil
import socket
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gp  # noqa: E402

LINE = "x" * 60000
TIME_LIMIT = 60.0
RSS_GROWTH_LIMIT_KIB = 64 * 1024  # the 4 MiB send bound, with room for the allocator


def reader(client, stop, counts):
    """Reads and counts relayed lines until stopped or closed."""
    client.sock.settimeout(0.5)
    while not stop.is_set():
        try:
            data = client.sock.recv(1 << 20)
        except socket.timeout:
            continue
        if not data:
            return
        counts[client.seat] = counts.get(client.seat, 0) + data.count(gp.TERM)


def main():
    binary = os.path.abspath(sys.argv[1])
    root = tempfile.mkdtemp(prefix="glypharo-stall-")
    host = gp.ServeHost(binary, gp.Copy(root, "serve"))
    ok = False
    stop = threading.Event()
    try:
        host.wait_line("hosting on port")
        seat1 = host.connect()
        assert seat1.login("Talker") == 1
        staller = socket.socket()
        staller.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
        staller.connect(("127.0.0.1", host.port))
        staller.settimeout(gp.WAIT)
        assert staller.recv(100).startswith(b"CMD_sendlogininfo+2")
        staller.sendall(b"CMD_logininfo+2+1.0.1+Staller" + gp.TERM)
        seat1.wait_for("CMD_newplayerinfo+2+Staller+0")
        seat3 = host.connect()
        assert seat3.login("Reader") == 3
        rss_start = gp.vmrss_kib(host.pid)
        counts = {}
        threads = [threading.Thread(target=reader, args=(c, stop, counts), daemon=True) for c in (seat1, seat3)]
        for t in threads:
            t.start()
        started = time.monotonic()
        peak = rss_start
        sent = 0
        while True:
            seat1.send(f"CMD_chat+1+{LINE}")
            sent += 1
            peak = max(peak, gp.vmrss_kib(host.pid))
            host.drain_log()
            if any("seat 2 disconnected" in line for line in host.log):
                break
            assert time.monotonic() - started < TIME_LIMIT, f"seat 2 never dropped; log {host.log[-5:]!r}"
            time.sleep(0.005)  # pace the talker near the host's 100 messages a second
        took = time.monotonic() - started
        print(f"seat 2 dropped after {took:.1f} s and {sent} lines of {len(LINE)} bytes; "
              f"host VmRSS {rss_start} KiB -> peak {peak} KiB")
        # AddressSanitizer keeps freed memory in quarantine: no bound there.
        if not os.environ.get("GLYPHARO_SANITIZED"):
            assert peak - rss_start < RSS_GROWTH_LIMIT_KIB, (rss_start, peak)
        assert host.proc.poll() is None
        stop.set()
        for t in threads:
            t.join(timeout=gp.WAIT)
        # Seats 1 and 3 are still served.
        seat3.buf = b""
        seat1.send("CMD_chat+1+after")
        seat3.wait_for("CMD_chat+1+Talker chats: after", timeout=30.0)
        staller.close()
        ok = True
    finally:
        stop.set()
        host.stop()
        if ok:
            shutil.rmtree(root, ignore_errors=True)
        else:
            print(f"kept {root}", file=sys.stderr)
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
