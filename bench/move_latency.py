#!/usr/bin/env python3
"""Move latency and the host's resident memory, over loopback.

Usage: move_latency.py <glypharo binary> [moves]

Starts `glypharo --serve` on a free port with six raw players (seats 1-6)
and three raw spectators (seats 7-9). Seat 1 starts a game, which deals
seat 1 the first rack at once; it finds a word of its rack in the
dictionary file the host wrote ("English") and submits it. The latency of
a move is the time from sending CMD_myword to the moment the CMD_hisword
has arrived at all six players. Then seat 1 starts a new game (a word ends
the turn with a 3 s pause, a new game does not), until `moves` moves are
measured. A human's click comes at any moment of the host's 10 ms queue
tick, so each CMD_myword is sent after a random 0-20 ms pause; sending right
after the rack arrives would always wait for almost a whole tick.

Prints median, p90, p99 and worst latency, and the host's VmRSS with its
nine connections, as "key: value" lines.
"""

import os
import random
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import gp  # noqa: E402


def one_move(clients, index, rnd):
    """Starts a game and, if seat 1's rack makes a word, plays it; returns
    the latency in seconds or None."""
    seat1 = clients[0]
    seat1.send("CMD_startgame+P1+100000+120+")
    rows = gp.parse_roundstart(seat1.wait_prefix("CMD_roundstart+"))
    rack = gp.parse_mytiles(seat1.wait_prefix("CMD_mytiles+1+"))
    seat1.wait_for("CMD_nextplayer+1+")
    found = gp.find_word(index, rows, rack)
    if found is None:
        return None
    row, word, places = found
    time.sleep(rnd.uniform(0, 0.020))  # an arbitrary moment of the host's tick
    sent = time.perf_counter()
    seat1.send(gp.myword(1, row, places))
    arrived = {}

    def done(c, m):
        if m.startswith("CMD_hisword+1+"):
            arrived[c] = time.perf_counter()
            return True
        return False
    gp.gather(clients, done, gp.WAIT)
    return max(arrived.values()) - sent


def pct(sorted_values, p):
    k = min(len(sorted_values) - 1, max(0, round(p / 100 * (len(sorted_values) - 1))))
    return sorted_values[k]


def main():
    binary = os.path.abspath(sys.argv[1])
    moves = int(sys.argv[2]) if len(sys.argv) > 2 else 500
    root = tempfile.mkdtemp(prefix="glypharo-latency-")
    copy = gp.Copy(root, "serve")
    host = gp.ServeHost(binary, copy)
    try:
        host.wait_line("hosting on port")
        clients = []
        for i in range(1, 10):
            c = host.connect()
            assert c.login(f"P{i}") == i
            clients.append(c)
        players = clients[:6]
        index = gp.words_by_letter(gp.load_dictionary(copy.dictionary_path))
        rss_idle = gp.vmrss_kib(host.pid)
        rnd = random.Random(7)
        latencies = []
        attempts = 0
        started = time.monotonic()
        while len(latencies) < moves:
            attempts += 1
            took = one_move(players, index, rnd)
            if took is not None:
                latencies.append(took * 1000)
            for c in clients[6:]:  # keep the spectators' input drained
                c.buf = b""
        wall = time.monotonic() - started
        rss_game = gp.vmrss_kib(host.pid)
        latencies.sort()
        print(f"moves: {len(latencies)} (of {attempts} games started, {wall:.1f} s)")
        print(f"latency_median_ms: {statistics.median(latencies):.2f}")
        print(f"latency_p90_ms: {pct(latencies, 90):.2f}")
        print(f"latency_p99_ms: {pct(latencies, 99):.2f}")
        print(f"latency_max_ms: {latencies[-1]:.2f}")
        print(f"host_vmrss_9_connections_kib: {rss_idle}")
        print(f"host_vmrss_after_moves_kib: {rss_game}")
    finally:
        host.stop()
        shutil.rmtree(root, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
