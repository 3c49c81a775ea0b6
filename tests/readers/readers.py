"""What the reader tests share: they run only where their readers are. A
missing reader skips the test (exit 77, ctest's skip) unless
BELLFORM_REQUIRE_READERS is set, as CI sets it: there it fails."""

import os
import shutil
import subprocess
import sys
import unittest

SKIPPED = 77


def run(*command):
    """What a tool prints, leniently decoded: a tool may echo the file's own
    bytes (admesh prints the STL header as a C string, on past its 80 bytes
    where no NUL ends it)."""
    return subprocess.run(command, check=True, capture_output=True, text=True, errors="replace",
                          timeout=120).stdout


def missing_reader(programs, modules):
    """The first program or Python module, each (name, Debian package), that
    is not installed, said in words; None when all are."""
    for program, package in programs:
        if shutil.which(program) is None:
            return "%s (Debian package %s)" % (program, package)
    for module, package in modules:
        try:
            __import__(module)
        except ImportError:
            return "%s (Debian package %s) for %s" % (module, package, sys.executable)
    return None


def main(name, programs=(), modules=()):
    """The tests of the calling script, given DATA_DIR and DOCS_DIR."""
    if len(sys.argv) < 3 or not os.path.isdir(sys.argv[1]) or not os.path.isdir(sys.argv[2]):
        sys.exit("usage: %s.py DATA_DIR DOCS_DIR" % name)
    missing = missing_reader(programs, modules)
    if missing:
        if os.environ.get("BELLFORM_REQUIRE_READERS"):
            sys.exit("%s: FAIL: missing %s" % (name, missing))
        print("%s: SKIPPED: missing %s" % (name, missing))
        sys.exit(SKIPPED)
    unittest.main(argv=sys.argv[:1], verbosity=2, module="__main__")
