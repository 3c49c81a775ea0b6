// The driver adapter: a part whose passage turns from the driver's round
// exit into the horn's rectangular throat while its area keeps following
// the tractrix, the one part of the horn that cannot be cut from a flat
// template. Here its passage and its wall, as rings round its axis; the
// flanges, the sections and the mesh to print: adapter_print.h.
#pragma once

#include <array>

#include "geometry/horn.h"
#include "geometry/measures.h"
#include "geometry/mesh.h"

namespace bellform {

// The part's shape in inches. The driver's face is at z = 0, the horn's at
// z = thickness; the contour there is L from the mouth.
struct AdapterShape {
  double D = 0;          // the driver's exit, a circle
  double W0 = 0, H0 = 0; // the horn's throat: the first station's section
  double thickness = 0;  // the report's adapter thickness
  double rm = 0, L = 0;  // the tractrix constant and the horn's length
};

// The driver's bolt holes in the driver flange, in millimetres: `bolts`
// holes of diameter `hole`, evenly spaced on a circle of diameter `circle`,
// the first on +x. No bolts: a flange to drill.
struct BoltPattern {
  int bolts = 0;
  double circle = 0;
  double hole = 6.5;  // an M6 clearance
};

// Slicers take STL coordinates as millimetres, so the part is built in them
// (mm_per_inch).
// The wall round the passage, mm.
constexpr double adapter_wall_mm = 5;

// Points on each ring round the passage, a quarter at a time.
constexpr int adapter_quarter_points = 32;
constexpr int adapter_ring_points = 4 * adapter_quarter_points;

// The adapter of the horn at length L: its throat is the first station's
// section, its thickness tractrix_length(D/2, rm) - L.
AdapterShape adapter_shape(const Radii& radii, double H, double D, double L);

// Whether the part exists: some thickness, and a driver narrower than the
// circle of the mouth's area.
bool adapter_printable(const AdapterShape& shape);

// The part's height, driver's face to horn's, in mm.
double adapter_height_mm(const AdapterShape& shape);

// A ring round the z axis in mm, the passage's width along x,
// counter-clockwise seen from +z and starting on +x. Point j of every ring
// lies on the same ray from the axis, so the surface between two rings is
// ruled without twist, and a face between two rings or a ring and a square
// is the polygon between them.
using AdapterRing = std::array<Point2, adapter_ring_points>;

// The rings of one part, at any height z in mm from 0 at the driver's face
// to adapter_height_mm at the horn's.
class AdapterRings {
 public:
  explicit AdapterRings(const AdapterShape& shape);
  // The passage: the contour's area, from the circle of D at the driver's
  // face to the throat's W0 x H0 at the horn's, the corner rounding off and
  // the width over the height moving evenly between them.
  void passage(double z, AdapterRing& ring) const;
  // The wall's outside: the passage's rounded rectangle grown by the wall
  // all round, so its corners are rounded by theirs plus the wall.
  void wall(double z, AdapterRing& ring) const;

 private:
  AdapterShape shape_;
  std::array<Point2, adapter_quarter_points + 1> rays_;
};

}  // namespace bellform
