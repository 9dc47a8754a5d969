#!/usr/bin/env python3
"""Start to window shown, solo game.

Usage: startup.py <glypharo binary> [starts]

Starts `glypharo` without parameters (a solo game: its host listens on
7772, the dictionary file "English" is written out, and the own window
connects and logs in). A window cannot be seen from outside offscreen, so
the moment the window is up and logged in is taken as the first moment at
which all of these hold: the port 7772 listens, "English" exists at its
full size, and the window's own connection to 7772 is established. That
connection is made from the window's first show (after all windows are
created and the dictionary is written), so it marks the window shown.
Reported: median and worst of `starts` runs (10 by default), each in fresh
folders; the copy is ended after each run.
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import gp  # noqa: E402


def one_start(binary, root, i, full_size):
    gp.wait_until(lambda: gp.port_free(gp.GAME_PORT), 60.0, "port 7772 to be free")
    copy = gp.Copy(root, f"solo{i}")
    started = time.perf_counter()
    proc = copy.start(binary, [])
    try:
        def up():
            if proc.poll() is not None:
                raise AssertionError(f"the solo game ended (exit {proc.returncode})")
            if not (os.path.exists(copy.dictionary_path) and os.path.getsize(copy.dictionary_path) >= full_size):
                return False
            return gp.connections_to(gp.GAME_PORT) >= 1
        gp.wait_until(up, 30.0, "the solo window", step=0.001)
        return time.perf_counter() - started
    finally:
        proc.kill()
        proc.wait()


def main():
    binary = os.path.abspath(sys.argv[1])
    starts = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    root = tempfile.mkdtemp(prefix="glypharo-startup-")
    here = os.path.dirname(os.path.abspath(__file__))
    full_size = os.path.getsize(os.path.join(here, "..", "resources", "words", "english.rec"))
    try:
        times = [one_start(binary, root, i, full_size) * 1000 for i in range(starts)]
    finally:
        shutil.rmtree(root, ignore_errors=True)
    print(f"starts: {starts}")
    print(f"start_to_window_median_ms: {statistics.median(times):.0f}")
    print(f"start_to_window_max_ms: {max(times):.0f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
