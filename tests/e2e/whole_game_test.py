#!/usr/bin/env python3
"""A whole game on port 7772 with real program copies, played to its winner.

Usage: whole_game_test.py <binary>

1. A real hosting copy ("Host 127.0.0.1 true", offscreen, Botspeed 500):
   its own window takes seat 1 as "Host" and a real joining copy is seated
   and announced. The hosting window cannot be clicked from outside, so it
   cannot start a game; it is ended with SIGKILL and its joiner's window
   must close by itself.
2. The game: the headless host (`--serve` on 7772, Botspeed 500 in its
   settings) with seat 1 a raw client standing in for the host's own window.
   Five real joining copies take seats 2 to 6, three raw spectators seats 7
   to 9, and a tenth connection gets exactly "CMD_full+". Seat 1 starts a
   small game and puts everybody on "Just Watch": itself with the message a
   player sends for himself, the joiners with the one the host's seat menu
   ("Set to Just Watch") sends. The host's computer players then play every
   seat. All raw clients must see the same game and the right winner; when
   the host stops, every joining window closes and its tally file (games
   played, won, best word) agrees with what the raw clients saw.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gp  # noqa: E402

PLAY_TO = 10
TURN_SECONDS = 30
GAME_TIMEOUT = 150.0
GAME_COMMANDS = ("CMD_startgame", "CMD_roundstart", "CMD_nextplayer", "CMD_hisword", "CMD_hepass",
                 "CMD_roundend", "CMD_winner", "CMD_justwatching")


def wait_exit(proc, timeout, what):
    try:
        return proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        raise AssertionError(f"{what} did not exit within {timeout} s")


def hosting_copy(binary, root):
    """Phase 1: the real hosting copy seats its own window and a joiner."""
    gp.wait_until(lambda: gp.port_free(gp.GAME_PORT), 60.0, "port 7772 to be free")
    host = gp.Copy(root, "gui-host")
    host.write_settings(500)
    proc = host.start(binary, ["Host", "127.0.0.1", "true"])
    joiner_proc = None
    try:
        gp.wait_until(lambda: gp.listening(gp.GAME_PORT), gp.WAIT, "the hosting copy to listen")
        # Its own window connects next; only then may anybody else come in.
        gp.wait_until(lambda: gp.connections_to(gp.GAME_PORT) >= 1, gp.WAIT, "the host window to connect")
        raw = gp.Client()
        assert raw.login("Probe") == 2, raw.seat
        joiner = gp.Copy(root, "gui-joiner0")
        joiner_proc = joiner.start(binary, ["Visitor", "127.0.0.1", "false"])
        raw.wait_for("CMD_newplayerinfo+3+Visitor+0")
        assert os.path.exists(host.dictionary_path) and os.path.exists(joiner.dictionary_path)
        raw.send("CMD_chat+2+hello")
        raw.wait_for("CMD_chat+2+Probe chats: hello")
        proc.kill()
        wait_exit(proc, gp.WAIT, "the killed hosting copy")
        raw.wait_closed()
        # The joining window closes when its connection does, and saves its tally.
        assert wait_exit(joiner_proc, gp.WAIT, "the joining window after its host died") == 0
        cols, rows, cells = gp.read_tally(gp.lzrw1_tool(binary), joiner.tally_path)
        assert [cells[c][0] for c in range(1, 3)] == ["0", "0"], cells
        assert not os.path.exists(joiner.dictionary_path), "the joiner left its dictionary file behind"
    finally:
        for p in (proc, joiner_proc):
            if p is not None:
                gp.stop_process(p)
    gp.wait_until(lambda: gp.port_free(gp.GAME_PORT), 30.0, "port 7772 to be free again")


def seat_everybody(binary, root, serve):
    seat1 = gp.connect_when_listening(gp.GAME_PORT, serve.proc)
    assert seat1.login("Host") == 1
    joiners = []
    for seat in range(2, 7):
        copy = gp.Copy(root, f"joiner{seat}")
        name = f"Joiner{seat}"
        joiners.append((seat, name, copy, copy.start(binary, [name, "127.0.0.1", "false"])))
        seat1.wait_for(f"CMD_newplayerinfo+{seat}+{name}+0", timeout=20.0)
    spectators = []
    for seat in range(7, 10):
        s = serve.connect()
        assert s.login(f"Spy{seat}") == seat
        spectators.append(s)
    tenth = serve.connect()
    rest, tail = tenth.wait_closed()
    assert rest == ["CMD_full+"] and tail == b"", (rest, tail)
    return seat1, joiners, spectators


def start_and_watch(seat1, raws):
    seat1.send(f"CMD_startgame+Host+{PLAY_TO}+{TURN_SECONDS}+")
    for c in raws:
        c.wait_for(f"CMD_startgame+Host+{PLAY_TO}+{TURN_SECONDS}+")
    seat1.send("CMD_justwatch+1+1")  # seat 1 for itself
    for seat in range(2, 7):
        seat1.send(f"CMD_justwatch+{seat}+1")  # "Set to Just Watch" from seat 1


def play_out(raws):
    """Every raw client's game messages up to and including CMD_winner."""
    seen = gp.gather(raws, lambda c, m: m.startswith("CMD_winner+"), GAME_TIMEOUT)
    return {c: [m for m in seen[c] if m.startswith(GAME_COMMANDS)] for c in raws}


def score_game(messages):
    """(scores {seat: total}, best {seat: (WORD, points)}, winner name)."""
    scores = {s: 0 for s in range(1, 7)}
    best = {}
    winner = None
    for m in messages:
        f = m.split("+")
        if f[0] == "CMD_hisword":
            seat, word, total, points = int(f[1]), f[3], int(f[4]), int(f[5])
            assert points == sum(gp.VALUES[c] for c in word), m
            scores[seat] += points
            assert total == scores[seat], (m, scores)
            if points > best.get(seat, ("", 0))[1]:
                best[seat] = (word.upper(), points)
        elif f[0] == "CMD_winner":
            winner = f[1]
    return scores, best, winner


def check_game(seat1, spectators, names):
    raws = [seat1] + spectators
    games = play_out(raws)
    reference = games[seat1]
    for c in spectators:
        assert games[c] == reference, f"seat {c.seat} saw another game"
    watching = {int(m.split("+")[1]) for m in reference if m.startswith("CMD_justwatching+") and m.endswith("+1")}
    assert watching == set(range(1, 7)), watching
    scores, best, winner = score_game(reference)
    top = max(scores.values())
    leaders = [s for s, v in scores.items() if v == top]
    assert top > PLAY_TO and len(leaders) == 1, scores
    assert winner == names[leaders[0]], (winner, scores)
    rounds = sum(1 for m in reference if m.startswith("CMD_roundstart+"))
    print(f"winner {winner} after {rounds} round(s); scores {scores}")
    return scores, best, winner


def check_tallies(binary, joiners, best, winner):
    tool = gp.lzrw1_tool(binary)
    for seat, name, copy, proc in joiners:
        assert wait_exit(proc, gp.WAIT, f"joining window {seat}") == 0
        cols, rows, cells = gp.read_tally(tool, copy.tally_path)
        own = [cells[c][0] for c in range(cols)]
        word, points = best.get(seat, ("0", 0))
        expected = ["0", "1", "1" if name == winner else "0", word, str(points), "0", "0", "0", "0"]
        assert own == expected, (seat, own, expected)
        assert not os.path.exists(copy.dictionary_path), f"seat {seat} left its dictionary file behind"


def game_on_headless_host(binary, root):
    host_copy = gp.Copy(root, "serve")
    host_copy.write_settings(500)
    serve = gp.ServeHost(binary, host_copy, port=gp.GAME_PORT)
    joiners = []
    try:
        serve.wait_line("hosting on port")
        seat1, joiners, spectators = seat_everybody(binary, root, serve)
        names = {1: "Host", **{seat: name for seat, name, _, _ in joiners}}
        started = time.monotonic()
        start_and_watch(seat1, [seat1] + spectators)
        scores, best, winner = check_game(seat1, spectators, names)
        print(f"game took {time.monotonic() - started:.1f} s")
        serve.proc.send_signal(signal.SIGTERM)
        assert wait_exit(serve.proc, gp.WAIT, "the headless host") == 0
        check_tallies(binary, joiners, best, winner)
    finally:
        serve.stop()
        for _, _, _, proc in joiners:
            gp.stop_process(proc)


def main():
    binary = os.path.abspath(sys.argv[1])
    root = tempfile.mkdtemp(prefix="glypharo-whole-")
    ok = False
    try:
        hosting_copy(binary, root)
        game_on_headless_host(binary, root)
        ok = True
    finally:
        if ok:
            shutil.rmtree(root, ignore_errors=True)
        else:
            print(f"kept {root}", file=sys.stderr)
    print("2 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
