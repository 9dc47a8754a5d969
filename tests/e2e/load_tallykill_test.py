#!/usr/bin/env python3
"""SIGKILL while a joining window saves its tally, at many points.

Usage: load_tallykill_test.py <binary>

A stand-in host on port 7772 seats a real joining copy and closes the
connection, which makes the window close and save its tally. The first
run completes and leaves a tally holding one won game; its exit time is
measured. Every later run is killed with SIGKILL at a random point between
the close and that exit time (and a little beyond). After each, the tally
file must still decompress and hold exactly the first run's table: the old
file or the complete new one, never a torn one.
"""

import os
import random
import shutil
import signal
import socket
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gp  # noqa: E402
from whole_lastwords_test import BURST  # noqa: E402

RUNS = 20
SEED_ROW = ["0", "1", "1", "CAT", "5", "0", "0", "0", "0"]


def seat_and_close(listener, burst):
    conn, _ = listener.accept()
    conn.settimeout(gp.WAIT)
    conn.sendall(b"CMD_sendlogininfo+2" + gp.TERM)
    got = b""
    while gp.TERM not in got:
        data = conn.recv(4096)
        assert data, "the joiner closed before logging in"
        got += data
    conn.sendall(b"".join(m.encode("latin-1") + gp.TERM for m in ["CMD_newplayerinfo+2+Beta+0"] + burst))
    conn.close()
    return time.monotonic()


def main():
    binary = os.path.abspath(sys.argv[1])
    tool = gp.lzrw1_tool(binary)
    root = tempfile.mkdtemp(prefix="glypharo-tallykill-")
    gp.wait_until(lambda: gp.port_free(gp.GAME_PORT), 60.0, "port 7772 to be free")
    listener = socket.create_server(("127.0.0.1", gp.GAME_PORT))
    listener.settimeout(gp.WAIT)
    joiner = gp.Copy(root, "joiner")
    rnd = random.Random(int(os.environ.get("TALLYKILL_SEED", "1")))
    ok = False
    proc = None
    try:
        proc = joiner.start(binary, ["Beta", "127.0.0.1", "false"])
        closed = seat_and_close(listener, BURST)
        assert proc.wait(timeout=gp.WAIT) == 0
        exit_time = time.monotonic() - closed
        _, _, cells = gp.read_tally(tool, joiner.tally_path)
        assert [cells[c][0] for c in range(9)] == SEED_ROW, cells
        killed_before_exit = 0
        for run in range(RUNS):
            proc = joiner.start(binary, ["Beta", "127.0.0.1", "false"])
            seat_and_close(listener, [])
            time.sleep(rnd.uniform(0, exit_time * 1.2))  # the kill point
            proc.send_signal(signal.SIGKILL)
            code = proc.wait(timeout=gp.WAIT)
            killed_before_exit += code == -signal.SIGKILL
            _, _, cells = gp.read_tally(tool, joiner.tally_path)
            assert [cells[c][0] for c in range(9)] == SEED_ROW, (run, cells)
        print(f"exit takes {exit_time * 1000:.0f} ms after the close; {killed_before_exit} of {RUNS} "
              "runs killed before they ended; the tally always read back whole")
        ok = True
    finally:
        listener.close()
        if proc is not None:
            gp.stop_process(proc)
        if ok:
            shutil.rmtree(root, ignore_errors=True)
        else:
            print(f"kept {root}", file=sys.stderr)
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
