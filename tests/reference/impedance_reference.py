#!/usr/bin/python3
"""The worked example's throat impedance (12 x 12 inch mouth, 2 inch
throat, 2 inch driver, natural length), computed here on its own, apart
from the program: the expected file tests/data/horn-impedance.csv is this
script's output, and ctest checks that it still is.

The same model as the program's, written out again: plane waves along the
tractrix contour from the driver's diameter (or the throat, if farther
from the mouth) to the mouth, in conical segments, the mouth a piston in
an infinite baffle, no losses, c = 13200 in/s. It differs where it may:
the contour is cut into 8000 cones of equal slant length (the program
cuts fewer, evenly in the contour's parameter), the matrices are full
complex ones, and the geometry and the Bessel and Struve functions come
from mpmath at 30 digits.

Usage: impedance_reference.py              the CSV on standard output
       impedance_reference.py --check FILE  exit 1 unless FILE is that CSV
Needs mpmath and numpy (Debian: python3-mpmath, python3-numpy); without
them it exits 77, the skip of ctest, unless BELLFORM_REQUIRE_READERS is set.
"""

import os
import sys

try:
    import mpmath as mp
    import numpy as np
except ImportError as missing:
    if os.environ.get("BELLFORM_REQUIRE_READERS"):
        raise
    print("impedance_reference: SKIPPED: %s for %s" % (missing, sys.executable))
    sys.exit(77)

mp.mp.dps = 30
SPEED = 13200                  # inches a second
W, H, T = 12, 12, 2            # the worked example; the driver is the throat's side
DRIVER = T
SEGMENTS = 8000
# The layout's radii are computed with its short 1/PI: the same horn.
INV_PI_LAYOUT = mp.mpf("0.318309886142228")


def tractrix_length(y, R):
    s = mp.sqrt(R * R - y * y)
    return R * mp.log((R + s) / y) - s


def contour(rm, x0):
    """Radii and axial positions from x0 to the mouth, at equal steps of the
    arc length rm ln cosh t, where r = rm / cosh t and x = rm (t - tanh t)."""
    t0 = mp.findroot(lambda t: rm * (t - mp.tanh(t)) - x0, (mp.mpf("0.01"), 50),
                     solver="anderson")
    arc0 = mp.log(mp.cosh(t0))
    radii, xs = [], []
    for i in range(SEGMENTS + 1):
        t = mp.acosh(mp.exp(arc0 * (SEGMENTS - i) / SEGMENTS))
        radii.append(float(rm / mp.cosh(t)))
        xs.append(float(rm * (t - mp.tanh(t))))
    return radii, xs


def piston(k, a):
    """The baffled piston's impedance times its area, rho c = 1."""
    z = 2 * mp.mpf(k) * a
    ka = z / 2
    return complex(1 - mp.besselj(1, z) / ka + 1j * mp.struveh(1, z) / ka) / float(mp.pi * a * a)


def throat_impedance(w=W, h=H, t=T, driver=DRIVER):
    """The frequencies, the impedance at the start of the path over rho c
    over its area, and the chain run forward: the volume velocity at the
    mouth for a unit one at the start, U2 = U1 / (M21 Zmouth + M22)."""
    rm = mp.sqrt(mp.mpf(w) * h * INV_PI_LAYOUT)
    rt = mp.sqrt(mp.mpf(t) * t * INV_PI_LAYOUT)
    x0 = max(tractrix_length(mp.mpf(driver) / 2, rm), tractrix_length(rt, rm))
    radii, xs = contour(rm, x0)
    freqs = [20 * 2 ** (i / 24) for i in range(241)]
    k = np.array([2 * np.pi * f / SPEED for f in freqs])
    area = [np.pi * r * r for r in radii]
    m = np.array([[np.ones_like(k), np.zeros_like(k)], [np.zeros_like(k), np.ones_like(k)]],
                 dtype=complex)
    for i in range(SEGMENTS):
        S1, S2, l = area[i], area[i + 1], xs[i] - xs[i + 1]
        kl = k * l
        if S1 == S2:
            seg = [[np.cos(kl), 1j * np.sin(kl) / S2], [1j * S1 * np.sin(kl), np.cos(kl)]]
        else:
            x1 = l / (np.sqrt(S2 / S1) - 1)
            x2 = x1 + l
            seg = [[(x2 / x1) * np.cos(kl) - np.sin(kl) / (k * x1),
                    1j / S2 * (x2 / x1) * np.sin(kl)],
                   [1j * S1 * ((x2 / x1 + 1 / (k * x1) ** 2) * np.sin(kl)
                               - l * np.cos(kl) / (k * x1 ** 2)),
                    (x1 / x2) * np.cos(kl) + np.sin(kl) / (k * x2)]]
        m = np.einsum("ijf,jkf->ikf", m, np.array(seg))
    zm = np.array([piston(kk, rm) for kk in k])
    z = (m[0, 0] * zm + m[0, 1]) / (m[1, 0] * zm + m[1, 1]) * area[0]
    return freqs, z, 1 / (m[1, 0] * zm + m[1, 1])


def csv_text():
    freqs, z, _ = throat_impedance()
    lines = ["frequency_hz,throat_resistance,throat_reactance\n"]
    lines += ["%.2f,%.4f,%.4f\n" % (f, v.real, v.imag) for f, v in zip(freqs, z)]
    return "".join(lines)


if __name__ == "__main__":
    text = csv_text()
    if len(sys.argv) == 3 and sys.argv[1] == "--check":
        with open(sys.argv[2]) as f:
            if f.read() != text:
                sys.exit("impedance_reference: %s is not this script's output" % sys.argv[2])
        print("impedance_reference: %s is this script's output" % sys.argv[2])
    elif len(sys.argv) == 1:
        sys.stdout.write(text)
    else:
        sys.exit(__doc__)
