#!/usr/bin/env python3
"""The headless host (`--serve`) spoken to by raw protocol clients.

Usage: host_serve_test.py <binary>
Starts `<binary> --serve --port P` on a free loopback port in a temporary
working folder and checks seating, the full game, relay, removal, split
messages, oversized input and a clean stop. Every wait is bounded.
"""

import os
import random
import shutil
import signal
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gp import TERM, WAIT, Copy, ServeHost  # noqa: E402


def everyone_gets(clients, message):
    for c in clients:
        c.wait_for(message)


def check_full_game(host):
    clients = []
    for i in range(1, 10):
        c = host.connect()
        assert c.login(f"P{i}") == i
        clients.append(c)
    host.wait_line("seat 9 logged in as P9")
    tenth = host.connect()
    rest, tail = tenth.wait_closed()
    assert rest == ["CMD_full+"] and tail == b"", (rest, tail)
    return clients


def check_relay(clients):
    p2 = clients[1]
    p2.send("CMD_chat+2+hello + world: ok")
    everyone_gets(clients, "CMD_chat+2+P2 chats: hello + world: ok")
    p2.send("CMD_action+2+waves + smiles")
    everyone_gets(clients, "CMD_action+2+P2 waves + smiles")
    p2.send("CMD_playasound+2+wave3+")
    everyone_gets(clients, "CMD_playasound+2+wave3+")
    # Speaking for another seat is ignored: the marker after it arrives with
    # nothing in between.
    p2.send("CMD_chat+3+not me")
    p2.send("CMD_chat+2+marker")
    for c in clients:
        assert c.wait_for("CMD_chat+2+P2 chats: marker") == [], c.seat


def check_kick(host, clients):
    # Seat 2 may not remove anybody; seat 1 may.
    clients[1].send("CMD_kickhim+2+8+")
    clients[0].send("CMD_kickhim+1+9+")
    rest, _ = clients[8].wait_closed()
    assert not any(m.startswith("CMD_playerdisconnected") for m in rest), rest
    for c in clients[:8]:
        c.wait_for("CMD_playerdisconnected+9+P9")
    host.wait_line("seat 9 disconnected")
    del clients[8]


def check_split_message(clients):
    p3 = clients[2]
    p3.send_raw(b"CMD_chat+3+spl")
    time.sleep(0.3)  # the deliberate pause between the two halves
    p3.send_raw(b"it" + TERM)
    p3.send("CMD_chat+3+end")
    for c in clients:
        c.wait_for("CMD_chat+3+P3 chats: split")
        assert c.wait_for("CMD_chat+3+P3 chats: end") == [], c.seat


def check_garbage(host, clients):
    rnd = random.Random(7)
    # Garbage with terminators in it: unknown or malformed messages only.
    p5 = clients[4]
    junk = bytes(rnd.randrange(256) for _ in range(8192))
    p5.send_raw(junk + TERM)
    p5.send("CMD_chat+5+still here")
    everyone_gets(clients, "CMD_chat+5+P5 chats: still here")
    # 64 KiB and more without a terminator: the connection is dropped.
    p4 = clients[3]
    flood = bytes(rnd.choice(range(255)) for _ in range(64 * 1024 + 100))
    try:
        p4.send_raw(flood)
    except (BrokenPipeError, ConnectionResetError):
        pass
    p4.wait_closed()
    others = [c for c in clients if c is not p4]
    everyone_gets(others, "CMD_playerdisconnected+4+P4")
    newcomer = host.connect()
    assert newcomer.login("Late") == 4
    everyone_gets(others, "CMD_newplayerinfo+4+Late+0")
    clients[:] = sorted(others + [newcomer], key=lambda c: c.seat)


def check_game_start(clients):
    # Only seat 1 starts a game; the engine answers with the start and round.
    clients[1].send("CMD_startgame+P2+50+30+")
    clients[0].send("CMD_startgame+P1+50+30+")
    for c in clients:
        before = c.wait_for("CMD_startgame+P1+50+30+")
        assert not any(m.startswith("CMD_startgame") for m in before), before
        msg = c.recv()
        assert msg and msg.startswith("CMD_roundstart+1+"), msg


def check_stop(host, workdir, clients):
    assert os.path.exists(os.path.join(workdir, "English"))
    host.proc.send_signal(signal.SIGTERM)
    assert host.proc.wait(timeout=WAIT) == 0
    for c in clients:
        c.wait_closed()
    assert not os.path.exists(os.path.join(workdir, "English")), os.listdir(workdir)


def main():
    binary = os.path.abspath(sys.argv[1])
    top = tempfile.mkdtemp(prefix="glypharo-host-e2e-")
    copy = Copy(top, "host")
    workdir = copy.cwd
    host = ServeHost(binary, copy)
    checks = 0
    try:
        host.wait_line("hosting on port")
        clients = check_full_game(host)
        checks += 1
        check_relay(clients)
        checks += 1
        check_kick(host, clients)
        checks += 1
        check_split_message(clients)
        checks += 1
        check_garbage(host, clients)
        checks += 1
        check_game_start(clients)
        checks += 1
        check_stop(host, workdir, clients)
        checks += 1
    finally:
        host.stop()
        if checks == 7:
            shutil.rmtree(top, ignore_errors=True)
        else:
            print("host log:\n  " + "\n  ".join(host.log), file=sys.stderr)
            print(f"kept {top}", file=sys.stderr)
    print(f"{checks} passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
