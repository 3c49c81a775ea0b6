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
        """The status, standard output as bytes, standard error (a Windows
        program's CR LF read as LF), and the files left."""
        with tempfile.TemporaryDirectory() as workdir:
            done = subprocess.run(COMMAND + arguments, stdin=subprocess.DEVNULL,
                                  stdout=stdout, stderr=subprocess.PIPE,
                                  cwd=workdir, start_new_session=True, timeout=60)
            files = sorted(os.listdir(workdir))
        err = done.stderr.decode().replace("\r\n", "\n")
        return done.returncode, done.stdout or b"", err, files

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
                self.assertRegex(got[1].decode().replace("\r\n", "\n"), out)
                self.assertEqual(got[2:], (err, []))

    def test_design_on_the_command_line(self):
        horn = ["--mouth", "12x12", "--throat", "2"]
        usage = lambda why: "bellform: %s\nTry 'bellform --help'.\n" % why
        cases = [
            # arguments, status, standard error (pattern), files left
            (horn[:2], 2, usage("--throat is missing"), []),
            (horn[2:] + ["--txt", "a"], 2, usage("--mouth is missing"), []),
            (["--mouth", "12", "--throat", "2"], 2,
             usage("--mouth: '12' is not a width and a height \\(WxH\\)"), []),
            (horn[:3] + ["2abc"], 2, usage("--throat: '2abc' is not a number"), []),
            (horn[:3] + [""], 2, usage("--throat: '' is not a number"), []),
            (horn + ["--length", "inf"], 2, usage("--length: 'inf' is not a number"), []),
            (horn + ["--driver=nan"], 2, usage("--driver: 'nan' is not a number"), []),
            (horn[:3], 2, usage("option '--throat' needs a value \\(T\\)"), []),
            (horn + ["--txt", "-", "--dxf", "-"], 2,
             usage("only one output may go to standard output \\('-'\\)"), []),
            (horn + ["--step", "0.5", "--dxf", "a"], 2,
             usage("--step is the data file's: it needs --txt"), []),
            (horn + ["--dxf", "a", "--dxf", "b"], 2, usage("--dxf is given twice"), []),
            (horn + ["--response-csv", "a"], 2,
             usage("the response needs the driver's parameters: --driver-file"), []),
            (horn + ["--response-zma", "a"], 2,
             usage("the response needs the driver's parameters: --driver-file"), []),
            (horn + ["--driver-file", "d", "--dxf", "a"], 2,
             usage("--driver-file is the response's: it needs --response-csv, --response-svg,"
                   " --response-frd or --response-zma"), []),
            (horn + ["--svg", "a", "--frobnicate"], 2, usage("unknown option '--frobnicate'"), []),
            (horn + ["--pdf", "a", "--paper", "a3"], 2, usage("--paper: 'a3' is not letter or a4"), []),
            (horn + ["--svg", "a", "--paper=a4"], 2, usage("--paper is the pages': it needs --pdf"), []),
            (horn + ["--length", "1e6", "--pdf", "a", "--svg", "b"], 1,
             "bellform: note: .*\nbellform: cannot write 'a': over 1000 pages\n", []),
            (["--mouth", "12x12", "--throat", "0", "--txt", "a"], 1,
             "bellform: The throat side must not be zero.\n", []),
            (["--mouth", "12x12", "--throat", "-2", "--txt", "a"], 1,
             "bellform: The throat side must not be negative.\n", []),
            (horn + ["--length", "0", "--txt", "a"], 1,
             "bellform: That length is too large or too small to lay out.\n", []),
            (horn + ["--txt", "a", "--step", "0.001", "--scr", "b"], 1,
             "bellform: Step too small: over 499 stations. Smallest step that fits: 0.03 In.\n", []),
            (horn + ["--txt", "a", "--step", "-1"], 1,
             "bellform: The step must be a number above 0 In.\n", []),
            (horn + ["--length", "-5", "--scr", "b", "--dxf", "a"], 1,
             "bellform: Nothing to draw: the piece has fewer than two stations.\n", []),
            (horn + ["--length", "-5", "--impedance-csv", "a", "--txt", "b"], 1,
             "bellform: Nothing to compute: the horn has no length.\n", []),
            (["--mouth", "1e-150x1e-150", "--throat", "1e-151", "--impedance-csv", "a",
              "--impedance-svg", "b"], 1,
             "bellform: This horn is too large or too small to compute its impedance.\n", []),
            (horn + ["--length", "100", "--mcr", "b.mcr"], 0,
             "bellform: note: Piece too long for stations 0.1 In. apart: step 0.3 In. used.\n",
             ["b.mcr"]),
            (["--mm", "--mouth", "304,8x304,8", "--throat=50,8", "--txt", "a", "--dxf", "b"], 0,
             "", ["a", "b"]),
        ] + [(horn + ["--txt", "a", "--pdf", "b", option, value, option, value], 2,
               usage(option + " is given twice"), [])
             for option, value in (("--mouth", "12x12"), ("--throat", "2"), ("--driver", "2"),
                                   ("--length", "9"), ("--step", "1"), ("--paper", "a4"))]
        for arguments, status, err, files in cases:
            with self.subTest(arguments=arguments):
                got = self.run_program(arguments)
                self.assertEqual(got[0], status, "standard error: %r" % got[2])
                self.assertEqual(got[1], b"")
                self.assertRegex(got[2], "^" + err + "$")
                self.assertEqual(got[3], files)

    def test_report_on_standard_output(self):
        # No output named: the report at the screen's stations, line feeds
        # only, on Windows too.
        status, out, err, files = self.run_program(["--mouth", "12x12", "--throat", "2"])
        self.assertEqual((status, err, files), (0, "", []))
        self.assertTrue(out.startswith(b"Top and bottom piece length=11.27 In. ** Angle=52.7 Deg.\n"))
        self.assertIn(b"\n 1.00 \t0.907 \t2.887 \t1.592 \t5.235\n", out)
        self.assertTrue(out.endswith(b"  Extention (b)=2.02008 In.\n"))
        self.assertNotIn(b"\r", out)

    def test_help_fits_the_screen(self):
        status, out, _, _ = self.run_program(["--help"])
        self.assertEqual(status, 0)
        long_lines = [l for l in out.decode().splitlines() if len(l) > 79]
        self.assertEqual(long_lines, [])

    def test_every_output_is_documented(self):
        # --help lists the files and their options from the program's own
        # table of outputs; the manual page and the README must name each.
        out = self.run_program(["--help"])[1].decode()
        files = re.findall(r"^  (\S+\.\w+)\b", out.split("\nOptions:")[0], re.M)
        options = re.findall(r"^  (--[a-z-]+) FILE", out.split("\nOUTPUT, ")[1], re.M)
        self.assertGreater(len(files), 7)
        self.assertEqual(len(options), len(files))
        top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
        manual = ""
        if os.environ.get("BELLFORM_MANUAL"):  # no manual page on Windows
            with open(os.environ["BELLFORM_MANUAL"]) as f:
                manual = f.read().replace("\\-", "-")
        with open(os.path.join(top, "README.md")) as f:
            readme = f.read()
        for name in files + options:
            self.assertTrue(not os.environ.get("BELLFORM_MANUAL") or name in manual,
                            name + " is not in the manual page")
            self.assertTrue(name in readme, name + " is not in the README")

    def test_standard_output_that_cannot_be_written(self):
        for arguments in (["--version"], ["--mouth", "12x12", "--throat", "2"]):
            with self.subTest(arguments=arguments), open("/dev/full", "wb") as full:
                status, _, err, _ = self.run_program(arguments, stdout=full)
                self.assertEqual(status, 1)
                self.assertRegex(err, "^bellform: cannot write to standard output: .*\n$")


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: options_test.py VERSION COMMAND...")
    VERSION, COMMAND = sys.argv[1], sys.argv[2:]
    unittest.main(argv=sys.argv[:1], verbosity=2)
