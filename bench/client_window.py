#!/usr/bin/env python3
"""Idle CPU and resident memory of a real joining window.

Usage: client_window.py <glypharo binary> [seconds]

Runs `glypharo --serve` on port 7772 (Botspeed 500) with seat 1 a raw
client, and a real joining copy offscreen in seat 2. Seat 1 starts a game
with 120 s turns and passes once, so that the window's own turn is running
(its countdown ticks once a second) and nobody acts. Over `seconds` (60 by
default) the window's utime+stime from /proc/<pid>/stat gives its CPU use
as a share of one core; its VmRSS is read at the end.
"""

import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import gp  # noqa: E402


def main():
    binary = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 60.0
    root = tempfile.mkdtemp(prefix="glypharo-idle-")
    gp.wait_until(lambda: gp.port_free(gp.GAME_PORT), 60.0, "port 7772 to be free")
    serve_copy = gp.Copy(root, "serve")
    serve_copy.write_settings(500)
    host = gp.ServeHost(binary, serve_copy, port=gp.GAME_PORT)
    proc = None
    try:
        host.wait_line("hosting on port")
        seat1 = host.connect()
        seat1.login("Host")
        joiner = gp.Copy(root, "joiner")
        proc = joiner.start(binary, ["Idle", "127.0.0.1", "false"])
        seat1.wait_for("CMD_newplayerinfo+2+Idle+0", timeout=30.0)
        seat1.send("CMD_startgame+Host+500+120+")
        seat1.wait_for("CMD_nextplayer+1+")
        seat1.send("CMD_ipass+1+")
        seat1.wait_for("CMD_nextplayer+2+")  # the window's own turn, 120 s
        time.sleep(1.0)  # let the window settle after the game's start
        rss_start = gp.vmrss_kib(proc.pid)
        cpu0, t0 = gp.cpu_seconds(proc.pid), time.monotonic()
        time.sleep(seconds)  # the measurement: nobody acts
        cpu1, t1 = gp.cpu_seconds(proc.pid), time.monotonic()
        rss_end = gp.vmrss_kib(proc.pid)
        assert proc.poll() is None, "the window ended during the measurement"
        share = (cpu1 - cpu0) / (t1 - t0) * 100
        print(f"idle_seconds: {t1 - t0:.1f}")
        print(f"client_idle_cpu_percent: {share:.3f}")
        print(f"client_vmrss_kib: {rss_end}")
        print(f"client_vmrss_start_kib: {rss_start}")
    finally:
        if proc is not None:
            gp.stop_process(proc)
        host.stop()
        shutil.rmtree(root, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
