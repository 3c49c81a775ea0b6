#!/usr/bin/python3
"""A horn's response with a driver apart from the program (the expected
tests/data/horn-response*-reference.csv are its output: the worked example
with docs/example-driver.txt, the bass horn with tests/data/woofer.txt, a
horn in millimetres): the throat from impedance_reference.py in full
precision, the driver not the program's closed form but its circuit, solved
as a linear system at each frequency (SI, rho 1.205, c 335.28):
  Ze I + Bl v = Eg;  Bl I = (Zm + Sd^2 Zr) v + Sd p;  Sd v = Uc + Uth;
  p = Zc Uc (Uc = 0 without a front chamber);  p = Z1 Uth.
The level's phase: the mouth's volume velocity Uth U2/U1 from the chain of
impedance_reference.py run forward, as a point source j w rho U.

Usage: response_reference.py DRIVER_FILE [--horn W,H,T,D [--mm]] [--check FILE]
The horn in inches (millimetres with --mm), the worked example without it.
Needs mpmath and numpy, as impedance_reference.py; without them it exits 77.
"""

import argparse
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import impedance_reference as ir  # noqa: E402 (exits 77 itself without its modules)

import numpy as np  # noqa: E402

RHO, C = 1.205, 13200 * 0.0254
# Each name's unit in SI when the line gives none, and the units a line may
# give after its number.
UNITS = {"re": 1, "le": 1e-3, "bl": 1, "sd": 1e-4, "mmd": 1e-3, "mms": 1e-3, "cms": 1e-3,
         "rms": 1, "qms": 1, "vrc": 1e-3, "vtc": 1e-6, "eg": 1, "fs": 1, "vas": 1e-3,
         "qes": 1, "xmax": 1e-3,
         "bolts": 0, "bolt_circle": 0, "bolt_hole": 0}  # the mounting: not the response's
GIVEN = {"ohm": 1, "mH": 1e-3, "cm2": 1e-4, "Hz": 1, "l": 1e-3, "cm3": 1e-6, "V": 1, "mm": 1e-3,
         "g": 1e-3, "mm/N": 1e-3}
VAS_AIR = 1.419e5  # Pa: rho c^2 as data sheets state Vas


def value(name, text):
    number, _, unit = text.strip().partition(" ")
    return float(number.replace(",", ".")) * (GIVEN[unit.strip()] if unit else UNITS[name])


def driver(path):
    """The file's values in SI; the model's own from the data sheet's where
    the file gives those: Cms from Vas, Mms from Fs, Bl from Qes (at the Fs
    of that Mms and Cms), Mmd and Rms from Mms and Qms."""
    d = {"le": 0.0, "vrc": 0.0, "vtc": 0.0, "eg": 2.83}
    for line in open(path, encoding="utf-8-sig"):
        if line.split("#")[0].strip():
            name, text = (part.strip() for part in line.split("#")[0].split("="))
            d[name.lower()] = value(name.lower(), text)
    a = math.sqrt(d["sd"] / math.pi)
    air = 16 * RHO * a ** 3 / 3
    d.setdefault("cms", d.get("vas", 0) / (VAS_AIR * d["sd"] ** 2))
    mms = d["mmd"] + air if "mmd" in d else d.get("mms", 0)
    mms = mms or 1 / ((2 * math.pi * d["fs"]) ** 2 * d["cms"])
    d.setdefault("mmd", mms - air)
    omega = 1 / math.sqrt(mms * d["cms"])
    d.setdefault("bl", math.sqrt(omega * mms * d["re"] / d.get("qes", 1)))
    d.setdefault("rms", omega * mms / d.get("qms", 1))
    return d


def response(d, horn):
    w, h, t, driver_diameter = horn
    freqs, z, flow = ir.throat_impedance(w, h, t, driver_diameter)
    rt = math.sqrt(t * t * float(ir.INV_PI_LAYOUT))
    start_radius = min(driver_diameter / 2, rt) * 0.0254
    z1 = np.asarray(z, dtype=complex) * RHO * C / (math.pi * start_radius ** 2)
    w = 2 * np.pi * np.asarray(freqs)
    ze = d["re"] + 1j * w * d["le"]
    zm = d["rms"] + 1j * w * d["mmd"] + 1 / (1j * w * d["cms"])
    zr = RHO * C * C / (1j * w * d["vrc"]) if d["vrc"] > 0 else 0 * w
    a = np.zeros((len(w), 5, 5), dtype=complex)  # unknowns I, v, Uc, Uth, p
    b = np.zeros((len(w), 5), dtype=complex)
    a[:, 0, 0], a[:, 0, 1], b[:, 0] = ze, d["bl"], d["eg"]
    a[:, 1, 0], a[:, 1, 1], a[:, 1, 4] = -d["bl"], zm + d["sd"] ** 2 * zr, d["sd"]
    a[:, 2, 1], a[:, 2, 2], a[:, 2, 3] = d["sd"], -1, -1
    a[:, 3, 4], a[:, 3, 2] = (1, -RHO * C * C / (1j * w * d["vtc"])) if d["vtc"] > 0 else (0, 1)
    a[:, 4, 4], a[:, 4, 3] = 1, -z1
    i, v, _, uth, _ = np.linalg.solve(a, b).T
    power = np.abs(uth) ** 2 * z1.real
    spl = 20 * np.log10(np.sqrt(RHO * C * power / (2 * np.pi)) / 20e-6)
    zet = d["eg"] / i
    excursion = 1000 * np.sqrt(2) * np.abs(v) / w
    spl_phase = np.degrees(np.angle(1j * uth * np.asarray(flow)))
    return freqs, spl, np.abs(zet), np.degrees(np.angle(zet)), excursion, spl_phase


def csv_text(path, horn):
    lines = ["frequency_hz,spl_db,impedance_ohm,impedance_phase_deg,excursion_mm,spl_phase_deg\n"]
    lines += ["%.2f,%.9g,%.9g,%.9g,%.9g,%.9g\n" % row for row in zip(*response(driver(path), horn))]
    return "".join(lines)


if __name__ == "__main__":
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("driver")
    parser.add_argument("--horn", default="%g,%g,%g,%g" % (ir.W, ir.H, ir.T, ir.DRIVER))
    parser.add_argument("--mm", action="store_true")
    parser.add_argument("--check")
    args = parser.parse_args()
    horn = [float(x) / (25.4 if args.mm else 1) for x in args.horn.split(",")]
    text = csv_text(args.driver, horn)
    if not args.check:
        sys.stdout.write(text)
    elif open(args.check).read() != text:
        sys.exit("response_reference: %s is not this script's output" % args.check)
