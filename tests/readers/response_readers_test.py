#!/usr/bin/python3
"""The response's files for crossover tools and its chart, for three horns:
the FRD and ZMA read as such tools read them, against the CSV, against the
independent reference, F6 against its definition on the CSV, and the
chart's labels crossed by no curve (the SVG parsed, then rendered by
rsvg-convert to see each label's text inside its ground).
response_readers_test.py DATA DOCS BELLFORM"""

import io
import re
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

import readers

DATA, DOCS, WRITER = (sys.argv[1:] + ["", "", ""])[:3]
SVG = "{http://www.w3.org/2000/svg}"
# Options, driver, reference, F6 and Fc as the files say them.
CASES = (
    (["--mouth", "12x12", "--throat", "2"], DOCS + "/example-driver.txt", "", 427, 283),
    (["--mouth", "40x30", "--throat", "3", "--driver", "2"], DATA + "/woofer.txt", "-bass",
     143, 103),
    (["--mm", "--mouth", "600x450", "--throat", "50", "--driver", "64"],
     DOCS + "/example-driver.txt", "-mm", 247, 174),
)
NUMBER = r"-?\d+\.\d+"


def crossover_rows(text, columns):
    """A reader of the format: '*' comments first, then three numbers a line
    split by single spaces, frequencies rising; the comments and the rows."""
    comments, rows = [], []
    for line in text.split("\n")[:-1]:
        if line.startswith("*") and not rows:
            comments.append(line)
            continue
        assert re.fullmatch(" ".join([NUMBER] * 3), line), line
        rows.append([float(v) for v in line.split(" ")])
        assert len(rows) == 1 or rows[-1][0] > rows[-2][0], line
    assert text.endswith("\n") and "\r" not in text and comments[-1] == columns
    return comments, rows


def csv_rows(path):
    with open(path) as f:
        return [[float(v) for v in line.split(",")] for line in list(f)[1:]]


def f6(rows, Fc):
    """F6 by its definition, on the CSV's rows: frequency, level first."""
    band = [r[1] for r in rows if 2 * Fc <= r[0] <= 4 * Fc]
    floor = sum(band) / len(band) - 6
    below_top = [r for r in rows if r[0] <= 4 * Fc]
    start = None
    for r in reversed(below_top):
        if r[1] < floor:
            break
        start = r[0]
    return start


def segments(root):
    """Every curve's and line's segments but the grid's, which has no stroke of its own."""
    for e in root.iter():
        if e.tag == SVG + "polyline":
            p = [tuple(map(float, xy.split(","))) for xy in e.get("points").split()]
            yield from zip(p, p[1:])
        elif e.tag == SVG + "line" and e.get("stroke"):
            yield (float(e.get("x1")), float(e.get("y1"))), (float(e.get("x2")), float(e.get("y2")))


def crosses(a, b, box):
    """Whether segment a-b meets the box (x0, y0, x1, y1): sampled finely."""
    steps = int(max(abs(b[0] - a[0]), abs(b[1] - a[1])) * 4) + 1
    for i in range(steps + 1):
        x, y = a[0] + (b[0] - a[0]) * i / steps, a[1] + (b[1] - a[1]) * i / steps
        if box[0] <= x <= box[2] and box[1] <= y <= box[3]:
            return True
    return False


def render(svg_bytes):
    from PIL import Image
    png = subprocess.run(["rsvg-convert", "-f", "png"], input=svg_bytes, check=True,
                         capture_output=True, timeout=120).stdout
    return Image.open(io.BytesIO(png)).convert("RGB")


class Response(unittest.TestCase):

    def files(self, tmp, case):
        options, driver = case[0], case[1]
        names = {k: "%s/horn-response.%s" % (tmp, k) for k in ("csv", "svg", "frd", "zma")}
        command = [WRITER, *options, "--driver-file", driver]
        for kind, path in names.items():
            command += ["--response-" + kind, path]
        subprocess.run(command, check=True, timeout=120)
        return names

    def test_crossover_files(self):
        for case in CASES:
            with self.subTest(case[0]), tempfile.TemporaryDirectory() as tmp:
                names = self.files(tmp, case)
                csv = csv_rows(names["csv"])
                with open(names["frd"], newline="") as f:
                    comments, frd = crossover_rows(f.read(), "* Freq(Hz) SPL(dB) Phase(deg)")
                with open(names["zma"], newline="") as f:
                    zcomments, zma = crossover_rows(f.read(), "* Freq(Hz) Impedance(ohm) Phase(deg)")
                self.assertEqual(comments[:-1], zcomments[:-1])
                self.assertIn("* F6 %d Hz: within 6 dB of the passband from there up (Fc %d Hz)"
                              % case[3:], comments)
                self.assertEqual(round(f6(csv, case[4])), case[3])
                self.assertEqual([[r[0], r[1], r[5]] for r in csv], frd)
                self.assertEqual([[r[0], r[2], r[3]] for r in csv], zma)
                self.assertTrue(all(-180 < r[2] <= 180 for r in frd + zma))
                for got, want in zip(frd, csv_rows("%s/horn-response%s-reference.csv"
                                                   % (DATA, case[2]))):
                    if got[0] < 10000:
                        self.assertAlmostEqual(got[1], want[1], delta=0.05, msg=got)
                        self.assertLess(abs((got[2] - want[5] + 180) % 360 - 180), 0.5, got)

    def test_chart_labels_are_crossed_by_no_curve(self):
        for case in CASES:
            with self.subTest(case[0]), tempfile.TemporaryDirectory() as tmp:
                with open(self.files(tmp, case)["svg"], "rb") as f:
                    svg = f.read()
                root = ET.fromstring(svg)
                group = root.find(SVG + "g")
                children = list(group)
                lines = list(segments(root))
                whole = render(svg)
                labels = 0
                for i, e in enumerate(children[:-1]):
                    text = children[i + 1]
                    if e.tag != SVG + "rect" or e.get("x") is None or e.get("fill") != "#ffffff":
                        continue
                    labels += 1
                    x, y = float(e.get("x")), float(e.get("y"))
                    box = (x, y, x + float(e.get("width")), y + float(e.get("height")))
                    self.assertFalse([s for s in lines if crosses(*s, box)], text.text)
                    # Its text alone makes the pixels that change without it.
                    group.remove(text)
                    ink = ink_box(whole, render(ET.tostring(root)))
                    group.insert(i + 1, text)
                    self.assertTrue(ink and box[0] - 1 <= ink[0] and ink[2] <= box[2] + 1
                                    and box[1] - 1 <= ink[1] and ink[3] <= box[3] + 1,
                                    (text.text, ink, box))
                self.assertEqual(2, labels)


def ink_box(a, b):
    from PIL import ImageChops
    return ImageChops.difference(a, b).getbbox()


if __name__ == "__main__":
    readers.main("response_readers_test", programs=(("rsvg-convert", "librsvg2-bin"),),
                 modules=(("PIL", "python3-pil"),))
