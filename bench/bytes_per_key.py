#!/usr/bin/env python3
"""Bytes the program sends to an 80 x 25 terminal for each typed key.

Usage: bytes_per_key.py PATH_TO_BELLFORM [TERM] [ANSWER_LENGTH]

Runs the program on a pseudo-terminal, types an answer to the first
question one character at a time (waiting each time until the program has
drawn it and is quiet), then one character more at the end of the answer,
and prints the bytes written after each key. The terminal type defaults to
xterm-256color, the answer to 40 characters.
"""

import os
import pty
import select
import signal
import struct
import sys
import termios
import fcntl
import time

QUIET = 0.15   # seconds without output: the key has been drawn
LIMIT = 5.0    # seconds to wait for anything at all


def read_until_quiet(fd):
    data = b""
    deadline = time.monotonic() + LIMIT
    while time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], QUIET)
        if not ready:
            if data:
                return data
            continue
        try:
            chunk = os.read(fd, 65536)
        except OSError:
            return data
        if not chunk:
            return data
        data += chunk
    return data


def main():
    program = sys.argv[1]
    term = sys.argv[2] if len(sys.argv) > 2 else "xterm-256color"
    length = int(sys.argv[3]) if len(sys.argv) > 3 else 40
    pid, fd = pty.fork()
    if pid == 0:
        os.environ.update(TERM=term, LANG="C.UTF-8", LC_ALL="C.UTF-8")
        os.execv(program, [program])
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", 25, 80, 0, 0))
    start = read_until_quiet(fd)
    if b"Input mouth width" not in start:
        sys.exit("no first question; got %r" % start[-200:])
    print("start-up: %d bytes" % len(start))
    counts = []
    for i in range(length + 1):
        os.write(fd, b"1234567890"[i % 10:i % 10 + 1])
        counts.append(len(read_until_quiet(fd)))
    print("term %s: bytes per key for keys 1..%d: %s"
          % (term, length, counts[:-1]))
    print("term %s: key typed at the end of a %d-character answer: %d bytes"
          % (term, length, counts[-1]))
    os.kill(pid, signal.SIGTERM)
    os.waitpid(pid, 0)


if __name__ == "__main__":
    main()
