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
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gp import (VALUES, Copy, ServeHost, connect_when_listening, find_word, letter,  # noqa: E402
                load_dictionary, myword, parse_mytiles, parse_roundstart, words_by_letter)

BOT_DELAY_MAX = 2.0  # the slow bot speed, in seconds


def play_one_game(client, words):
    """Starts a game, plays seat 1's word and times Klot's answer. Returns
    the seconds Klot took, or None when Klot's word was refused (silent)."""
    client.send("CMD_startgame+Ann+5+30+")
    assert client.wait_prefix("CMD_startgame+") == "CMD_startgame+Ann+5+30+"
    roundstart = client.recv().split("+")
    assert roundstart[:2] == ["CMD_roundstart", "1"], roundstart
    seats = roundstart[2:20]
    assert seats == ["p", "1", "1", "p", "2", "1"] + sum((["p", str(s), "0"] for s in range(3, 7)), []), seats
    rows = parse_roundstart("+".join(roundstart))
    assert sorted(rows) == [1, 2, 3, 4], rows
    tiles = client.recv()
    assert tiles.startswith("CMD_mytiles+1+") and len(tiles.split("+")) == 20, tiles
    rack = parse_mytiles(tiles)
    assert client.recv() == "CMD_nextplayer+1+"

    found = find_word(words, rows, rack)
    if found is None:
        client.send("CMD_ipass+1+")
        assert client.recv() == "CMD_hepass+1+"
    else:
        row, word, places = found
        client.send(myword(1, row, places))
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
    host = ServeHost(binary, Copy(base, "host"))
    try:
        client = connect_when_listening(host.port, host.proc)
        assert client.recv() == "CMD_sendlogininfo+1"
        client.send("CMD_logininfo+1+1.0.1+Ann")
        assert client.recv() == "CMD_newplayerinfo+1+Ann+0"
        words = words_by_letter(load_dictionary(host.copy.dictionary_path))
        # Klot's word may be one the dictionary refuses, which nobody sees;
        # a new game gives it another go.
        for attempt in range(5):
            took = play_one_game(client, words)
            if took is not None:
                print(f"Klot moved {took:.2f} s into its turn (game {attempt + 1})")
                assert took <= BOT_DELAY_MAX + 0.5, took
                shutil.rmtree(base, ignore_errors=True)
                return 0
        raise AssertionError("Klot never made a visible move in five games")
    finally:
        host.stop()


if __name__ == "__main__":
    sys.exit(main())
