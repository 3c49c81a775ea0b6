#!/usr/bin/env python3
"""The real program on a real terminal, given what a user should not do:
Ctrl+C at every prompt, a terminal smaller than 80 x 25, no terminal at all.

Usage: bad_input_terminal_test.py PATH_TO_BELLFORM PATH_TO_TMUX

After Ctrl+C the shell must get its terminal back whole (off the alternate
screen, the same terminal modes), the status must be that of SIGINT, and no
file may be left half-written. Every wait is bounded.
"""

import os
import shlex
import signal
import subprocess
import sys
import time
import unittest

import tmux_pane
from tmux_pane import TIMEOUT

BELLFORM = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else ""
tmux_pane.TMUX = sys.argv[2] if len(sys.argv) > 2 else "tmux"
WORKED_EXAMPLE = "12\r12\r2\r\r"
FILES = ("bellform.txt", "horn.scr", "horn.mcr")


class BadInputTerminalTest(tmux_pane.PaneTest):

    def start(self):
        self.start_program(shlex.quote(BELLFORM))

    def test_ctrl_c_at_every_prompt(self):
        # What is typed before Ctrl+C, and the files that must be whole then.
        prompts = [
            ("", "mouth width"),
            ("12\r", "mouth height"),
            ("12\r12\r", "throat"),
            ("12\r12\r2\r", "driver diameter"),
            ("12\r12\r2\r1.5", "driver diameter, half typed"),
            (WORKED_EXAMPLE, "command line"),
            (WORKED_EXAMPLE + "F\r", "step"),
            (WORKED_EXAMPLE + "F\r0.5\r", "command line after the file"),
            (WORKED_EXAMPLE + "M\r", "macro question"),
            (WORKED_EXAMPLE + "M\rA", "command line after the macro"),
        ]
        for typed, where in prompts:
            with self.subTest(where):
                for name in FILES:
                    if os.path.exists(self.pane.file(name)):
                        os.remove(self.pane.file(name))
                self.start()
                self.type(typed)
                self.assert_terminal_given_back()
                written = sorted(n for n in FILES
                                 if os.path.exists(self.pane.file(n)))
                if "F\r0.5\r" in typed:
                    self.assertEqual(written, ["bellform.txt"])
                    self.assert_data_file_whole()
                elif "M\rA" in typed:
                    self.assertEqual(written, ["horn.scr"])
                else:
                    self.assertEqual(written, [])

    def assert_data_file_whole(self):
        with open(self.pane.file("bellform.txt"), "rb") as f:
            text = f.read()
        self.assertTrue(text.startswith(b"Top and bottom piece length=11.27"))
        self.assertTrue(text.endswith(b"  Extention (b)=2.02008 In.\n"), text)

    def test_small_terminal_shows_what_fits(self):
        p = self.pane
        p.tmux("resize-window", "-t", "probe", "-x", "40", "-y", "12")
        self.start()
        self.type(WORKED_EXAMPLE)
        # The top left of the console: the first 40 columns of 12 rows.
        p.wait_for("the report's corner", lambda: p.rows()[0].rstrip()
                   == "Top and bottom piece length=11.27 In. **")
        self.assertEqual(p.rows()[11].rstrip(), " 8.00   2.063   9.098   2.205   37.538")
        # Back at full size, the whole report and the command line.
        p.tmux("resize-window", "-t", "probe", "-x", "80", "-y", "25")
        p.wait_for("the whole report", lambda: p.rows()[18].startswith(
            " Input new length (mouth to 2.00 x 2.00 square throat In) >"))
        self.type("F\r0.5\r")
        p.wait_for("the notice", lambda: p.rows()[1].rstrip()
                   == "Data file is: bellform.txt")
        self.assert_data_file_whole()
        p.keys("Enter")
        p.wait_for("the program to end", lambda: p.var("alternate_on") == "0")

    def test_terminal_gone_with_hangup_ignored(self):
        # Started with SIGHUP ignored (nohup), the program outlives its
        # terminal. Its reads then fail for good: it must end at once with
        # status 1 and its message, not wait or spin.
        p = self.pane
        # Under AddressSanitizer the leak check at exit stops the process
        # to read its memory; with the session's leader gone it now and then
        # never resumes. Leaks are checked on every other path.
        p.run("cd %s && clear && (trap '' HUP; "
              "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 %s 2> err; "
              "echo $? > status)" % (shlex.quote(self.workdir), shlex.quote(BELLFORM)))
        p.wait_for("the first question",
                   lambda: "Input mouth width" in "\n".join(p.rows()))
        pid = tmux_pane.pid_in("bellform", self.workdir)
        p.close()  # the terminal closed, the shell in it hung up
        status = p.file("status")
        deadline = time.monotonic() + TIMEOUT
        while not tmux_pane.written(status) and time.monotonic() < deadline:
            time.sleep(0.02)
        if not tmux_pane.written(status) and pid:
            os.kill(int(pid), signal.SIGKILL)  # no hangup will end it
        self.assertTrue(tmux_pane.written(status), "still running %gs after the "
                        "terminal closed" % TIMEOUT)
        with open(status) as f:
            self.assertEqual(f.read(), "1\n")
        with open(p.file("err")) as f:
            self.assertEqual(f.read(), "bellform: the terminal's input is gone\n")

    def test_no_terminal(self):
        # A new session has no controlling terminal: /dev/tty cannot open.
        done = subprocess.run([BELLFORM], stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, cwd=self.workdir,
                              start_new_session=True, timeout=TIMEOUT)
        self.assertEqual(done.returncode, 2)
        self.assertEqual(done.stdout, "")
        lines = done.stderr.splitlines()
        self.assertEqual(len(lines), 1, lines)
        self.assertTrue(lines[0].startswith("bellform: no terminal: "), lines)
        self.assertEqual(sorted(os.listdir(self.workdir)), ["tmux.sock"])


if __name__ == "__main__":
    if not os.access(BELLFORM, os.X_OK):
        sys.exit("usage: bad_input_terminal_test.py BELLFORM [TMUX]")
    unittest.main(argv=sys.argv[:1], verbosity=2)
