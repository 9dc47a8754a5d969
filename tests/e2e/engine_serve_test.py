#!/usr/bin/env python3
"""The host's game engine seen through the wire, with one raw client.

Usage: engine_serve_test.py <binary>
Starts `<binary> --serve --port P` in a temporary working folder, logs in as
seat 1, starts a game, plays a word found from its rack and the host's own
dictionary file "English", and checks that the computer player "Klot" in
seat 2 moves within the bot delay. Exits 77 (skipped) when the binary ends
without listening, as one that does not offer --serve does. Every wait is
bounded.
"""

import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

TERM = b"\xff"
WAIT = 10.0
BOT_DELAY_MAX = 2.0  # the slow bot speed, in seconds
SKIP = 77
VALUES = {c: v for v, letters in ((1, "aeilnorstu"), (3, "bcdghmp"), (5, "fvwy"), (7, "jkx"), (10, "qz"))
          for c in letters}


def letter(index):
    return chr(ord("a") + index - 1)


class Client:
    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=WAIT)
        self.buf = b""

    def send(self, text):
        self.sock.sendall(text.encode("latin-1") + TERM)

    def recv(self, timeout=WAIT):
        deadline = time.monotonic() + timeout
        while TERM not in self.buf:
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise TimeoutError(f"no message in {timeout} s")
            self.sock.settimeout(remaining)
            data = self.sock.recv(65536)
            if not data:
                raise AssertionError("the host closed the connection")
            self.buf += data
        msg, self.buf = self.buf.split(TERM, 1)
        return msg.decode("latin-1")

    def wait_prefix(self, prefix, timeout=WAIT):
        deadline = time.monotonic() + timeout
        while True:
            msg = self.recv(max(0.01, deadline - time.monotonic()))
            if msg.startswith(prefix):
                return msg


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class NoServe(Exception):
    """The binary ended before listening: it does not offer --serve."""


def connect(port, proc, log):
    deadline = time.monotonic() + WAIT
    while True:
        try:
            return Client(port)
        except OSError:
            if proc.poll() is not None:
                with open(log, "rb") as f:
                    raise NoServe(f.read().decode("latin-1", "replace").strip()[-300:])
            if time.monotonic() > deadline:
                raise AssertionError("the host never listened")
            time.sleep(0.05)  # polling for the listener, not waiting for game time


def load_dictionary(workdir):
    """Words of the 15-byte records of "English", once the host wrote it."""
    path = os.path.join(workdir, "English")
    deadline = time.monotonic() + WAIT
    while not os.path.exists(path) and time.monotonic() < deadline:
        time.sleep(0.05)
    data = open(path, "rb").read()
    assert len(data) % 15 == 0 and data[:1] == b"\x1e", "not a record file"
    return {data[i + 1:i + 15].decode("ascii").strip().lower() for i in range(0, len(data), 15)}


def find_word(words, rows, rack):
    """(row, rack places) of a dictionary word of 2+ letters the rack completes."""
    for row, first in rows.items():
        for word in words:
            if len(word) < 2 or len(word) > 10 or word[0] != first:
                continue
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


def play_one_game(client, words):
    """Starts a game, plays seat 1's word and times Klot's answer. Returns
    the seconds Klot took, or None when Klot's word was refused (silent)."""
    client.send("CMD_startgame+Ann+5+30+")
    assert client.wait_prefix("CMD_startgame+") == "CMD_startgame+Ann+5+30+"
    roundstart = client.recv().split("+")
    assert roundstart[:2] == ["CMD_roundstart", "1"], roundstart
    seats = roundstart[2:20]
    assert seats == ["p", "1", "1", "p", "2", "1"] + sum((["p", str(s), "0"] for s in range(3, 7)), []), seats
    rows = {int(roundstart[i + 1]): letter(int(roundstart[i + 2])) for i in range(20, len(roundstart), 3)}
    assert sorted(rows) == [1, 2, 3, 4], rows
    tiles = client.recv().split("+")
    assert tiles[:2] == ["CMD_mytiles", "1"] and len(tiles) == 20, tiles
    rack = [letter(int(tiles[i])) for i in range(3, 20, 2)]
    assert client.recv() == "CMD_nextplayer+1+"

    found = find_word(words, rows, rack)
    if found is None:
        client.send("CMD_ipass+1+")
        assert client.recv() == "CMD_hepass+1+"
    else:
        row, word, places = found
        groups = "".join(f"+{p + 2}+{places[p] if p < len(places) else 0}" for p in range(9))
        client.send(f"CMD_myword+1+{row}{groups}")
        hisword = client.recv().split("+")
        points = sum(VALUES[c] for c in word)
        assert hisword[:6] == ["CMD_hisword", "1", str(row), word, str(points), str(points)], hisword
        placed = [letter(int(hisword[i])) for i in range(7, len(hisword), 2)]
        assert "".join(placed) == word[1:], hisword
    # A pass waits 1 s, a word 3 s; then Klot's turn and its move.
    assert client.recv(timeout=5.0) == "CMD_nextplayer+2+"
    started = time.monotonic()
    try:
        move = client.recv(timeout=BOT_DELAY_MAX + 1.5)
    except TimeoutError:
        return None  # a refused computer word is silent to the others
    assert move.startswith("CMD_hisword+2+") or move == "CMD_hepass+2+", move
    return time.monotonic() - started


def main():
    if len(sys.argv) < 2:
        print("usage: engine_serve_test.py <binary>")
        return 2
    binary = os.path.abspath(sys.argv[1])
    base = tempfile.mkdtemp(prefix="glypharo-engine-e2e-")
    env = dict(os.environ, TMPDIR=base, GLYPHARO_HOME=os.path.join(base, "home"),
               QT_QPA_PLATFORM="offscreen")
    os.makedirs(env["GLYPHARO_HOME"])
    workdir = os.path.join(base, "work")
    os.makedirs(workdir)
    proc = None
    try:
        port = free_port()
        log = os.path.join(base, "host.log")
        with open(log, "wb") as errors:
            proc = subprocess.Popen([binary, "--serve", "--port", str(port)], cwd=workdir, env=env,
                                    stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=errors)
        try:
            client = connect(port, proc, log)
        except NoServe as e:
            print(f"SKIP: {binary} ended without listening (exit {proc.returncode}): {e}")
            return SKIP
        assert client.recv() == "CMD_sendlogininfo+1"
        client.send("CMD_logininfo+1+1.0.1+Ann")
        assert client.recv() == "CMD_newplayerinfo+1+Ann+0"
        words = load_dictionary(workdir)
        # Klot's word may be one the dictionary refuses, which nobody sees;
        # a new game gives it another go.
        for attempt in range(5):
            took = play_one_game(client, words)
            if took is not None:
                print(f"Klot moved {took:.2f} s into its turn (game {attempt + 1})")
                assert took <= BOT_DELAY_MAX + 0.5, took
                return 0
        raise AssertionError("Klot never made a visible move in five games")
    finally:
        if proc is not None and proc.poll() is None:
            proc.terminate()
            try:
                proc.wait(timeout=WAIT)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait(timeout=WAIT)
        shutil.rmtree(base, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
