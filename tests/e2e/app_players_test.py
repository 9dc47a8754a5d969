#!/usr/bin/env python3
"""The player list of a real hosting copy, seen from outside.

Usage: app_players_test.py <binary>

The real program hosts offscreen as "Ann 127.0.0.1 true" (port 7772) in its
own folders; its window logs in as seat 1. Raw protocol clients then take
seats 2 to 6 and a seventh connection only watches (seat 7):

- every newcomer is announced to all with CMD_newplayerinfo and is told the
  players already there with CMD_existingplayers, the window's "Ann" first;
- the spectator is announced as seat 7 and learns all six players;
- chat is relayed by the host to everybody, the window included (its reply
  cannot be seen, but the host's relay to the others can);
- a player who leaves is announced with CMD_playerdisconnected to the rest;
- a second start of the program with the same temporary folder hands over to
  the running copy and ends at once without connecting.

The window's own host commands (removing a player, setting a seat to watch)
need clicks and are tested in-process (tests/app/GamePlayersTest.cpp).
"""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gp  # noqa: E402

NAMES = ["Bob", "Cid", "Dee", "Eve", "Fay"]


def seat_players(raws):
    """Seats 2..6 one after another; checks the announcements each time."""
    for i, name in enumerate(NAMES):
        seat = i + 2
        c = gp.Client()
        assert c.login(name) == seat, (name, c.seat)
        present = [(1, "Ann")] + [(s + 2, NAMES[s]) for s in range(i)]
        expected = "CMD_existingplayers" + "".join(f"+{s}+{n}+0" for s, n in present)
        c.wait_for(expected)
        for other in raws:
            other.wait_for(f"CMD_newplayerinfo+{seat}+{name}+0")
        raws.append(c)


def main():
    if len(sys.argv) < 2:
        print("usage: app_players_test.py <binary>")
        return 2
    binary = os.path.abspath(sys.argv[1])
    root = tempfile.mkdtemp(prefix="glypharo-app-players-")
    host = gp.Copy(root, "ann")
    settings = os.path.join(host.home, "vexmoorlobby.ini")
    with open(settings, "w") as f:
        f.write("[Glypharo]\nBotspeed=1000\nHelp=1\n")
    proc = None
    raws = []
    try:
        gp.wait_until(lambda: gp.port_free(gp.GAME_PORT), 60.0, "port 7772 to be free")
        proc = host.start(binary, ["Ann", "127.0.0.1", "true"])
        gp.wait_until(lambda: gp.listening(gp.GAME_PORT) or proc.poll() is not None, gp.WAIT,
                      "the hosting copy to listen")
        if proc.poll() is not None:
            print(f"SKIP: the program ended (exit {proc.returncode}) without hosting")
            return 77
        # The window connects itself; nobody else may take seat 1 before it.
        # It reads the settings (and marks the help as shown) when the host
        # lists it: then its login is complete.
        gp.wait_until(lambda: gp.connections_to(gp.GAME_PORT) >= 1, gp.WAIT, "the window to connect")
        gp.wait_until(lambda: "Help=2" in open(settings).read().replace(" ", ""), gp.WAIT,
                      "the window to be seated")
        gp.wait_until(lambda: os.path.exists(host.dictionary_path), gp.WAIT, "the dictionary file")

        seat_players(raws)

        spy = gp.Client()
        assert spy.login("Carl") == 7, spy.seat
        everyone = "".join(f"+{s}+{n}+0" for s, n in [(1, "Ann")] + list(zip(range(2, 7), NAMES)))
        spy.wait_for("CMD_existingplayers" + everyone)
        for c in raws:
            c.wait_for("CMD_newplayerinfo+7+Carl+0")

        raws[0].send("CMD_chat+2+hello all")
        for c in raws + [spy]:
            c.wait_for("CMD_chat+2+Bob chats: hello all")

        # A second start with the same temp folder shows the first copy and
        # ends; it never connects to the game.
        before = gp.connections_to(gp.GAME_PORT)
        second = host.start(binary, ["Zed", "127.0.0.1", "false"])
        try:
            code = second.wait(timeout=gp.WAIT)
        except subprocess.TimeoutExpired:
            gp.stop_process(second)
            raise AssertionError("a second start did not end")
        assert code == 0, code
        assert gp.connections_to(gp.GAME_PORT) == before
        assert proc.poll() is None, "the first copy ended"

        leaver = raws.pop(2)  # Dee, seat 4
        leaver.close()
        for c in raws + [spy]:
            c.wait_for("CMD_playerdisconnected+4+Dee")

        # The freed seat is the next newcomer's.
        again = gp.Client()
        assert again.login("Gus") == 4, again.seat
        for c in raws + [spy]:
            c.wait_for("CMD_newplayerinfo+4+Gus+0")
        print("players, spectator, chat relay, departure and hand-over seen")
        return 0
    finally:
        for c in raws:
            c.close()
        if proc is not None:
            gp.stop_process(proc)
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
