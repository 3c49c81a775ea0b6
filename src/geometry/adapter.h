// The driver adapter: a block whose passage turns from the driver's round
// exit into the horn's rectangular throat while its area keeps following
// the tractrix, the one part of the horn that cannot be cut from a flat
// template. Built as a closed mesh for a 3D printer.
#pragma once

#include "geometry/horn.h"
#include "geometry/mesh.h"

namespace bellform {

// The part in inches. The driver's face is at z = 0, the horn's at z =
// thickness; the contour there is L from the mouth.
struct AdapterShape {
  double D = 0;          // the driver's exit, a circle
  double W0 = 0, H0 = 0; // the horn's throat: the first station's section
  double thickness = 0;  // the report's adapter thickness
  double rm = 0, L = 0;  // the tractrix constant and the horn's length
  double block = 0;      // side of the square block round the passage
};

// The driver's bolt holes in the driver flange, in millimetres: `bolts`
// holes of diameter `hole`, evenly spaced on a circle of diameter `circle`,
// the first on +x. No bolts: a flange to drill.
struct BoltPattern {
  int bolts = 0;
  double circle = 0;
  double hole = 6.5;  // an M6 clearance
};

// The wall round the widest of the two openings, each way: room for the
// screws of the driver and of the horn.
constexpr double adapter_wall = 1.0;

// Points on each loop round the passage, a quarter at a time, and the
// slices along it: at most this far apart, and never fewer than this many.
constexpr int adapter_quarter_points = 32;
constexpr int adapter_loop_points = 4 * adapter_quarter_points;
constexpr double adapter_slice_mm = 1.0;
constexpr int adapter_min_slices = 16;

// The adapter of the horn at length L: its throat is the first station's
// section, its thickness tractrix_length(D/2, rm) - L.
AdapterShape adapter_shape(const Radii& radii, double H, double D, double L);

// Whether the part exists: some thickness, and a driver narrower than the
// circle of the mouth's area.
bool adapter_printable(const AdapterShape& shape);

// Slices of the passage, from the driver's face to the horn's.
int adapter_slices(const AdapterShape& shape);

// The part in millimetres, z from 0 at the driver's face up, the passage
// centred on the z axis, its width along x. The vertices are first the
// passage's loops, one slice after another (adapter_loop_points each,
// counter-clockwise seen from +z, starting on +x), then the block's outline
// at the driver's face and at the horn's. Only for a printable shape.
void adapter_mesh(const AdapterShape& shape, Mesh& mesh);

}  // namespace bellform
