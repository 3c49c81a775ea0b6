#!/usr/bin/env python3
"""Instructions the real program executes for one whole scripted dialogue.

Usage: instructions.py PATH_TO_BELLFORM [TERM] [--top N]

Runs the program under valgrind's callgrind on an 80 x 25 pseudo-terminal,
in a scratch directory, and types the worked example (12, 12, 2, Enter),
the data file (F, 0.5), the AutoCAD script (M, A) and an empty line to end
it, one key at a time, each once the program waits for the next. Prints the
total instructions (callgrind's Ir), start-up and exit included, and where
they went: the dynamic loader, curses and terminfo, the C library's
formatted printing, the C library's and C++ library's remainder, and the
program itself. Only prints: the figures depend on the libraries installed.
The terminal type defaults to xterm-256color; --top N lists the N
functions that cost the most.
"""

import argparse
import os
import re
import select
import shutil
import sys
import tempfile
import time

import pty_program

# Whether the program waits for a key, read from /proc as the terminal tests do.
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "terminal"))
from tmux_pane import waits

LIMIT = 60.0   # seconds to wait for the program to take a key (valgrind is slow)
KEYS = ["1", "2", "\r", "1", "2", "\r", "2", "\r", "\r",
        "F", "\r", "0", ".", "5", "\r",
        "M", "\r", "A",
        "\r"]


def drain(fd):
    try:
        while select.select([fd], [], [], 0)[0]:
            if not os.read(fd, 65536):
                return False
    except OSError:
        return False
    return True


def wait_for_key_wait(pid, fd, before):
    """Until the process sleeps again after `before` (blocked on the
    terminal), the output read all along so that it never blocks writing."""
    deadline = time.monotonic() + LIMIT
    while time.monotonic() < deadline:
        if not drain(fd):
            return
        now = waits(pid)
        if now is None:
            return
        if now[1] == "S" and (before is None or now[0] > before[0]):
            # Sleeping: it may be reading the terminal, or writing; quiet
            # output for a moment tells the two apart.
            time.sleep(0.05)
            if not select.select([fd], [], [], 0)[0]:
                again = waits(pid)
                if again is not None and again[1] == "S":
                    return
        time.sleep(0.01)
    sys.exit("timed out: the program did not take a key")


def group(obj, fn):
    if "ld-linux" in obj:
        return "dynamic loader"
    if "curses" in obj or "tinfo" in obj:
        return "curses and terminfo"
    if "libc.so" in obj and re.search(r"printf|vfprintf|printf_positional|"
                                      r"__printf_fp|_IO_vf|__mpn_|hack_digit|_IO_str|_IO_default_xsputn|_IO_padn|strchrnul|_itoa|_IO_setb|_IO_no_init|_IO_old_init",
                                      fn):
        return "printf family"
    if "libc.so" in obj:
        return "C library, the rest"
    if "libstdc++" in obj or "libgcc" in obj or "libm" in obj:
        return "C++ runtime and libm"
    return "the program itself"


def self_costs(path):
    """The total Ir, and each function's own Ir summed into groups, read
    from callgrind's output file (names compressed as "(id) name")."""
    names = {}

    def name(kind, text):
        m = re.match(r"\((\d+)\)(?: (.*))?$", text)
        if not m:
            return text
        key = (kind, m.group(1))
        if m.group(2) is not None:
            names[key] = m.group(2)
        return names.get(key, "")

    total = None
    groups = {}
    functions = {}
    obj = fn = ""
    skip_next = False
    with open(path) as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith(("summary:", "totals:")):
                total = int(line.split()[1])
            elif line.startswith("ob="):
                obj = name("ob", line[3:])
            elif line.startswith("fn="):
                fn = name("fn", line[3:])
            elif line.startswith(("cob=", "cfn=", "cfi=", "cfl=")):
                kind = "ob" if line.startswith("cob=") else \
                       "fn" if line.startswith("cfn=") else "fl"
                name(kind, line[4:])
            elif line.startswith(("fl=", "fi=", "fe=")):
                name("fl", line[3:])
            elif line.startswith("calls="):
                skip_next = True  # the next line is the call's inclusive cost
            elif line[:1].isdigit() or line[:1] in "+-*":
                if skip_next:
                    skip_next = False
                    continue
                parts = line.split()
                if len(parts) >= 2:
                    key = group(obj, fn)
                    groups[key] = groups.get(key, 0) + int(parts[-1])
                    f = (os.path.basename(obj), fn)
                    functions[f] = functions.get(f, 0) + int(parts[-1])
    return total, groups, functions


def main():
    parser = argparse.ArgumentParser(description="Instructions of a scripted dialogue.")
    parser.add_argument("program")
    parser.add_argument("term", nargs="?", default="xterm-256color")
    parser.add_argument("--top", type=int, default=0)
    args = parser.parse_args()
    program, term, top = os.path.abspath(args.program), args.term, args.top
    valgrind = shutil.which("valgrind")
    if valgrind is None:
        sys.exit("instructions.py: valgrind is not installed")
    work = tempfile.mkdtemp(prefix="bellform-ir-")
    out = os.path.join(work, "callgrind.out")
    pid, fd = pty_program.start([valgrind, "--tool=callgrind", "-q",
                                 "--callgrind-out-file=" + out, program], term, work)
    wait_for_key_wait(pid, fd, None)
    for key in KEYS:
        before = waits(pid)
        os.write(fd, key.encode())
        wait_for_key_wait(pid, fd, before)
    deadline = time.monotonic() + LIMIT
    status = None
    while time.monotonic() < deadline:
        drain(fd)
        done, status = os.waitpid(pid, os.WNOHANG)
        if done:
            break
        time.sleep(0.05)
    else:
        os.kill(pid, 15)
        os.waitpid(pid, 0)
        sys.exit("the program did not end at the empty line")
    if not os.WIFEXITED(status) or os.WEXITSTATUS(status) != 0:
        sys.exit("the program ended with status %r" % status)
    for name in ("bellform.txt", "horn.scr"):
        if not os.path.exists(os.path.join(work, name)):
            sys.exit("the dialogue did not write " + name)

    total, groups, functions = self_costs(out)
    shutil.rmtree(work, ignore_errors=True)
    if total is None:
        sys.exit("no total in callgrind's output")
    print("term %s: the scripted dialogue (12, 12, 2, Enter; F 0.5; M A; "
          "exit): %d instructions (%.1f M)" % (term, total, total / 1e6))
    for name, ir in sorted(groups.items(), key=lambda kv: -kv[1]):
        print("  %-22s %6.2f M" % (name, ir / 1e6))
    if top:
        print("the %d costliest functions (their own instructions):" % top)
        for (obj, fn), ir in sorted(functions.items(),
                                    key=lambda kv: -kv[1])[:top]:
            print("  %8d  %s  [%s]" % (ir, fn[:70], obj))


if __name__ == "__main__":
    main()
