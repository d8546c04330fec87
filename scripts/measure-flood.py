#!/usr/bin/env python3
"""Floods kova-cli with received text from a pseudo-terminal peer and checks
what reaches the communication window (--comm) and the status entries.

The peer answers the host check as a host module does, and floods N bytes
of numbered lines when the sub-module scan starts (received text is shown
then). Two peers:
  waits  writes as fast as the pty takes bytes and waits when it is full
         (as a sender held by RTS does): nothing may be lost;
  deaf   writes as fast as it can and drops what the pty does not take at
         once (a sender that honours nothing): what it delivered must be
         shown whole and in order; what it dropped it counts itself (a pty
         keeps no loss counters, so the PC cannot know it).

  scripts/measure-flood.py [--build build] [--bytes 1048576] waits|deaf
"""

import argparse
import errno
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HOST_ANSWERS = {
    "+++": b"\r\nOK\r\n",
    "ATH": b"\r\nDISCONNECT\r\n",
    "AT+BTINFO?": b"\r\n00000000F001,KOVA-TRX,MODE0,STANDBY,0,0,HWFC\r\n\r\nOK\r\n",
}


def flood_text(size):
    lines = []
    total = 0
    n = 0
    while total < size:
        line = b"%07d ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789\r\n" % n
        lines.append(line)
        total += len(line)
        n += 1
    return b"".join(lines)[:size]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("peer", choices=["waits", "deaf"])
    parser.add_argument("--build", default="build")
    parser.add_argument("--bytes", type=int, default=1 << 20)
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="kova-flood-")
    env = dict(os.environ, XDG_CONFIG_HOME=work + "/config", XDG_DATA_HOME=work + "/data")
    master, slave = os.openpty()
    slave_path = os.ttyname(slave)
    os.set_blocking(master, False)
    comm_path = work + "/comm.txt"
    err_path = work + "/err.txt"
    cli = subprocess.Popen(
        [args.build + "/cli/kova-cli", "--port", slave_path, "--comm", comm_path, "scan"],
        env=env, stdout=subprocess.DEVNULL, stderr=open(err_path, "wb"), stdin=subprocess.DEVNULL)

    flood = flood_text(args.bytes)
    delivered = []          # the pieces the pty took, in order
    command = b""
    flooding = False
    sent = 0
    start = None

    def answer(data):
        nonlocal command, flooding
        command += data
        while b"\r" in command:
            line, command = command.split(b"\r", 1)
            text = line.decode("latin-1").strip()
            if text in HOST_ANSWERS:
                os.write(master, HOST_ANSWERS[text])
            elif text == "AT+BTINQ?":
                flooding = True
            elif text:
                os.write(master, b"\r\nOK\r\n")

    def read_master(timeout):
        ready, _, _ = select.select([master], [], [], timeout)
        if ready:
            try:
                answer(os.read(master, 4096))
            except OSError as e:
                if e.errno not in (errno.EAGAIN, errno.EIO):
                    raise

    deadline = time.time() + 30
    while not flooding and time.time() < deadline and cli.poll() is None:
        read_master(0.05)
    if not flooding:
        print("the scan never started:", open(err_path, "rb").read().decode("latin-1"))
        cli.kill()
        shutil.rmtree(work, ignore_errors=True)
        return 1

    start = time.time()
    while sent < len(flood):
        chunk = flood[sent:sent + 4096]
        if args.peer == "waits":
            select.select([], [master], [], 1.0)
        try:
            n = os.write(master, chunk)
        except BlockingIOError:
            n = 0
        if n > 0:
            delivered.append(flood[sent:sent + n])
        # The waiting peer sends the rest later; the deaf one has lost it.
        sent += n if args.peer == "waits" else len(chunk)
        read_master(0)
    write_seconds = time.time() - start
    expected = b"".join(delivered)

    # Until everything delivered is shown (or nothing more comes for 10 s).
    last_size = -1
    quiet_since = time.time()
    comm = b""
    while True:
        read_master(0.05)
        comm = open(comm_path, "rb").read() if os.path.exists(comm_path) else b""
        if expected in comm:
            break
        if len(comm) != last_size:
            last_size, quiet_since = len(comm), time.time()
        elif time.time() - quiet_since > 10:
            break
    shown_seconds = time.time() - start

    cli.send_signal(signal.SIGINT)
    deadline = time.time() + 20
    while cli.poll() is None and time.time() < deadline:
        read_master(0.05)
    if cli.poll() is None:
        cli.kill()
    err = open(err_path, "rb").read().decode("latin-1")

    in_order = expected in comm
    notices = err.count("!! Receive buffer over!")
    lost_lines = [l for l in err.splitlines() if "bytes lost" in l]
    print("peer:                 %s" % args.peer)
    print("flood:                %d bytes" % len(flood))
    print("taken by the pty:     %d bytes (peer dropped %d)" % (len(expected), len(flood) - len(expected)))
    print("shown in order:       %s (%d bytes in the comm file)" % ("yes" if in_order else "NO", len(comm)))
    print("time to show:         %.2f s (%.1f MB/s; the peer wrote for %.2f s)"
          % (shown_seconds, len(expected) / shown_seconds / 1e6, write_seconds))
    print("notices:              %d" % notices)
    print("lost-byte status:     %s" % (lost_lines[-1].strip() if lost_lines else "none (nothing reported lost)"))
    shutil.rmtree(work, ignore_errors=True)
    return 0 if in_order and notices <= 1 else 1


if __name__ == "__main__":
    sys.exit(main())
