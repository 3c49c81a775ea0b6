#!/usr/bin/python3
"""The response's files for three horns: the FRD and ZMA read as crossover
tools read them, against the CSV and the independent reference, F6 against
its definition on the CSV, and the chart's labels crossed by no curve (the
SVG parsed; rendered by rsvg-convert, each label's text inside its ground).
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
# Options, driver, reference, and F6 and Fc as the files say them.
CASES = ((["--mouth", "12x12", "--throat", "2"], DOCS + "/example-driver.txt", "", 427, 283),
         (["--mouth", "40x30", "--throat", "3", "--driver", "2"], DATA + "/woofer.txt", "-bass",
          143, 103),
         (["--mm", "--mouth", "600x450", "--throat", "50", "--driver", "64"],
          DOCS + "/example-driver.txt", "-mm", 247, 174))


def crossover_rows(path, columns):
    """The format: '*' comments first, then three numbers a line split by
    single spaces, frequencies rising, line feeds alone."""
    with open(path, newline="") as f:
        text = f.read()
    comments = re.match(r"(\*.*\n)*", text).group(0).splitlines()
    lines = text[len("\n".join(comments)) + 1:].split("\n")
    assert comments[-1] == columns and lines.pop() == "" and "\r" not in text
    assert all(re.fullmatch(r"-?\d+\.\d+ -?\d+\.\d+ -?\d+\.\d+", line) for line in lines)
    rows = [[float(v) for v in line.split(" ")] for line in lines]
    assert all(a[0] < b[0] for a, b in zip(rows, rows[1:]))
    return comments, rows


def csv_rows(path):
    with open(path) as f:
        return [[float(v) for v in line.split(",")] for line in list(f)[1:]]


def f6(rows, Fc):
    """The lowest frequency from which the level stays within 6 dB of its
    mean from 2 Fc to 4 Fc, up to 4 Fc."""
    band = [r[1] for r in rows if 2 * Fc <= r[0] <= 4 * Fc]
    start = None
    for r in reversed([r for r in rows if r[0] <= 4 * Fc]):
        if r[1] < sum(band) / len(band) - 6:
            return start
        start = r[0]
    return start


def crossed(root, box):
    """Whether a curve or a line (not the grid's, with no stroke of its own)
    passes through the box, its segments sampled a quarter pixel apart."""
    for e in root.iter():
        if e.tag == SVG + "polyline":
            p = [tuple(map(float, xy.split(","))) for xy in e.get("points").split()]
        elif e.tag == SVG + "line" and e.get("stroke"):
            p = [(float(e.get("x1")), float(e.get("y1"))), (float(e.get("x2")), float(e.get("y2")))]
        else:
            continue
        for a, b in zip(p, p[1:]):
            n = int(max(abs(b[0] - a[0]), abs(b[1] - a[1])) * 4) + 1
            for i in range(n + 1):
                x, y = a[0] + (b[0] - a[0]) * i / n, a[1] + (b[1] - a[1]) * i / n
                if box[0] <= x <= box[2] and box[1] <= y <= box[3]:
                    return True
    return False


def render(svg):
    from PIL import Image
    png = subprocess.run(["rsvg-convert", "-f", "png"], input=svg, check=True,
                         capture_output=True, timeout=120).stdout
    return Image.open(io.BytesIO(png)).convert("RGB")


class Response(unittest.TestCase):

    def files(self, tmp, case):
        command = [WRITER, *case[0], "--driver-file", case[1]]
        for kind in ("csv", "svg", "frd", "zma"):
            command += ["--response-" + kind, "%s/r.%s" % (tmp, kind)]
        subprocess.run(command, check=True, timeout=120, capture_output=True)
        return tmp + "/r."

    def test_crossover_files(self):
        for case in CASES:
            with self.subTest(case[0]), tempfile.TemporaryDirectory() as tmp:
                path = self.files(tmp, case)
                csv = csv_rows(path + "csv")
                comments, frd = crossover_rows(path + "frd", "* Freq(Hz) SPL(dB) Phase(deg)")
                zcomments, zma = crossover_rows(path + "zma", "* Freq(Hz) Impedance(ohm) Phase(deg)")
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
        from PIL import ImageChops
        for case in CASES:
            with self.subTest(case[0]), tempfile.TemporaryDirectory() as tmp:
                with open(self.files(tmp, case) + "svg", "rb") as f:
                    svg = f.read()
                root = ET.fromstring(svg)
                group = root.find(SVG + "g")
                whole, labels = render(svg), 0
                # A label: its white ground, then its text.
                for i, (ground, text) in enumerate(zip(list(group), list(group)[1:])):
                    if ground.tag != SVG + "rect" or ground.get("fill") != "#ffffff":
                        continue
                    labels += 1
                    x, y, w, h = (float(ground.get(k)) for k in ("x", "y", "width", "height"))
                    self.assertFalse(crossed(root, (x, y, x + w, y + h)), text.text)
                    # The pixels its text alone changes lie on its ground.
                    group.remove(text)
                    ink = ImageChops.difference(whole, render(ET.tostring(root))).getbbox()
                    group.insert(i + 1, text)
                    self.assertTrue(ink[0] >= x - 1 and ink[1] >= y - 1 and ink[2] <= x + w + 1
                                    and ink[3] <= y + h + 1, (text.text, ink))
                self.assertEqual(2, labels)


if __name__ == "__main__":
    readers.main("response_readers_test", programs=(("rsvg-convert", "librsvg2-bin"),),
                 modules=(("PIL", "python3-pil"),))
