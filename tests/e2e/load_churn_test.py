#!/usr/bin/env python3
"""1,000 connect/disconnect cycles against the headless host.

Usage: load_churn_test.py <binary>

Seat 1 stays logged in and watches. Each cycle connects, must be given
seat 2 (the freed seat is reused), logs in on every other cycle, and
closes; seat 1 sees the newcomer and its departure. Afterwards the host's
open file descriptors are back to where they were with seat 1 alone and its
resident memory is within 10 % of the level after the warm-up cycles.
"""

import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gp  # noqa: E402

CYCLES = 1000
WARMUP = 100
TIME_LIMIT = 100.0


def cycle(host, seat1, i):
    c = host.connect()
    first = c.recv()
    assert first == "CMD_sendlogininfo+2", (i, first)
    if i % 2 == 0:
        name = f"C{i}"
        c.send(f"CMD_logininfo+2+1.0.1+{name}")
        seat1.wait_for(f"CMD_newplayerinfo+2+{name}+0")
        c.close()
        seat1.wait_for(f"CMD_playerdisconnected+2+{name}")
    else:
        c.close()
    host.wait_line("seat 2 disconnected")


def main():
    binary = os.path.abspath(sys.argv[1])
    root = tempfile.mkdtemp(prefix="glypharo-churn-")
    host = gp.ServeHost(binary, gp.Copy(root, "serve"))
    ok = False
    try:
        host.wait_line("hosting on port")
        seat1 = host.connect()
        assert seat1.login("Keeper") == 1
        fds_start = gp.fd_count(host.pid)
        started = time.monotonic()
        rss_warm = None
        for i in range(CYCLES):
            cycle(host, seat1, i)
            if i + 1 == WARMUP:
                rss_warm = gp.vmrss_kib(host.pid)
            assert time.monotonic() - started < TIME_LIMIT, f"only {i} cycles in {TIME_LIMIT} s"
        took = time.monotonic() - started
        fds_end = gp.fd_count(host.pid)
        rss_end = gp.vmrss_kib(host.pid)
        print(f"{CYCLES} cycles in {took:.1f} s; fds {fds_start} -> {fds_end}; "
              f"VmRSS {rss_warm} KiB after {WARMUP} -> {rss_end} KiB")
        assert fds_end == fds_start, (fds_start, fds_end)
        # AddressSanitizer keeps freed memory in quarantine: no flat line there.
        if not os.environ.get("GLYPHARO_SANITIZED"):
            assert abs(rss_end - rss_warm) <= rss_warm * 0.10, (rss_warm, rss_end)
        # The seats are as at the start: the next newcomer is seat 2 again.
        last = host.connect()
        assert last.login("Last") == 2
        seat1.send("CMD_chat+1+still here")
        last.wait_for("CMD_chat+1+Keeper chats: still here")
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
