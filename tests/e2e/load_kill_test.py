#!/usr/bin/env python3
"""Processes killed in the middle of a game, on port 7772.

Usage: load_kill_test.py <binary>

1. A joining copy killed with SIGKILL during its own turn: the headless
   host frees its seat, gives the same seat the turn again, and a computer
   player moves for it.
2. The host killed with SIGKILL mid-game: every joining window closes by
   itself (the process exits normally) and writes its tally file.
"""

import os
import shutil
import signal
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gp  # noqa: E402

BOT_WAIT = 5.0  # Botspeed 500 plus the engine's queue; generous


def serve_on_game_port(binary, root, name):
    gp.wait_until(lambda: gp.port_free(gp.GAME_PORT), 60.0, "port 7772 to be free")
    copy = gp.Copy(root, name)
    copy.write_settings(500)
    host = gp.ServeHost(binary, copy, port=gp.GAME_PORT)
    host.wait_line("hosting on port")
    return host


def join(binary, root, seat1, seat, name):
    copy = gp.Copy(root, name)
    proc = copy.start(binary, [name, "127.0.0.1", "false"])
    seat1.wait_for(f"CMD_newplayerinfo+{seat}+{name}+0", timeout=20.0)
    return copy, proc


def client_killed_mid_turn(binary, root):
    host = serve_on_game_port(binary, root, "serve-a")
    procs = []
    try:
        seat1 = host.connect()
        assert seat1.login("Host") == 1
        _, victim = join(binary, root, seat1, 2, "Victim")
        procs.append(victim)
        seat1.send("CMD_startgame+Host+50+30+")
        seat1.wait_for("CMD_nextplayer+1+")
        seat1.send("CMD_ipass+1+")
        seat1.wait_for("CMD_hepass+1+")
        seat1.wait_for("CMD_nextplayer+2+")  # the victim's own turn
        victim.send_signal(signal.SIGKILL)
        victim.wait(timeout=gp.WAIT)
        seat1.wait_for("CMD_playerdisconnected+2+Victim")
        # The turn is given anew to the same seat, and the computer plays it.
        assert seat1.recv() == "CMD_nextplayer+2+"
        move = seat1.recv(timeout=BOT_WAIT)
        assert move.startswith("CMD_hisword+2+") or move == "CMD_hepass+2+", move
        print(f"seat 2 killed in its turn; re-given, computer move: {move.split('+')[:4]}")
    finally:
        host.stop()
        for p in procs:
            gp.stop_process(p)
    gp.wait_until(lambda: gp.port_free(gp.GAME_PORT), 30.0, "port 7772 to be free")


def host_killed_mid_game(binary, root):
    host = serve_on_game_port(binary, root, "serve-b")
    joiners = []
    try:
        seat1 = host.connect()
        assert seat1.login("Host") == 1
        for seat, name in ((2, "Jay"), (3, "Kay")):
            joiners.append(join(binary, root, seat1, seat, name))
        seat1.send("CMD_startgame+Host+50+30+")
        seat1.wait_prefix("CMD_roundstart+1+")
        seat1.send("CMD_justwatch+1+1")  # the computer plays seat 1: the game moves
        seat1.wait_prefix("CMD_hisword+")
        host.proc.send_signal(signal.SIGKILL)
        host.proc.wait(timeout=gp.WAIT)
        tool = gp.lzrw1_tool(binary)
        for copy, proc in joiners:
            assert proc.wait(timeout=gp.WAIT) == 0, copy.name
            _, _, cells = gp.read_tally(tool, copy.tally_path)
            assert cells[1][0] == "0", cells  # no game finished
            assert not os.path.exists(copy.dictionary_path), copy.name
        print("host killed mid-game: both joining windows closed and wrote their tallies")
    finally:
        host.stop()
        for _, p in joiners:
            gp.stop_process(p)


def main():
    binary = os.path.abspath(sys.argv[1])
    root = tempfile.mkdtemp(prefix="glypharo-kill-")
    ok = False
    try:
        client_killed_mid_turn(binary, root)
        host_killed_mid_game(binary, root)
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
