"""The command line of the real program, started without a terminal.

Usage: options_test.py VERSION COMMAND...   (COMMAND: the program, after the
emulator that runs it, if any). Each case runs in a new session with no
controlling terminal and an empty directory, and must leave it empty.
"""

import os
import re
import subprocess
import sys
import tempfile
import unittest

VERSION = COMMAND = None

HELP = re.compile(r"^Usage: bellform .*\nOptions:\n.*--version.*\nExit status:\n", re.S)


def refusal(argument):
    return "bellform: unknown option '%s'\nTry 'bellform --help'.\n" % argument


class OptionsTest(unittest.TestCase):
    def run_program(self, arguments, stdout=subprocess.PIPE):
        with tempfile.TemporaryDirectory() as workdir:
            done = subprocess.run(COMMAND + arguments, stdin=subprocess.DEVNULL,
                                  stdout=stdout, stderr=subprocess.PIPE,
                                  cwd=workdir, start_new_session=True, timeout=60)
            self.assertEqual(os.listdir(workdir), [])
        # A Windows program ends its lines with CR LF.
        text = lambda b: (b or b"").decode().replace("\r\n", "\n")
        return done.returncode, text(done.stdout), text(done.stderr)

    def test_options_and_statuses(self):
        version = re.compile(re.escape("bellform %s\n" % VERSION) + "$")
        nothing = re.compile("$")
        cases = [
            # arguments, status, standard output (pattern), standard error
            (["--help"], 0, HELP, ""),
            (["-h"], 0, HELP, ""),
            (["/?"], 0, HELP, ""),
            (["--version", "-h"], 0, HELP, ""),
            (["-h", "-V"], 0, HELP, ""),
            (["--version"], 0, version, ""),
            (["-V"], 0, version, ""),
            (["--mm", "--version"], 0, version, ""),
            (["--mm", "--mm", "-h"], 0, HELP, ""),
            (["--mm", "mm"], 2, nothing, refusal("mm")),
            (["--frobnicate"], 2, nothing, refusal("--frobnicate")),
            (["12"], 2, nothing, refusal("12")),
            (["--help", "extra"], 2, nothing, refusal("extra")),
            (["-hV"], 2, nothing, refusal("-hV")),
            (["--Help"], 2, nothing, refusal("--Help")),
        ]
        for arguments, status, out, err in cases:
            with self.subTest(arguments=arguments):
                got = self.run_program(arguments)
                self.assertEqual(got[0], status, "standard error: %r" % got[2])
                self.assertRegex(got[1], out)
                self.assertEqual(got[2], err)

    def test_help_fits_the_screen(self):
        status, out, _ = self.run_program(["--help"])
        self.assertEqual(status, 0)
        long_lines = [l for l in out.splitlines() if len(l) > 79]
        self.assertEqual(long_lines, [])

    def test_output_that_cannot_be_written(self):
        with open("/dev/full", "wb") as full:
            status, _, err = self.run_program(["--version"], stdout=full)
        self.assertEqual(status, 1)
        self.assertRegex(err, "^bellform: cannot write to standard output: .*\n$")


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: options_test.py VERSION COMMAND...")
    VERSION, COMMAND = sys.argv[1], sys.argv[2:]
    unittest.main(argv=sys.argv[:1], verbosity=2)
