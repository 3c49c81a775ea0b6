#!/usr/bin/env python3
"""Bytes the program sends to an 80 x 25 terminal for each typed key.

Usage: bytes_per_key.py PATH_TO_BELLFORM [TERM...] [--length N] [--show]

Runs the program on a pseudo-terminal, types an answer to the first
question one character at a time (waiting each time until the program has
drawn it and is quiet), then one character more at the end of the answer,
then Backspace, and prints the bytes written after each key: the two
figures the terminal traffic is judged by are the character typed at the
end of the answer and the Backspace that takes it away. The terminal types
default to xterm-256color, the answer to 40 characters; --show prints the
bytes of those two keys as well. Only prints: nothing is asserted.
"""

import argparse
import os
import select
import signal
import sys
import time

import pty_program

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


def measure(program, term, length, show):
    pid, fd = pty_program.start([program], term)
    try:
        start = read_until_quiet(fd)
        if b"Input mouth width" not in start:
            sys.exit("no first question; got %r" % start[-200:])
        sent = []
        for i in range(length + 1):
            os.write(fd, b"1234567890"[i % 10:i % 10 + 1])
            sent.append(read_until_quiet(fd))
        os.write(fd, b"\x7f")  # Backspace as a terminal sends it
        backspace = read_until_quiet(fd)
    finally:
        os.kill(pid, signal.SIGTERM)
        os.waitpid(pid, 0)
        os.close(fd)
    print("term %s: start-up: %d bytes" % (term, len(start)))
    print("term %s: bytes per key for keys 1..%d: %s"
          % (term, length, [len(s) for s in sent[:-1]]))
    print("term %s: character typed at the end of a %d-character answer: "
          "%d bytes" % (term, length, len(sent[-1])))
    print("term %s: Backspace at the end of the answer: %d bytes"
          % (term, len(backspace)))
    if show:
        print("  typed:     %r" % sent[-1])
        print("  Backspace: %r" % backspace)


def main():
    parser = argparse.ArgumentParser(description="Bytes sent to the terminal a key.")
    parser.add_argument("program")
    parser.add_argument("terms", nargs="*", default=["xterm-256color"])
    parser.add_argument("--length", type=int, default=40)
    parser.add_argument("--show", action="store_true")
    args = parser.parse_args()
    for term in args.terms:
        measure(args.program, term, args.length, args.show)


if __name__ == "__main__":
    main()
