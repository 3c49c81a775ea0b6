#!/usr/bin/env python3
"""The console on a real terminal: console_probe driven through tmux.

Usage: terminal_test.py PATH_TO_CONSOLE_PROBE PATH_TO_TMUX

Each test runs a shell in a detached 80x25 tmux pane, starts the probe from
it, types keys one at a time (the key reader discards input typed ahead, so
each key waits until the previous one has been drawn), reads the screen
back, and checks that the shell gets its terminal back whole: off the
alternate screen and with the same terminal modes (stty -g), after a normal
exit and after Ctrl+C. Every wait is bounded.
"""

import os
import shlex
import sys
import time
import unittest

import tmux_pane
from tmux_pane import TIMEOUT

PROBE = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else ""
tmux_pane.TMUX = sys.argv[2] if len(sys.argv) > 2 else "tmux"
PROMPT = "Type a line: "
TITLE = "Bellform console probe"


class TerminalTest(tmux_pane.PaneTest):

    # -- helpers ------------------------------------------------------------

    def start_probe(self, term=None):
        """The probe, under the pane's terminal type or `term`."""
        self.start_program(("TERM=%s " % term if term else "") + shlex.quote(PROBE),
                           PROMPT.rstrip(), "console_probe", alternate=term is None)

    def type_key(self, key, line, column, literal=False):
        """Types one key, waits until the probe waits for the next one, and
        checks the line and the cursor. A key typed before that would be
        discarded with the rest of the input typed ahead."""
        p = self.pane
        tmux_pane.send_and_wait(
            p, self.pid, lambda: p.text(key) if literal else p.keys(key),
            "the probe to take %r" % key)
        expected = PROMPT + line
        p.wait_for("%r to give %r at column %d" % (key, line, column),
                   lambda: p.rows()[2].rstrip() == expected.rstrip()
                   and p.var("cursor_x") == str(column))

    def assert_terminal_given_back(self, status, keys):
        super().assert_terminal_given_back(status, keys)
        self.assertNotIn("Red line", "\n".join(self.pane.rows()))

    def log_size(self, path):
        """The size of the pane's output log once it has stopped growing."""
        last, stable_since = -1, time.monotonic()
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            size = os.path.getsize(path) if os.path.exists(path) else 0
            if size != last:
                last, stable_since = size, time.monotonic()
            elif time.monotonic() - stable_since > 0.1:
                return size
            time.sleep(0.02)
        return last

    # -- tests ----------------------------------------------------------------

    def test_colours_editing_and_exit(self):
        p = self.pane
        self.start_probe()
        self.assertEqual(p.var("pane_title"), TITLE)
        rows = p.rows()
        self.assertEqual(rows[0].rstrip(), "Red line")
        self.assertEqual(rows[1].rstrip(), "Green line \u253c field mark")
        coloured = p.rows(colours=True)
        self.assertIn("\x1b[31m", coloured[0].split("Red line")[0])
        self.assertIn("\x1b[32m", coloured[1].split("Green line")[0])
        self.assertEqual(p.var("cursor_x"), str(len(PROMPT)))

        log = p.file("output.log")
        p.tmux("pipe-pane", "-t", "probe", "cat >> " + shlex.quote(log))
        bytes_per_key = []
        # Keys that change nothing on the screen must still be understood:
        # an unknown sequence would arrive as Esc and characters.
        mouse_press = "\x1b[M !!"  # left button at 0,0
        # key, send it as text, the line after it, the cursor in the line
        for key, literal, line, at in [("1", True, "1", 1),
                                       ("2", True, "12", 2),
                                       ("Left", False, "12", 1),
                                       # Typed, a non-breaking space and a
                                       # small square are no keys: neither
                                       # repeats Left nor acts as a click.
                                       ("\u00a0", True, "12", 1),
                                       ("\u25a0", True, "12", 1),
                                       ("x", True, "1x2", 2),
                                       ("BSpace", False, "12", 1),
                                       ("End", False, "12", 2),
                                       ("\u00e9", True, "12\u00e9", 3),
                                       ("Escape", False, "12\u00e9", 0),
                                       ("DC", False, "2\u00e9", 0),
                                       ("IC", False, "2\u00e9", 0),
                                       ("3", True, "3\u00e9", 1),
                                       ("F1", False, "3\u00e9", 1),
                                       ("S-F12", False, "3\u00e9", 1),
                                       (mouse_press, True, "3\u00e9", 1),
                                       ("Home", False, "3\u00e9", 0),
                                       ("End", False, "3\u00e9", 2)]:
            before = self.log_size(log)
            self.type_key(key, line, len(PROMPT) + at, literal)
            bytes_per_key.append((key, self.log_size(log) - before))
        p.tmux("pipe-pane", "-t", "probe")
        print("bytes sent to the terminal per key:", bytes_per_key,
              file=sys.stderr)
        # A whole 80x25 screen is some 2000 bytes: a key must cost a few
        # cells, not a redraw.
        for key, sent in bytes_per_key:
            self.assertLess(sent, 200, "key %r" % key)

        # A smaller terminal shows what fits; back at full size, all of it.
        p.tmux("resize-window", "-t", "probe", "-x", "20", "-y", "10")
        p.wait_for("the small screen", lambda: p.rows()[1].rstrip()
                   == "Green line \u253c field m")
        p.tmux("resize-window", "-t", "probe", "-x", "80", "-y", "25")
        p.wait_for("the full screen", lambda: p.rows()[1].rstrip()
                   == "Green line \u253c field mark"
                   and p.var("cursor_x") == str(len(PROMPT) + 2))

        p.keys("Enter")
        p.wait_for("the echo", lambda: p.rows()[3].rstrip()
                   == "You typed: 3\u00e9")
        yellow = p.rows(colours=True)[3].split("You typed")[0]
        self.assertTrue(any(s in yellow for s in
                            ("\x1b[93m", "\x1b[1m\x1b[33m", "\x1b[1;33m",
                             "38;5;11m")), repr(yellow))
        self.assert_terminal_given_back(0, ("q",))

    def test_ctrl_c_gives_the_terminal_back(self):
        self.start_probe()
        self.type_key("7", "7", len(PROMPT) + 1, literal=True)
        self.assert_terminal_given_back(130, ("C-c",))

    def test_backspace_where_terminfo_says_ctrl_h(self):
        # vt220's terminfo gives ^H as its Backspace key, yet the key of most
        # terminals sends DEL: both erase.
        self.start_probe(term="vt220")
        for key, line in [("1", "1"), ("2", "12"), ("3", "123"),
                          ("\x7f", "12"), ("\x08", "1")]:
            self.type_key(key, line, len(PROMPT) + len(line), literal=True)
        self.pane.keys("Enter")
        self.pane.wait_for("the echo", lambda: self.pane.rows()[3].rstrip()
                           == "You typed: 1")
        self.assert_terminal_given_back(0, ("q",))

    def test_unknown_terminal_type(self):
        p = self.pane
        p.run("TERM=nonesuch %s 2> %s; echo $? > %s" % (
            shlex.quote(PROBE), shlex.quote(p.file("err")),
            shlex.quote(p.file("status"))))
        self.assertEqual(p.wait_for_file("status"), "2")
        with open(p.file("err")) as f:
            lines = f.read().splitlines()
        self.assertEqual(len(lines), 1, lines)
        self.assertTrue(lines[0].startswith("bellform: no terminal: "))


if __name__ == "__main__":
    if not os.access(PROBE, os.X_OK):
        sys.exit("usage: terminal_test.py CONSOLE_PROBE [TMUX]")
    unittest.main(argv=sys.argv[:1], verbosity=2)
