#!/usr/bin/python3
"""The worked example's drawings read back by the programs people open them
with: ezdxf reads and audits horn.dxf, rsvg-convert renders horn.svg and
the impedance chart, and both read the same horn's drawings in
millimetres. The
files are those the dialogue tests prove the program writes byte for byte;
the stations are cross-checked against the independent horn.scr.

Usage: drawing_readers_test.py DATA_DIR DOCS_DIR
A missing reader skips the test (readers.py).
"""

import os
import re
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

import readers

DATA, DOCS = (sys.argv[1:3] + ["", ""])[:2]
SVG = "{http://www.w3.org/2000/svg}"
TOLERANCE = 5e-5  # horn.scr has six significant digits, the drawings six decimals


def piece_outline():
    """The script's stations (each segment's end), out along one side and
    back along the other."""
    with open(os.path.join(DATA, "horn.scr")) as f:
        stations = [(float(m[1]), float(m[2])) for m in
                    re.finditer(r"^LINE \S+ ([^,]+),(\S+) $", f.read(), re.M)]
    return stations + [(x, -y) for x, y in reversed(stations)]


class DrawingReaders(unittest.TestCase):

    def assertPointsClose(self, got, expected):
        self.assertEqual(len(got), len(expected))
        for g, e in zip(got, expected):
            self.assertAlmostEqual(g[0], e[0], delta=TOLERANCE)
            self.assertAlmostEqual(g[1], e[1], delta=TOLERANCE)

    def test_dxf_reads_and_audits_clean(self):
        import ezdxf
        doc = ezdxf.readfile(os.path.join(DATA, "horn.dxf"))
        auditor = doc.audit()
        self.assertEqual([str(e) for e in auditor.errors + auditor.fixes], [])
        self.assertEqual((doc.dxfversion, doc.header["$INSUNITS"]), ("AC1009", 1))
        msp = doc.modelspace()
        polylines = {e.dxf.layer: e for e in msp.query("POLYLINE")}
        self.assertEqual(sorted(polylines), ["OUTLINE", "SIDE"])
        self.assertTrue(all(p.is_closed for p in polylines.values()))
        piece, panel = ([(v.dxf.location.x, v.dxf.location.y) for v in polylines[name].vertices]
                        for name in ("OUTLINE", "SIDE"))
        self.assertPointsClose(piece, piece_outline())

        # The side panel laid flat: as long as the curved side, as high as
        # the horn at the throat and at the mouth, an inch beneath the piece.
        start, end = min(x for x, _ in panel), max(x for x, _ in panel)
        self.assertEqual(start, 0)
        self.assertAlmostEqual(end, 12.485, delta=5e-4)
        for x, height in ((start, 2.000), (end, 12.000)):
            ys = [py for px, py in panel if px == x]
            self.assertAlmostEqual(max(ys) - min(ys), height, delta=5e-4)
        self.assertAlmostEqual(min(y for _, y in piece) - max(y for _, y in panel), 1.0,
                               delta=1e-6)

        centres = [(e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y)
                   for e in msp.query("LINE") if e.dxf.layer == "CENTER"]
        self.assertEqual(len(centres), 2)
        self.assertEqual(centres[0][:2], (0, 0))
        self.assertEqual(centres[0][2], max(x for x, _ in piece))  # to the mouth
        self.assertEqual(centres[1][2], end)

    def test_dxf_in_millimetres(self):
        """The same horn typed in mm: the stations 2.5 mm apart, every
        length 25.4 times the inch drawing's."""
        import ezdxf
        doc = ezdxf.readfile(os.path.join(DATA, "horn-mm.dxf"))
        auditor = doc.audit()
        self.assertEqual([str(e) for e in auditor.errors + auditor.fixes], [])
        self.assertEqual(doc.header["$INSUNITS"], 4)
        parts = {e.dxf.layer: [(v.dxf.location.x, v.dxf.location.y) for v in e.vertices]
                 for e in doc.modelspace().query("POLYLINE")}
        inch = piece_outline()
        piece = parts["OUTLINE"]
        out = piece[:len(piece) // 2 - 1]  # along one side, short of the mouth
        self.assertTrue(all(abs(x - round(x / 2.5) * 2.5) < 1e-4 for x, _ in out))
        for got, station in ((piece[0], inch[0]), (max(piece), max(inch))):
            self.assertAlmostEqual(got[0], station[0] * 25.4, delta=1e-3)
            self.assertAlmostEqual(got[1], station[1] * 25.4, delta=1e-3)
        panel = parts["SIDE"]
        end = max(x for x, _ in panel)
        self.assertAlmostEqual(end, 12.485 * 25.4, delta=0.05)
        for x, height in ((0, 50.8), (end, 304.8)):
            ys = [py for px, py in panel if px == x]
            self.assertAlmostEqual(max(ys) - min(ys), height, delta=0.01)

    def test_svg_renders_at_true_size(self):
        for folder, name, unit, per_inch in ((DOCS, "horn.svg", "in", 1),
                                             (DATA, "horn-mm.svg", "mm", 25.4)):
            with self.subTest(name):
                self.check_svg(os.path.join(folder, name), unit, per_inch)

    def check_svg(self, path, unit, per_inch):
        root = ET.parse(path).getroot()
        width, height = (float(root.get(a).removesuffix(unit)) for a in ("width", "height"))
        self.assertEqual([float(v) for v in root.get("viewBox").split()][2:], [width, height])
        polygons = root.find(SVG + "g").findall(SVG + "polygon")
        self.assertEqual(len(polygons), 2)  # the piece, the side panel
        if per_inch == 1:
            # The side panel, longer than the piece, and half an inch either side.
            self.assertAlmostEqual(width, 12.485 + 1.0, delta=5e-4)
            piece = [tuple(float(v) for v in p.split(",")) for p in polygons[0].get("points").split()]
            self.assertPointsClose(piece, [(x, -y) for x, y in piece_outline()])

        for pixels, size in zip(png_size(path, 100), (width, height)):
            self.assertLess(abs(pixels - size / per_inch * 100), 1.0)

    def test_charts_render(self):
        """The README's charts: the impedance's two curves, the response's three."""
        for name, curves, size in (("horn-impedance.svg", 2, (800, 500)),
                                   ("horn-response.svg", 3, (800, 850))):
            path = os.path.join(DOCS, name)
            lines = ET.parse(path).getroot().findall(".//" + SVG + "polyline")
            self.assertEqual([len(c.get("points").split()) for c in lines], [241] * curves)
            self.assertEqual(png_size(path, 96), size)


def png_size(path, dpi):
    """Width and height in pixels of the SVG rendered by rsvg-convert."""
    with tempfile.TemporaryDirectory() as tmp:
        png = os.path.join(tmp, "drawing.png")
        subprocess.run(["rsvg-convert", "--dpi-x", str(dpi), "--dpi-y", str(dpi),
                        "-o", png, path], check=True, timeout=60)
        from PIL import Image
        with Image.open(png) as image:
            return image.size


if __name__ == "__main__":
    readers.main("drawing_readers_test", programs=(("rsvg-convert", "librsvg2-bin"),),
                 modules=(("ezdxf", "python3-ezdxf"), ("PIL", "python3-pil")))
