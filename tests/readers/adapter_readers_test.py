#!/usr/bin/python3
"""The adapter's STL read by admesh, numpy-stl, PrusaSlicer: adapter_readers_test.py DATA DOCS BELLFORM"""

import logging
import math
import re
import subprocess
import sys
import tempfile
import unittest

import readers

WRITER, MM = (sys.argv[3:] + [""])[0], 25.4
# Mouth W x H, throat, driver and length (0: the natural one), in inches.
CASES = ((12, 12, 2, 1, 0), (40, 30, 3, 2, 0), (12, 12, 2, 1, 8))
logging.getLogger("stl").setLevel(logging.ERROR)  # numpy-stl's float32 closedness test: admesh's is exact
CLEAN = r"(disconnected edges?|Degenerate facets|removed|added|reversed|Backwards edges|fixed) *: *(\d+)"


def run(*command):
    # Leniently decoded: a tool may echo the file's own bytes (admesh prints
    # the STL header as a C string, on past its 80 bytes where no NUL ends it).
    return subprocess.run(command, check=True, capture_output=True, text=True, errors="replace",
                          timeout=120).stdout


def write_adapter(case, path, unit="in"):  # the one place the file is made
    W, H, T, D, L = (v * (MM if unit == "mm" else 1) for v in case)
    options = ["--mouth", "%sx%s" % (W, H), "--throat", str(T), "--driver", str(D)]
    options += ["--length", str(L)] if L else []
    run(WRITER, *(["--mm"] if unit == "mm" else []), *options, "--stl", path)


def tractrix_length(y, R):
    return R * math.log((R + math.sqrt(R * R - y * y)) / y) - math.sqrt(R * R - y * y)


def expected(W, H, T, D, L):
    """Block side, thickness and passage volume (the integral of pi y^2 dx
    along the tractrix, dx/dy = -sqrt(R^2-y^2)/y), in mm."""
    R = math.sqrt(W * H / math.pi)
    L = L or tractrix_length(T / math.sqrt(math.pi), R)
    lo, hi = 0.0, R  # the throat's radius, at L from the mouth
    for _ in range(100):
        lo, hi = ((lo + hi) / 2, hi) if tractrix_length((lo + hi) / 2, R) > L else (lo, (lo + hi) / 2)
    volume = math.pi / 3 * ((R * R - D * D / 4) ** 1.5 - (R * R - lo * lo) ** 1.5)
    return ((max(math.pi * lo * lo / T, T, D) + 2) * MM, (tractrix_length(D / 2, R) - L) * MM,
            volume * MM ** 3)


class Adapter(unittest.TestCase):

    def test_adapters(self):
        from stl import mesh
        for case in CASES:
            with self.subTest(case), tempfile.TemporaryDirectory() as tmp:
                write_adapter(case, tmp + "/horn-adapter.stl")
                side, thickness, passage = expected(*case)
                with open(tmp + "/horn-adapter.stl", "rb") as f:
                    text, _, pad = f.read(80).partition(b"\0")
                self.assertEqual(pad.strip(b"\0"), b"")  # a C string, as tools print it
                header = dict(re.findall(r"(\w+)=([\d.]+)", text.decode("ascii")))
                self.assertAlmostEqual(float(header["thickness"]), thickness, delta=0.051)
                report = run("admesh", tmp + "/horn-adapter.stl")
                self.assertEqual({n for _, n in re.findall(CLEAN, report)}, {"0"}, report)
                self.assertRegex(report, r"Number of parts *: *1\s")
                part = mesh.Mesh.from_file(tmp + "/horn-adapter.stl")
                volume = part.get_mass_properties()[0]
                self.assertAlmostEqual(side * side * thickness - volume, passage, delta=passage / 200)
                info = run("prusa-slicer", "--info", tmp + "/horn-adapter.stl")
                info = dict(re.findall(r"^(\w+) = +(.*)$", info, re.M))
                self.assertEqual((info["manifold"], info["number_of_parts"]), ("yes", "1"))
                self.assertAlmostEqual(float(info["volume"]), volume, delta=volume * 1e-4)
                write_adapter(case, tmp + "/mm.stl", "mm")  # the same part typed in mm
                self.assertLess(abs(mesh.Mesh.from_file(tmp + "/mm.stl").vectors - part.vectors).max(), 0.001)


if __name__ == "__main__":
    readers.main("adapter_readers_test", programs=(("admesh", "admesh"), ("prusa-slicer", "prusa-slicer")),
                 modules=(("stl", "python3-stl"),))
