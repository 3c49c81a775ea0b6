#!/usr/bin/python3
"""The pages to print read by real readers: qpdf checks them, pdfinfo counts
and measures them, pdftotext reads the labels and the map, pdftoppm renders
them. The windows set at their labels' cells must make rsvg-convert's render
of the horn's SVG without its caption (the margins carry it): nothing lost
at a seam, no line in a window left out. The map numbers each page in its
cell. The files are those the C++ tests prove the program writes.

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
from readers import run

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
# at which the margins and windows are whole pixels, and the pages, map and all.
CASES = (
    ("inches on Letter", DOCS, "horn-pages.pdf", "horn.svg", LETTER, 72.0, 100, 7),
    ("millimetres on A4", DATA, "horn-mm-pages.pdf", "horn-mm.svg", A4, 25 * 72 / 25.4, 127, 7),
    ("smaller than a window", DATA, "horn-small-pages.pdf", "horn-small.svg", LETTER, 72.0, 100, 1),
    ("a blank window", DATA, "horn-16x12-pages.pdf", "horn-16x12.svg", LETTER, 72.0, 100, 12),
)


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
                self.check_file(pdf, paper, pages)
                places = self.check_labels(pdf, pages)
                if pages > 1:
                    self.check_map(pdf, paper, columns, rows, places)
                self.check_seams(pdf, root, paper, dpi, columns, rows, places, tmp)
                self.check_square(pdf, paper, square, min(places), tmp)

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

    def check_labels(self, pdf, pages):
        """{page: (row, column)} from each label; the map, page 1, has none."""
        places = {}
        for n, text in enumerate(run("pdftotext", pdf, "-").split("\f")[:pages], 1):
            label = re.search(r"page (\d+) of (\d+): row (\d+), column (\d+)", text)
            self.assertEqual(label is None, n == 1 and pages > 1, text)
            if label:
                self.assertEqual(label.group(1, 2), (str(n), str(pages)))
                places[n] = (int(label[3]) - 1, int(label[4]) - 1)
        return places

    def check_map(self, pdf, paper, columns, rows, places):
        """The numbers on page 1 in the cells of their pages: the grid at
        the map's scale, in the middle of the window."""
        box = r'xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<'
        words = re.findall(box, run("pdftotext", "-f", "1", "-l", "1", "-bbox", pdf, "-"))
        text = " ".join(w[4] for w in words)
        n = int(re.search(r"Map of the pages, 1:(\d+) - not at true size: do not cut", text)[1])
        self.assertIn("%d pages to print. Tape them" % len(places), text)
        unit = POINTS[paper["unit"]]
        (mx, my), (ww, wh) = ((v * unit for v in paper[k]) for k in ("margin", "window"))
        left, top = mx + (ww - columns * ww / n) / 2, my + (wh - rows * wh / n) / 2
        numbers = {int(w[4]): (int(((float(w[1]) + float(w[3])) / 2 - top) * n // wh),
                               int(((float(w[0]) + float(w[2])) / 2 - left) * n // ww))
                   for w in words if w[4].isdigit() and float(w[3]) < my + wh}
        self.assertEqual(numbers, places)

    def check_seams(self, pdf, root, paper, dpi, columns, rows, places, tmp):
        """The windows at their cells against the SVG's render without its
        caption; a window with no page stays white."""
        import numpy
        pixels = dpi * POINTS[paper["unit"]] / 72  # pixels a paper unit
        mx, my, ww, wh = (round(v * pixels) for v in paper["margin"] + paper["window"])
        run("pdftoppm", "-r", str(dpi), "-gray", pdf, os.path.join(tmp, "page"))
        renders = sorted((f for f in os.listdir(tmp) if f.startswith("page")),
                         key=lambda f: int(re.search(r"(\d+)\.pgm$", f)[1]))
        tiles = numpy.full((rows * wh, columns * ww), 255, numpy.uint8)
        for n, (r, c) in places.items():
            render = renders[n - 1]
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

    def check_square(self, pdf, paper, square, page, tmp):
        """The square at the left of the bottom margin, from the middle of
        one side to the middle of the other, at 2540 pixels an inch: a
        whole number of pixels to an inch and to 25 mm, so the renderer's
        snapping of thin lines to whole pixels does not shift them apart."""
        import numpy
        unit, px = POINTS[paper["unit"]], 2540 / 72  # pixels a point
        below = (paper["margin"][1] + paper["window"][1]) * unit + 2  # the frame's bottom line
        width = paper["margin"][0] * unit + square + 6
        run("pdftoppm", "-r", "2540", "-f", str(page), "-singlefile", "-gray", "-x", "0",
            "-y", str(round(below * px)), "-W", str(round(width * px)),
            "-H", str(round((paper["size"][1] - below) * px)), pdf, os.path.join(tmp, "square"))
        grey = read_grey(os.path.join(tmp, "square.pgm"))
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
