#!/usr/bin/env python3
"""A message reaching an idle headless host is handled without waiting a
whole queue tick.

Usage: whole_relaytime_test.py <binary>

The host works off one message per 10 ms tick and rests its queue timer
while nothing is queued. A chat line sent to a host that has been idle for
longer than a tick must come back at once, not 10 ms later: the median of
21 round trips is well under one tick. (Each line is sent 15 ms after the
previous one came back, which is what makes the host idle.)
"""

import os
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gp  # noqa: E402

TICK_MS = 10.0


def main():
    binary = os.path.abspath(sys.argv[1])
    root = tempfile.mkdtemp(prefix="glypharo-relaytime-")
    host = gp.ServeHost(binary, gp.Copy(root, "serve"))
    try:
        host.wait_line("hosting on port")
        c = host.connect()
        c.login("Pinger")
        trips = []
        for i in range(21):
            time.sleep(0.015)  # let the host's queue go idle
            sent = time.perf_counter()
            c.send(f"CMD_chat+1+{i}")
            c.wait_for(f"CMD_chat+1+Pinger chats: {i}")
            trips.append((time.perf_counter() - sent) * 1000)
        median = statistics.median(trips)
        print(f"relay round trip on an idle host: median {median:.2f} ms, worst {max(trips):.2f} ms")
        assert median < TICK_MS / 2, trips
        # A burst is still worked off at one message per tick.
        started = time.perf_counter()
        for i in range(10):
            c.send(f"CMD_chat+1+b{i}")
        c.wait_for("CMD_chat+1+Pinger chats: b9")
        burst = (time.perf_counter() - started) * 1000
        print(f"ten queued messages took {burst:.1f} ms")
        assert burst >= 9 * TICK_MS * 0.9, burst
    finally:
        host.stop()
        shutil.rmtree(root, ignore_errors=True)
    print("2 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
