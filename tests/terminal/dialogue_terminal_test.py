#!/usr/bin/env python3
"""The real program in a real terminal: the worked example typed one key at
a time, the data file, the two macro files and the two drawings, and the
exit status.

Usage: dialogue_terminal_test.py PATH_TO_BELLFORM PATH_TO_TMUX DATA_DIR DOCS_DIR
"""

import os
import shlex
import sys
import unittest

import tmux_pane

BELLFORM = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else ""
tmux_pane.TMUX = sys.argv[2] if len(sys.argv) > 2 else "tmux"
DATA = sys.argv[3] if len(sys.argv) > 3 else ""
DOCS = sys.argv[4] if len(sys.argv) > 4 else ""


def contents(folder, name):
    with open(os.path.join(folder, name), "rb") as f:
        return f.read()


class DialogueTest(tmux_pane.PaneTest):

    def test_worked_example_files_and_exit(self):
        p = self.pane
        self.start_program(shlex.quote(BELLFORM), "Input mouth width  (In.) >")
        self.type("12\r12\r2\r\r")
        rows = p.rows()
        self.assertEqual(rows[0].rstrip(),
                         "Top and bottom piece length=11.27 In. ** Angle=52.7 Deg.")
        self.assertTrue(rows[16].startswith(
            "Throat to 2 In diameter driver adapter thickness=0.81 In. (Fc=283 Hz)"))

        self.type("F\r0.5\r")
        self.assertEqual(p.rows()[1].rstrip(), "Data file is: bellform.txt")
        self.type("M\rA")
        self.type("m\rg")
        self.assertEqual(p.rows()[1].rstrip(), "Macro file is: horn.mcr")
        self.type("m\rd")
        self.type("m\rs")
        self.assertEqual(p.rows()[1].rstrip(), "Drawing file is: horn.svg")
        self.assertEqual(p.rows()[2].rstrip(), "Pages to print are: horn-pages.pdf")

        self.assert_terminal_given_back(0, ("Enter",))

        for name in ("bellform.txt", "horn.scr", "horn.mcr", "horn.dxf", "horn.svg",
                     "horn-pages.pdf"):
            # The worked example's SVG is the README's picture, with its pages.
            folder = DOCS if name.endswith((".svg", ".pdf")) else DATA
            self.assertEqual(contents(self.workdir, name), contents(folder, name), name)

    def test_millimetres(self):
        p = self.pane
        self.start_program(shlex.quote(BELLFORM) + " --mm", "Input mouth width  (mm) >")
        # Two answers pasted whole, each with its Enter in the same burst,
        # one with a decimal comma: nothing of them is lost.
        for answer in ("304,8", "304.8"):
            tmux_pane.send_and_wait(p, self.pid, lambda a=answer: p.keys(a, "Enter"),
                                    "the program to take %r" % answer)
        self.type("50,8\r\r")
        self.assertEqual(p.rows()[0].rstrip(),
                         "Top and bottom piece length=286.3 mm ** Angle=52.7 Deg.")
        self.type("M\rD")
        self.assert_terminal_given_back(0, ("Enter",))
        self.assertEqual(contents(self.workdir, "horn.dxf"), contents(DATA, "horn-mm.dxf"))


if __name__ == "__main__":
    if not os.access(BELLFORM, os.X_OK) or not os.path.isdir(DATA) \
            or not os.path.isdir(DOCS):
        sys.exit("usage: dialogue_terminal_test.py BELLFORM TMUX DATA_DIR DOCS_DIR")
    unittest.main(argv=sys.argv[:1], verbosity=2)
