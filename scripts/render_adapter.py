#!/usr/bin/python3
"""Renders the driver adapter's STL as the README shows it: the part cut
in half along its width and seen from three quarters above, so the cut
shows the passage turning from the driver's circle (at the bottom) into the
horn's throat (on top). Debian packages python3-stl and python3-matplotlib.

Usage: scripts/render_adapter.py ADAPTER.stl OUT.png
(docs/horn-adapter.png: the worked example, 12 x 12, throat 2, driver 1)
"""

import sys

import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy  # noqa: E402
from mpl_toolkits.mplot3d.art3d import Poly3DCollection  # noqa: E402
from stl import mesh  # noqa: E402

BLOCK, PASSAGE, CUT = (0.55, 0.65, 0.8), (0.9, 0.5, 0.2), (0.8, 0.8, 0.78)
LIGHT = numpy.array([0.3, -0.8, 0.6]) / numpy.linalg.norm([0.3, -0.8, 0.6])


def cut_faces(facets):
    """The two faces the cut at y = 0 leaves, between the passage and the
    block's sides: outlines through the mesh's vertices on that plane."""
    points = numpy.unique(facets.reshape(-1, 3), axis=0)
    on_cut = points[numpy.abs(points[:, 1]) < 1e-6]
    side = on_cut[:, 0].max()
    faces = []
    for sign in (1, -1):
        wall = on_cut[(sign * on_cut[:, 0] > 0) & (numpy.abs(on_cut[:, 0]) < side - 1e-3)]
        wall = wall[numpy.argsort(wall[:, 2])]
        corners = [[sign * side, 0, wall[-1, 2]], [sign * side, 0, wall[0, 2]]]
        faces.append(numpy.concatenate([wall, corners]))
    return faces


def main(source, target):
    with open(source, "rb") as f:
        header = f.read(80).decode("ascii", "replace").strip()
    facets = mesh.Mesh.from_file(source).vectors
    kept = facets[(facets[:, :, 1] >= -1e-6).all(axis=1)]  # the half behind the cut
    normals = numpy.cross(kept[:, 1] - kept[:, 0], kept[:, 2] - kept[:, 0])
    normals /= numpy.linalg.norm(normals, axis=1)[:, None]
    shade = 0.35 + 0.65 * numpy.clip(normals @ LIGHT, 0, 1)
    side = facets[:, :, 0].max()
    passage = numpy.abs(kept[:, :, :2]).max(axis=(1, 2)) < side - 1e-3
    colours = numpy.where(passage[:, None], PASSAGE, BLOCK) * shade[:, None]

    figure = plt.figure(figsize=(6, 6.4), dpi=110)
    axes = figure.add_subplot(projection="3d")
    axes.add_collection3d(Poly3DCollection(kept, facecolors=colours, edgecolors=colours,
                                           linewidths=0.3))
    axes.add_collection3d(Poly3DCollection(cut_faces(facets), facecolors=CUT,
                                           edgecolors=(0.3, 0.3, 0.3), linewidths=0.6))
    low, high = facets.min(axis=(0, 1)), facets.max(axis=(0, 1))
    axes.set_xlim(low[0], high[0])
    axes.set_ylim(low[1], high[1])
    axes.set_zlim(low[2], high[2])
    axes.set_box_aspect(high - low)
    axes.view_init(elev=28, azim=-60)
    axes.set_axis_off()
    figure.text(0.5, 0.13, header, ha="center", fontsize=8)
    figure.savefig(target, bbox_inches="tight", facecolor="white")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
