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

SGR = re.compile(r"\x1b\[([0-9;]*)m")


def text_without_console_colours(rows):
    """The text of a captured screen (capture-pane -e, whose colours carry
    on from row to row) not drawn in explicit colours on black."""
    fg = bg = None
    bad = []
    pos = 0
    screen = "\n".join(rows)
    for m in list(SGR.finditer(screen)) + [None]:
        text = screen[pos:m.start()] if m else screen[pos:]
        if text.strip() and (fg is None or bg != 40):
            bad.append(text)
        if m is None:
            break
        pos = m.end()
        params = [int(p) if p else 0 for p in m.group(1).split(";")]
        i = 0
        while i < len(params):
            p = params[i]
            if p == 0:
                fg = bg = None
            elif 30 <= p <= 37 or 90 <= p <= 97:
                fg = p
            elif p == 39:
                fg = None
            elif 40 <= p <= 47 or 100 <= p <= 107:
                bg = p
            elif p == 49:
                bg = None
            elif p in (38, 48) and i + 2 < len(params):
                if p == 38:
                    fg = params[i + 2]
                else:
                    bg = params[i + 2] + 40 if params[i + 2] == 0 else -1
                i += 2
            i += 1
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
