#!/usr/bin/python3
"""The driver adapter's STL read by real readers: admesh finds one closed
part with nothing to repair, numpy-stl measures its volume and its end
faces against the tractrix, and PrusaSlicer's command line agrees.

Usage: adapter_readers_test.py DATA_DIR DOCS_DIR WRITER
A missing reader skips the test (readers.py).
"""

import logging
import math
import os
import re
import subprocess
import sys
import tempfile
import unittest

import readers

WRITER = (sys.argv[3:] + [""])[0]
MM = 25.4
# Mouth, throat, driver and length (None: the natural one), in inches.
CASES = (("worked example", "12x12", 2, 1, None), ("bass horn", "40x30", 3, 2, None),
         ("rectangular throat", "12x12", 2, 1, 8))
CLEAN = ("Facets with 1 disconnected edge", "Facets with 2 disconnected edges",
         "Facets with 3 disconnected edges", "Degenerate facets", "Facets removed",
         "Facets added", "Facets reversed", "Backwards edges", "Normals fixed")


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True, timeout=120).stdout


def write_adapter(case, path):
    """The one place the file is made, from the horn given as options."""
    _, mouth, throat, driver, length = case
    run(WRITER, "--mouth", mouth, "--throat", str(throat), "--driver", str(driver),
        *(("--length", str(length)) if length else ()), "--stl", path)


def tractrix_length(y, R):
    s = math.sqrt(R * R - y * y)
    return R * math.log((R + s) / y) - s


def expected(case):
    """The block's side, the thickness, the passage's areas at both ends and
    its volume, in mm: the volume the integral of pi y^2 along the tractrix,
    whose dx/dy = -sqrt(R^2 - y^2) / y makes it closed."""
    _, mouth, T, D, length = case
    W, H = (float(v) for v in mouth.split("x"))
    R = math.sqrt(W * H / math.pi)
    L = length or tractrix_length(T / math.sqrt(math.pi), R)
    lo, hi = 0.0, R
    for _ in range(100):
        mid = (lo + hi) / 2
        lo, hi = (mid, hi) if tractrix_length(mid, R) > L else (lo, mid)
    passage = math.pi / 3 * ((R * R - D * D / 4) ** 1.5 - (R * R - lo * lo) ** 1.5)
    side = max(math.pi * lo * lo / T, T, D) + 2
    return (side * MM, (tractrix_length(D / 2, R) - L) * MM,
            (math.pi * D * D / 4 * MM * MM, math.pi * lo * lo * MM * MM), passage * MM ** 3)


class Adapter(unittest.TestCase):

    def test_adapters(self):
        from stl import mesh
        for case in CASES:
            with self.subTest(case[0]), tempfile.TemporaryDirectory() as tmp:
                path = os.path.join(tmp, "horn-adapter.stl")
                write_adapter(case, path)
                side, thickness, ends, passage = expected(case)
                report = run("admesh", path)
                for field in CLEAN:
                    self.assertEqual(re.search(field + r"\s*:\s*(\d+)", report)[1], "0", field)
                self.assertRegex(report, r"Number of parts\s*:\s*1\s")
                part = mesh.Mesh.from_file(path)
                # Its closedness test sums float32 normals against a fixed
                # 1e-4, which a closed part in mm overshoots: admesh checks.
                part.logger.setLevel(logging.ERROR)
                self.assertAlmostEqual(part.max_[2] - part.min_[2], thickness, delta=0.01)
                volume = part.get_mass_properties()[0]
                self.assertAlmostEqual(side * side * thickness - volume, passage, delta=passage / 200)
                for z, area in zip((part.min_[2], part.max_[2]), ends):
                    face = part.areas[(abs(part.vectors[:, :, 2] - z) < 1e-3).all(axis=1)].sum()
                    self.assertAlmostEqual(side * side - face, area, delta=area / 200)
                info = dict(re.findall(r"^(\w+) = +(.*)$", run("prusa-slicer", "--info", path), re.M))
                self.assertEqual((info["manifold"], info["number_of_parts"]), ("yes", "1"))
                self.assertAlmostEqual(float(info["volume"]), volume, delta=volume * 1e-4)


if __name__ == "__main__":
    readers.main("adapter_readers_test",
                 programs=(("admesh", "admesh"), ("prusa-slicer", "prusa-slicer")),
                 modules=(("stl", "python3-stl"),))
