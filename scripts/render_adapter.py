#!/usr/bin/python3
"""Renders the driver adapter's STL as the README shows it: each section cut
in half along its width and seen from three quarters above, so the cut
shows the passage turning from the driver's circle (at the bottom) into the
horn's throat (on top) inside its wall, and the flanges with their holes.
Debian packages python3-stl, python3-shapely and python3-matplotlib.

Usage: scripts/render_adapter.py ADAPTER.stl OUT.png
(docs/horn-adapter.png: the worked example, 12 x 12, throat 2, driver 1,
with docs/example-driver.txt's bolts, at --print-height 100)
"""

import sys

import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy  # noqa: E402
from mpl_toolkits.mplot3d.art3d import Poly3DCollection  # noqa: E402
from shapely.geometry import LineString  # noqa: E402
from shapely.ops import polygonize  # noqa: E402
from stl import mesh  # noqa: E402

PART, PASSAGE, CUT = (0.55, 0.65, 0.8), (0.9, 0.5, 0.2), (0.85, 0.85, 0.82)
# The cut, a hair off the plane y = 0, where the rings have points.
Y = 0.01
LIGHT = numpy.array([0.3, -0.8, 0.6]) / numpy.linalg.norm([0.3, -0.8, 0.6])
ELEVATION, AZIMUTH = 28, -62
# Towards the viewer: a face turned away is hidden, and left out, so none
# is drawn over the faces in front of it.
VIEW = numpy.array([numpy.cos(numpy.radians(ELEVATION)) * numpy.cos(numpy.radians(AZIMUTH)),
                    numpy.cos(numpy.radians(ELEVATION)) * numpy.sin(numpy.radians(AZIMUTH)),
                    numpy.sin(numpy.radians(ELEVATION))])


def sections(facets):
    """Each section's facets and its axis along x, found by the gaps
    between them."""
    order = facets[:, :, 0].min(axis=1).argsort()
    parts, right = [], -numpy.inf
    for k in order:
        if facets[k, :, 0].min() > right + 1:
            parts.append([])
        parts[-1].append(k)
        right = max(right, facets[k, :, 0].max())
    return [facets[p] for p in parts]


def passage(part, axis):
    """Which facets are the passage's: the largest piece of those facing
    the axis, joined edge to edge (a hole's wall faces its own axis, a
    piece of its own)."""
    normals = numpy.cross(part[:, 1] - part[:, 0], part[:, 2] - part[:, 0])
    normals /= numpy.linalg.norm(normals, axis=1)[:, None]
    radial = part.mean(axis=1) - [axis, 0, 0]
    radial[:, 2] = 0
    inward = ((normals * radial).sum(axis=1) < -0.3 * numpy.linalg.norm(radial, axis=1)) & \
        (numpy.abs(normals[:, 2]) < 0.95)
    facing = numpy.nonzero(inward)[0]
    parent = list(range(len(facing)))

    def root(n):
        while parent[n] != n:
            parent[n] = parent[parent[n]]
            n = parent[n]
        return n
    owner = {}
    for n, k in enumerate(facing):
        for a, b in ((0, 1), (1, 2), (2, 0)):
            edge = tuple(sorted((tuple(part[k, a]), tuple(part[k, b]))))
            if edge in owner:
                parent[root(n)] = root(owner[edge])
            else:
                owner[edge] = n
    roots = [root(n) for n in range(len(facing))]
    biggest = max(set(roots), key=roots.count)
    mask = numpy.zeros(len(part), bool)
    mask[facing[[r == biggest for r in roots]]] = True
    return mask


def behind_the_cut(tri):
    """The facet's part behind the cut, a polygon of three or four corners."""
    polygon = []
    for a, b in zip(tri, numpy.roll(tri, -1, axis=0)):
        if a[1] >= Y:
            polygon.append(a)
        if (a[1] >= Y) != (b[1] >= Y):
            polygon.append(a + (b - a) * ((a[1] - Y) / (a[1] - b[1])))
    return numpy.array(polygon) if len(polygon) >= 3 else None


def cut_faces(facets):
    """The faces the cut leaves through the material, in 3D."""
    lines = []
    for tri in facets[(facets[:, :, 1].min(axis=1) < Y) & (facets[:, :, 1].max(axis=1) > Y)]:
        ends = []
        for a, b in ((0, 1), (1, 2), (2, 0)):
            p, q = sorted((tuple(tri[a]), tuple(tri[b])))
            if (p[1] - Y) * (q[1] - Y) < 0:
                t = (p[1] - Y) / (p[1] - q[1])
                ends.append((p[0] + t * (q[0] - p[0]), p[2] + t * (q[2] - p[2])))
        lines.append(LineString(ends))
    return [numpy.array([(x, Y, z) for x, z in face.exterior.coords]) for face in polygonize(lines)]


def normal(polygon):
    n = numpy.cross(polygon[1] - polygon[0], polygon[2] - polygon[0])
    return n / (numpy.linalg.norm(n) or 1)


def shade(polygon, colour):
    """Lit from the front, over the viewer's left shoulder."""
    return numpy.array(colour) * (0.35 + 0.65 * max(normal(polygon) @ LIGHT, 0))


def main(source, target):
    with open(source, "rb") as f:
        header = f.read(80).split(b"\0")[0].decode("ascii", "replace")
    facets = mesh.Mesh.from_file(source).vectors.astype(float)
    figure = plt.figure(figsize=(9, 5), dpi=110)
    axes = figure.add_axes([0, 0.1, 1, 0.9], projection="3d")
    for part in sections(facets):
        axis = (part[:, :, 0].min() + part[:, :, 0].max()) / 2
        polygons, colours = [], []
        for tri, inside in zip(part, passage(part, axis)):
            polygon = behind_the_cut(tri)
            if polygon is not None and normal(polygon) @ VIEW > 0:
                polygons.append(polygon)
                colours.append(shade(polygon, PASSAGE if inside else PART))
        axes.add_collection3d(Poly3DCollection(polygons, facecolors=colours, edgecolors=colours,
                                               linewidths=0.3))
        axes.add_collection3d(Poly3DCollection(cut_faces(part), facecolors=CUT,
                                               edgecolors=(0.3, 0.3, 0.3), linewidths=0.6))
    low, high = facets.min(axis=(0, 1)), facets.max(axis=(0, 1))
    low[1] = Y
    for k, set_lim in enumerate((axes.set_xlim, axes.set_ylim, axes.set_zlim)):
        set_lim(low[k], high[k])
    axes.set_box_aspect(high - low, zoom=1.05)
    axes.view_init(elev=ELEVATION, azim=AZIMUTH)
    axes.set_axis_off()
    figure.text(0.5, 0.12, header, ha="center", fontsize=8)
    figure.savefig(target, bbox_inches="tight", facecolor="white")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
