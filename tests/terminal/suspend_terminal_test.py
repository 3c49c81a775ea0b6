#!/usr/bin/env python3
"""The real program stopped with Ctrl+Z and brought back with fg, in tmux.

Usage: suspend_terminal_test.py PATH_TO_BELLFORM PATH_TO_TMUX

Stopped, the program must give the shell its terminal back whole (off the
alternate screen, the shell's terminal modes, the shell's colours); brought
back, it must take the terminal again, show its screen whole in the
console's colours, with what was half typed, and go on reading keys. Every
wait is bounded.
"""

import os
import re
import shlex
import sys
import unittest

import tmux_pane

BELLFORM = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else ""
tmux_pane.TMUX = sys.argv[2] if len(sys.argv) > 2 else "tmux"

# A colour sequence, or the text up to the next escape.
SGR_OR_TEXT = re.compile(r"\x1b\[([0-9;]*)m|([^\x1b]+)")


def text_without_console_colours(rows):
    """The text of a captured screen (capture-pane -e, whose colours carry
    on from row to row) not drawn in explicit colours on black."""
    fg = bg = None
    bad = []
    for m in SGR_OR_TEXT.finditer("\n".join(rows)):
        if m[2] is not None:
            if m[2].strip() and (fg is None or bg != 40):
                bad.append(m[2])
            continue
        params = iter(int(p or 0) for p in m[1].split(";"))
        for p in params:
            if p == 0:
                fg = bg = None
            elif 30 <= p <= 37 or 90 <= p <= 97 or p == 39:
                fg = None if p == 39 else p
            elif 40 <= p <= 47 or 100 <= p <= 107 or p == 49:
                bg = None if p == 49 else p
            elif p in (38, 48):  # 38;5;N and 48;5;N: N of 256
                next(params, None)
                n = next(params, None)
                if p == 38:
                    fg = n
                else:
                    bg = 40 if n == 0 else -1
    return bad


class SuspendTest(tmux_pane.PaneTest):

    def test_stopped_and_brought_back(self):
        p = self.pane
        self.start_program(shlex.quote(BELLFORM))
        self.type("12\r7")
        p.wait_for("the half typed answer", lambda: any(
            r.startswith("Input mouth height (In.) > 7") for r in p.rows()))
        before = p.rows()

        p.keys("C-z")
        p.wait_for("the alternate screen to be left",
                   lambda: p.var("alternate_on") == "0")
        p.run("stty -g > stopped")
        self.assertEqual(p.wait_for_file("stopped"), p.wait_for_file("before"))

        p.run("fg")
        p.wait_for("the program's screen again",
                   lambda: p.var("alternate_on") == "1" and p.rows() == before)
        self.assertEqual(text_without_console_colours(p.rows(colours=True)),
                         [])

        # It reads keys again: the answer goes on, the next question comes.
        tmux_pane.send_and_wait(p, self.pid, lambda: p.text("0"), "0")
        tmux_pane.send_and_wait(p, self.pid, lambda: p.keys("Enter"), "Enter")
        p.wait_for("the throat question", lambda: any(
            r.startswith("Input throat dimension") for r in p.rows()))
        self.assertIn("Input mouth height (In.) > 70", "\n".join(p.rows()))

        self.assert_terminal_given_back()


if __name__ == "__main__":
    if not os.access(BELLFORM, os.X_OK):
        sys.exit("usage: suspend_terminal_test.py BELLFORM [TMUX]")
    unittest.main(argv=sys.argv[:1], verbosity=2)
