#!/usr/bin/python3
"""The pages to print read by real readers: qpdf checks them, pdfinfo counts
and measures them, pdftoppm renders them. Their windows set side by side
must make rsvg-convert's render of the same horn's SVG without its caption
(the pages' margins carry it): the template at true size, nothing lost at
a seam. The files are those the dialogue tests prove the program writes.

Usage: pages_readers_test.py DATA_DIR DOCS_DIR
A missing reader skips the test (readers.py).
"""

import math
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
POINTS = {"in": 72.0, "mm": 72 / 25.4}  # a drawing unit in points
# Paper in points; its margins left and top and its window in its own unit.
LETTER = {"size": (612, 792), "margin": (0.5, 0.5), "window": (7.5, 9), "unit": "in"}
A4 = {"size": (595.276, 841.89), "margin": (12, 12), "window": (186, 245), "unit": "mm"}
INK = 160  # grey levels below this are a line
SLACK = 1  # pixels a line may move between the renders: antialiasing
MARK = 8   # points round the middle of a window's side: the half diamond

# The case, its files, the paper, the square's side in points, a resolution
# at which the margins and windows are whole pixels, and the pages.
CASES = (
    ("inches on Letter", DOCS, "horn-pages.pdf", "horn.svg", LETTER, 72.0, 100, 6),
    ("millimetres on A4", DATA, "horn-mm-pages.pdf", "horn-mm.svg", A4, 25 * 72 / 25.4, 127, 6),
    ("smaller than a window", DATA, "horn-small-pages.pdf", "horn-small.svg", LETTER, 72.0, 100, 1),
)


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True, timeout=120).stdout


def read_grey(path):
    """A render as grey levels, what is transparent on white paper."""
    import numpy
    from PIL import Image
    with Image.open(path) as image:
        paper = Image.new("RGBA", image.size, "white")
        return numpy.asarray(Image.alpha_composite(paper, image.convert("RGBA")).convert("L"))


def near(ink, slack):
    """Every pixel within `slack` of a line."""
    import numpy
    padded, out, (h, w) = numpy.pad(ink, slack), numpy.zeros_like(ink), ink.shape
    for dy in range(2 * slack + 1):
        for dx in range(2 * slack + 1):
            out |= padded[dy:dy + h, dx:dx + w]
    return out


def grid(root, paper):
    """Columns and rows of windows over the SVG's parts and its margin round them."""
    left, top = (float(v) for v in root.get("viewBox").split()[:2])
    points = [tuple(float(v) for v in p.split(","))
              for polygon in root.iter(SVG + "polygon") for p in polygon.get("points").split()]
    scale = POINTS[root.get("width")[-2:]] / POINTS[paper["unit"]]  # paper units a drawing unit
    return tuple(math.ceil((max(v) + min(v) - 2 * origin) * scale / window)
                 for v, origin, window in zip(zip(*points), (left, top), paper["window"]))


class Pages(unittest.TestCase):

    def test_pages(self):
        for name, folder, pdf, svg, paper, square, dpi, pages in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as tmp:
                pdf, root = os.path.join(folder, pdf), ET.parse(os.path.join(folder, svg)).getroot()
                columns, rows = grid(root, paper)
                self.assertEqual(columns * rows, pages)
                self.check_file(pdf, paper, pages)
                self.check_seams(pdf, root, paper, dpi, columns, rows, tmp)
                self.check_square(pdf, paper, square, tmp)

    def check_file(self, pdf, paper, pages):
        check = subprocess.run(["qpdf", "--check", pdf], capture_output=True, text=True)
        self.assertEqual(check.returncode, 0, check.stdout + check.stderr)
        self.assertIn("No syntax or stream encoding errors", check.stdout)
        info = run("pdfinfo", "-f", "1", "-l", str(pages), pdf)
        self.assertIn("\nPages:           %d\n" % pages, info)
        sizes = re.findall(r"^Page +\d+ size: +([\d.]+) x ([\d.]+) pts", info, re.M)
        self.assertEqual(len(sizes), pages)
        for size in sizes:
            for got, expected in zip(size, paper["size"]):
                self.assertAlmostEqual(float(got), expected, delta=0.01)

    def check_seams(self, pdf, root, paper, dpi, columns, rows, tmp):
        """The windows side by side against the SVG's render without its caption."""
        import numpy
        pixels = dpi * POINTS[paper["unit"]] / 72  # pixels a paper unit
        mx, my, ww, wh = (round(v * pixels) for v in paper["margin"] + paper["window"])
        run("pdftoppm", "-r", str(dpi), "-gray", pdf, os.path.join(tmp, "page"))
        renders = sorted((f for f in os.listdir(tmp) if f.startswith("page")),
                         key=lambda f: int(re.search(r"(\d+)\.pgm$", f)[1]))
        self.assertEqual(len(renders), columns * rows)
        tiles = numpy.full((rows * wh, columns * ww), 255, numpy.uint8)
        for n, render in enumerate(renders):
            r, c = divmod(n, columns)
            tiles[r * wh:(r + 1) * wh, c * ww:(c + 1) * ww] = \
                read_grey(os.path.join(tmp, render))[my:my + wh, mx:mx + ww]
        for text in root.findall(SVG + "text"):
            root.remove(text)
        ET.ElementTree(root).write(os.path.join(tmp, "drawing.svg"))
        run("rsvg-convert", "--dpi-x", str(dpi), "--dpi-y", str(dpi), "-o",
            os.path.join(tmp, "drawing.png"), os.path.join(tmp, "drawing.svg"))
        drawing = read_grey(os.path.join(tmp, "drawing.png"))
        h, w = max(tiles.shape[0], drawing.shape[0]), max(tiles.shape[1], drawing.shape[1])
        a, b = (numpy.pad(i, ((0, h - i.shape[0]), (0, w - i.shape[1])), constant_values=255) < INK
                for i in (tiles, drawing))
        # The half diamonds in the middle of the windows' sides are the pages' own.
        m = round(MARK * dpi / 72)
        for y, x in [(r * wh + dy, c * ww + dx) for r in range(rows) for c in range(columns)
                     for dy, dx in ((0, ww // 2), (wh, ww // 2), (wh // 2, 0), (wh // 2, ww))]:
            box = slice(max(y - m, 0), y + m), slice(max(x - m, 0), x + m)
            a[box] = b[box] = False
        self.assertGreater(b.sum(), 1000)
        for name, got, wanted in (("on the pages only", a, b), ("in horn.svg only", b, a)):
            stray = got & ~near(wanted, SLACK)
            self.assertEqual(int(stray.sum()), 0, "%s, first at row and column %s"
                             % (name, numpy.argwhere(stray)[:1].tolist()))

    def check_square(self, pdf, paper, square, tmp):
        """The square at the left of the bottom margin, from the middle of
        one side to the middle of the other, at 2540 pixels an inch: a
        whole number of pixels to an inch and to 25 mm, so the renderer's
        snapping of thin lines to whole pixels does not shift them apart."""
        import numpy
        unit, px = POINTS[paper["unit"]], 2540 / 72  # pixels a point
        below = (paper["margin"][1] + paper["window"][1]) * unit + 2  # the frame's bottom line
        width = paper["margin"][0] * unit + square + 6
        run("pdftoppm", "-r", "2540", "-f", "1", "-l", "1", "-gray", "-x", "0",
            "-y", str(round(below * px)), "-W", str(round(width * px)),
            "-H", str(round((paper["size"][1] - below) * px)), pdf, os.path.join(tmp, "square"))
        grey = read_grey(os.path.join(tmp, "square-1.pgm"))
        for axis in (0, 1):
            lines = numpy.flatnonzero((grey < INK).sum(axis=axis) > 0.9 * square * px)
            groups = numpy.split(lines, numpy.flatnonzero(numpy.diff(lines) > 1) + 1)
            self.assertEqual(len(groups), 2, "sides of the square")
            # Each side's middle weighed by its ink, to a fraction of a pixel.
            ink = (255 - grey.astype(float)).sum(axis=axis)
            middle = [sum(i * ink[i] for i in range(g[0] - 2, g[-1] + 3)) /
                      sum(ink[g[0] - 2:g[-1] + 3]) for g in groups]
            self.assertAlmostEqual((middle[1] - middle[0]) / px, square, delta=0.05)


if __name__ == "__main__":
    readers.main("pages_readers_test",
                 programs=(("qpdf", "qpdf"), ("pdfinfo", "poppler-utils"),
                           ("pdftoppm", "poppler-utils"), ("rsvg-convert", "librsvg2-bin")),
                 modules=(("numpy", "python3-numpy"), ("PIL", "python3-pil")))
