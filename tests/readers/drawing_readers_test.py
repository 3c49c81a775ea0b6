#!/usr/bin/python3
"""The worked example's drawings read back by the programs people open them
with: ezdxf reads and audits horn.dxf, rsvg-convert renders horn.svg. The
files are those the dialogue tests prove the program writes byte for byte.

Usage: drawing_readers_test.py DATA_DIR DOCS_DIR
A missing reader skips the test (exit 77) unless BELLFORM_REQUIRE_READERS
is set, as CI sets it: there a missing reader fails.
"""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

DATA = sys.argv[1] if len(sys.argv) > 1 else ""
DOCS = sys.argv[2] if len(sys.argv) > 2 else ""
SKIP = 77
SVG_NS = "{http://www.w3.org/2000/svg}"


def stations_of_script(path):
    """The stations of the AutoCAD script, an independent example: the
    throat edge's end, then each segment's end."""
    stations = []
    with open(path) as f:
        for line in f:
            m = re.match(r"LINE ([^,]+),(\S+) ([^,]+),(\S+) $", line.rstrip("\n"))
            if m:
                stations.append((float(m.group(3)), float(m.group(4))))
    return stations


def closed_outline(stations):
    """Out along one side, back along the other; equal neighbours once."""
    points = []
    for p in stations + [(x, -y) for x, y in reversed(stations)]:
        if not points or points[-1] != p:
            points.append(p)
    return points


class DrawingReaders(unittest.TestCase):

    def assertPointsClose(self, got, expected, tolerance):
        self.assertEqual(len(got), len(expected))
        for i, (g, e) in enumerate(zip(got, expected)):
            self.assertAlmostEqual(g[0], e[0], delta=tolerance, msg="x of vertex %d" % i)
            self.assertAlmostEqual(g[1], e[1], delta=tolerance, msg="y of vertex %d" % i)

    def test_dxf_reads_and_audits_clean(self):
        import ezdxf
        doc = ezdxf.readfile(os.path.join(DATA, "horn.dxf"))
        auditor = doc.audit()
        self.assertEqual([str(e) for e in auditor.errors], [])
        self.assertEqual([str(f) for f in auditor.fixes], [])
        self.assertEqual(doc.dxfversion, "AC1009")
        self.assertEqual(doc.header["$INSUNITS"], 1)

        msp = doc.modelspace()
        outline = [e for e in msp if e.dxftype() == "POLYLINE" and e.dxf.layer == "OUTLINE"]
        self.assertEqual(len(outline), 1)
        self.assertTrue(outline[0].is_closed)
        vertices = [(v.dxf.location.x, v.dxf.location.y) for v in outline[0].vertices]
        stations = stations_of_script(os.path.join(DATA, "horn.scr"))
        self.assertEqual(len(stations), 114)
        # The script has six significant digits, the drawing six decimals.
        self.assertPointsClose(vertices, closed_outline(stations), 5e-5)

        centre = [e for e in msp if e.dxftype() == "LINE" and e.dxf.layer == "CENTER"]
        self.assertEqual(len(centre), 2)
        self.assertEqual((centre[0].dxf.start.x, centre[0].dxf.start.y), (0, 0))
        self.assertAlmostEqual(centre[0].dxf.end.x, stations[-1][0], delta=5e-5)
        self.assertEqual(centre[0].dxf.end.y, 0)

        # The side panel laid flat: as long as the curved side, as high as
        # the horn at the throat and at the mouth, an inch beneath the piece.
        side = [e for e in msp if e.dxftype() == "POLYLINE" and e.dxf.layer == "SIDE"]
        self.assertEqual(len(side), 1)
        self.assertTrue(side[0].is_closed)
        panel = [(v.dxf.location.x, v.dxf.location.y) for v in side[0].vertices]
        start = min(x for x, _ in panel)
        end = max(x for x, _ in panel)
        self.assertEqual(start, 0)
        self.assertAlmostEqual(end, 12.485, delta=5e-4)

        def height_at(x):
            ys = [py for px, py in panel if px == x]
            return max(ys) - min(ys)
        self.assertAlmostEqual(height_at(start), 2.000, delta=5e-4)
        self.assertAlmostEqual(height_at(end), 12.000, delta=5e-4)
        self.assertAlmostEqual(min(y for _, y in vertices) - max(y for _, y in panel), 1.0,
                               delta=1e-6)
        self.assertEqual((centre[1].dxf.start.x, centre[1].dxf.end.x), (0, end))

    def test_svg_renders_at_true_size(self):
        path = os.path.join(DOCS, "horn.svg")
        root = ET.parse(path).getroot()
        self.assertEqual(root.get("version"), "1.1")
        for element in root.iter():
            self.assertNotEqual(element.tag, SVG_NS + "script")
            self.assertIsNone(element.get("transform"))
            for name in element.attrib:
                self.assertNotIn("href", name)
        width = float(root.get("width").removesuffix("in"))
        height = float(root.get("height").removesuffix("in"))
        box = [float(v) for v in root.get("viewBox").split()]
        self.assertEqual(box[2:], [width, height])  # one user unit an inch

        # The side panel, longer than the piece, and half an inch either side.
        stations = stations_of_script(os.path.join(DATA, "horn.scr"))
        self.assertAlmostEqual(width, 12.485 + 1.0, delta=5e-4)
        polygons = root.find(SVG_NS + "g").findall(SVG_NS + "polygon")
        self.assertEqual(len(polygons), 2)  # the piece, the side panel
        polygon = polygons[0]
        vertices = [tuple(float(v) for v in p.split(","))
                    for p in polygon.get("points").split()]
        mirrored = [(x, -y) for x, y in closed_outline(stations)]
        self.assertPointsClose(vertices, mirrored, 5e-5)

        with tempfile.TemporaryDirectory() as tmp:
            png = os.path.join(tmp, "horn.png")
            subprocess.run(["rsvg-convert", "--dpi-x", "100", "--dpi-y", "100",
                            "-o", png, path], check=True, timeout=60)
            with open(png, "rb") as f:
                header = f.read(24)
        self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n")
        pixels = struct.unpack(">II", header[16:24])
        for got, inches in zip(pixels, (width, height)):
            self.assertLess(abs(got - inches * 100), 1.0, (pixels, width, height))


def missing_reader():
    try:
        import ezdxf  # noqa: F401
    except ImportError:
        return "ezdxf (Debian package python3-ezdxf) for %s" % sys.executable
    if shutil.which("rsvg-convert") is None:
        return "rsvg-convert (Debian package librsvg2-bin)"
    return None


if __name__ == "__main__":
    if not os.path.isdir(DATA) or not os.path.isdir(DOCS):
        sys.exit("usage: drawing_readers_test.py DATA_DIR DOCS_DIR")
    missing = missing_reader()
    if missing:
        if os.environ.get("BELLFORM_REQUIRE_READERS"):
            sys.exit("drawing_readers_test: FAIL: missing " + missing)
        print("drawing_readers_test: SKIPPED: missing " + missing)
        sys.exit(SKIP)
    unittest.main(argv=sys.argv[:1], verbosity=2)
