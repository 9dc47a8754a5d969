#!/usr/bin/env python3
"""A joining window whose host sends the end of a game and closes at once.

Usage: whole_lastwords_test.py <binary>

A stand-in host on port 7772 seats a real joining copy, then sends a whole
short game (start, round, the joiner's word, round end, winner) in one burst
and closes the connection straight after. The window must still work off
what arrived before the close: its tally records the game as won and the
word as its best, and the window then closes by itself.
"""

import os
import shutil
import socket
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gp  # noqa: E402

ROUND = "CMD_roundstart+1" + "".join(f"+p+{s}+{1 if s <= 2 else 0}" for s in range(1, 7)) + \
    "+w+1+3+w+2+1+w+3+19+w+4+20"
BURST = ["CMD_existingplayers+1+Alpha+0", "CMD_startgame+Alpha+5+30+", ROUND,
         "CMD_mytiles+2+1+1+2+20+3+5+4+5+5+5+6+5+7+5+8+5+9+5", "CMD_nextplayer+2+",
         "CMD_hisword+2+1+cat+5+5+2+1+3+20", "CMD_roundend+", "CMD_winner+Beta+"]


def main():
    binary = os.path.abspath(sys.argv[1])
    root = tempfile.mkdtemp(prefix="glypharo-lastwords-")
    gp.wait_until(lambda: gp.port_free(gp.GAME_PORT), 60.0, "port 7772 to be free")
    listener = socket.create_server(("127.0.0.1", gp.GAME_PORT), reuse_port=False)
    listener.settimeout(gp.WAIT)
    joiner = gp.Copy(root, "joiner")
    proc = joiner.start(binary, ["Beta", "127.0.0.1", "false"])
    ok = False
    try:
        conn, _ = listener.accept()
        conn.settimeout(gp.WAIT)
        conn.sendall(b"CMD_sendlogininfo+2" + gp.TERM)
        got = b""
        while gp.TERM not in got:
            data = conn.recv(4096)
            assert data, "the joiner closed before logging in"
            got += data
        assert got.split(gp.TERM)[0] == b"CMD_logininfo+2+1.0.1+Beta", got
        conn.sendall(b"CMD_newplayerinfo+2+Beta+0" + gp.TERM)
        # Everything else in one go, then the host is gone.
        conn.sendall(b"".join(m.encode("latin-1") + gp.TERM for m in BURST))
        conn.close()
        assert proc.wait(timeout=gp.WAIT) == 0
        _, _, cells = gp.read_tally(gp.lzrw1_tool(binary), joiner.tally_path)
        own = [cells[c][0] for c in range(9)]
        assert own == ["0", "1", "1", "CAT", "5", "0", "0", "0", "0"], own
        ok = True
    finally:
        listener.close()
        gp.stop_process(proc)
        if ok:
            shutil.rmtree(root, ignore_errors=True)
        else:
            print(f"kept {root}", file=sys.stderr)
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
