#!/usr/bin/python3
"""The adapter's STL read by admesh, numpy-stl, PrusaSlicer and cut by
Shapely: adapter_readers_test.py DATA DOCS BELLFORM"""

import logging
import math
import re
import sys
import tempfile
import unittest

import readers
from readers import run

WRITER, MM = (sys.argv[3:] + [""])[0], 25.4
# Mouth W x H, throat, driver and length (0: the natural one) in inches;
# the driver's bolts and their circle (mm), the print height, the sections.
CASES = (((12, 12, 2, 2, 0), (2, 76), 180, 1),
         ((40, 30, 3, 2, 0), (4, 101.6), 180, 2),
         ((40, 30, 3, 2, 0), (4, 101.6), 300, 1),
         ((12, 12, 2, 1, 8), (0, 0), 180, 2))
logging.getLogger("stl").setLevel(logging.ERROR)  # numpy-stl's float32 closedness test: admesh's is exact
CLEAN = r"(disconnected edges?|Degenerate facets|removed|added|reversed|Backwards edges|fixed) *: *(\d+)"


def write_adapter(case, bolts, height, path, unit="in"):  # the one place the file is made
    W, H, T, D, L = (v * (MM if unit == "mm" else 1) for v in case)
    options = ["--mouth", "%sx%s" % (W, H), "--throat", str(T), "--driver", str(D)]
    options += ["--length", str(L)] if L else []
    if bolts[0]:
        with open(path + ".txt", "w") as f:
            f.write("Bolts = %d\nBolt_circle = %s\n" % bolts)
        options += ["--driver-file", path + ".txt"]
    run(WRITER, *(["--mm"] if unit == "mm" else []), "--print-height", str(height), *options,
        "--stl", path)


def tractrix_length(y, R):
    return R * math.log((R + math.sqrt(R * R - y * y)) / y) - math.sqrt(R * R - y * y)


def expected(W, H, T, D, L):
    """The thickness and the passage's volume (the integral of pi y^2 dx
    along the tractrix, dx/dy = -sqrt(R^2-y^2)/y), in mm."""
    R = math.sqrt(W * H / math.pi)
    L = L or tractrix_length(T / math.sqrt(math.pi), R)
    lo, hi = 0.0, R  # the throat's radius, at L from the mouth
    for _ in range(100):
        lo, hi = ((lo + hi) / 2, hi) if tractrix_length((lo + hi) / 2, R) > L else (lo, (lo + hi) / 2)
    volume = math.pi / 3 * ((R * R - D * D / 4) ** 1.5 - (R * R - lo * lo) ** 1.5)
    return (tractrix_length(D / 2, R) - L) * MM, volume * MM ** 3


def sections(facets):
    """Each section's facets, found by the gaps along x between them."""
    order = facets[:, :, 0].min(axis=1).argsort()
    parts, right = [], -math.inf
    for k in order:
        if facets[k, :, 0].min() > right + 1:
            parts.append([])
        parts[-1].append(k)
        right = max(right, facets[k, :, 0].max())
    return [facets[p] for p in parts]


def cut(part, z):
    """The section's cut at height z, the axis at the origin: the plate
    (the face round the others) and the faces within it, the passage and
    the holes."""
    from shapely.geometry import LineString, Polygon
    from shapely.ops import polygonize
    axis = (part[:, :, 0].min() + part[:, :, 0].max()) / 2
    lines = []
    for tri in part[(part[:, :, 2].min(axis=1) < z) & (part[:, :, 2].max(axis=1) > z)]:
        ends = []
        for a, b in ((0, 1), (1, 2), (2, 0)):
            p, q = sorted((tuple(tri[a]), tuple(tri[b])))  # the same point from both facets
            if (p[2] - z) * (q[2] - z) < 0:
                t = (z - p[2]) / (q[2] - p[2])
                ends.append((p[0] + t * (q[0] - p[0]) - axis, p[1] + t * (q[1] - p[1])))
        lines.append(LineString(ends))
    faces = sorted(polygonize(lines), key=lambda f: -Polygon(f.exterior).area)
    return faces[0], faces[1:]


def diameter(face):  # of the circle of the same area
    return math.sqrt(4 * face.area / math.pi)


class Adapter(unittest.TestCase):

    def check_tools(self, path, count):
        report = run("admesh", path)
        self.assertEqual({n for _, n in re.findall(CLEAN, report)}, {"0"}, report)
        self.assertRegex(report, r"Number of parts *: *%d\s" % count)
        info = dict(re.findall(r"^(\w+) = +(.*)$", run("prusa-slicer", "--info", path), re.M))
        self.assertEqual((info["manifold"], info["number_of_parts"]), ("yes", str(count)))

    def check_passage(self, parts, height, passage):
        """Each section no taller than the print height, and the passage
        through them all the contour's volume."""
        from shapely.geometry import Point
        volume = 0
        for part in parts:
            top = part[:, :, 2].max()
            self.assertEqual(part[:, :, 2].min(), 0)
            self.assertLessEqual(top, height)
            steps = int(top) + 1  # its area every millimetre or so
            for k in range(steps):
                inside = cut(part, (k + 0.5) * top / steps)[1]
                volume += sum(f.area for f in inside if f.contains(Point(0, 0))) * top / steps
        self.assertAlmostEqual(volume / passage, 1, delta=0.005)

    def check_driver_flange(self, part, D, bolts):
        """At the driver's face: the square, the passage's circle of D, and
        the bolts' holes, the first on +x."""
        from shapely.geometry import Point
        plate, inside = cut(part, 0.01)
        side = max(bolts[1] + 2 * 6.5 + 12, D + 30)
        self.assertAlmostEqual(plate.bounds[2] - plate.bounds[0], side, delta=0.1)
        exit, *holes = sorted(inside, key=lambda h: h.centroid.distance(Point(0, 0)))
        self.assertAlmostEqual(diameter(exit), D, delta=0.1)
        turns = [round(math.atan2(h.centroid.y, h.centroid.x) / (2 * math.pi) * bolts[0]) % bolts[0]
                 for h in holes]
        self.assertEqual(sorted(turns), list(range(bolts[0])))  # one at each place
        for hole, a in zip(holes, (2 * math.pi * k / bolts[0] for k in turns)):
            self.assertAlmostEqual(diameter(hole), 6.5, delta=0.1)
            self.assertLess(hole.centroid.distance(Point(bolts[1] / 2 * math.cos(a),
                                                         bolts[1] / 2 * math.sin(a))), 0.1)

    def check_joints_and_throat(self, parts, throat):
        tops = [part[:, :, 2].max() for part in parts]
        for k in range(len(parts) - 1):  # the passage and four holes, in line
            below = [f.centroid for f in cut(parts[k], tops[k] - 0.01)[1]]
            above = [f.centroid for f in cut(parts[k + 1], 0.01)[1]]
            self.assertEqual((len(below), len(above)), (5, 5))
            for c in below:
                self.assertLess(min(c.distance(d) for d in above), 0.01)
        from shapely.geometry import Point
        inside = cut(parts[-1], tops[-1] - 0.01)[1]  # the horn's face: the throat as it lies
        bounds = [f for f in inside if f.contains(Point(0, 0))][0].bounds
        width, height = (float(v) for v in throat.split("x"))
        self.assertAlmostEqual(bounds[2] - bounds[0], width, delta=0.1)
        self.assertAlmostEqual(bounds[3] - bounds[1], height, delta=0.1)

    def test_adapters(self):
        from stl import mesh
        for case, bolts, height, count in CASES:
            with self.subTest(case=case, height=height), tempfile.TemporaryDirectory() as tmp:
                path = tmp + "/horn-adapter.stl"
                write_adapter(case, bolts, height, path)
                thickness, passage = expected(*case)
                with open(path, "rb") as f:
                    text, _, pad = f.read(80).partition(b"\0")
                self.assertEqual(pad.strip(b"\0"), b"")  # a C string, as tools print it
                header = dict(re.findall(r"(\w+)=([\d.x]+)", text.decode("ascii")))
                self.assertAlmostEqual(float(header["thickness"]), thickness, delta=0.051)
                self.assertEqual(int(header["sections"]), count)
                self.check_tools(path, count)
                parts = sections(mesh.Mesh.from_file(path).vectors)
                self.assertEqual(len(parts), count)
                for left, right in zip(parts, parts[1:]):  # laid 10 mm apart
                    self.assertAlmostEqual(right[:, :, 0].min() - left[:, :, 0].max(), 10, delta=0.01)
                self.check_passage(parts, height, passage)
                self.check_driver_flange(parts[0], case[3] * MM, bolts)
                self.check_joints_and_throat(parts, header["throat"])
                write_adapter(case, bolts, height, tmp + "/mm.stl", "mm")  # the same part typed in mm
                self.assertLess(abs(mesh.Mesh.from_file(tmp + "/mm.stl").vectors -
                                    mesh.Mesh.from_file(path).vectors).max(), 0.001)


if __name__ == "__main__":
    readers.main("adapter_readers_test", programs=(("admesh", "admesh"), ("prusa-slicer", "prusa-slicer")),
                 modules=(("stl", "python3-stl"), ("shapely", "python3-shapely")))
