// The driver adapter as a part to bolt on and print at home: the passage
// with a wall round it, a flange at the driver's face with the driver's
// bolt holes, a flange at the horn's face with holes for wood screws, and,
// where the part is taller than the printer prints, sections cut at equal
// heights, each cut given a joint flange on both sides to bolt them in
// line. All in millimetres, z from 0 at the driver's face.
#pragma once

#include <vector>

#include "geometry/adapter.h"
#include "geometry/mesh.h"

namespace bellform {

constexpr double adapter_flange_mm = 8;          // the driver's and the horn's
constexpr double adapter_joint_mm = 6;           // each of a joint's two flanges
constexpr double adapter_screw_hole_mm = 4.5;    // wood screws, M4 bolts
constexpr double adapter_min_height_mm = 3;      // anything thinner is no part
constexpr double adapter_bolt_material_mm = 3;   // round each of the driver's holes
constexpr double adapter_bed_gap_mm = 10;        // between sections on the bed
// Beyond these the file's floats lose the part's small holes, or no
// printer knows the part: no taller or wider, no smaller bolt hole.
constexpr double adapter_max_size_mm = 10000;
constexpr double adapter_min_hole_mm = 1;

// A square plate centred on the axis, from `bottom` to `top`, with holes of
// one diameter through it.
struct Flange {
  double bottom = 0, top = 0;
  double side = 0;
  double hole = 0;
  std::vector<Point2> holes;  // their centres
};

// One piece to print: its flanges, and the wall between them.
struct AdapterSection {
  Flange lower, upper;  // lower.bottom and upper.top are the section's ends
};

struct AdapterPlan {
  double height = 0;           // the whole part's, flange to flange
  double section_height = 0;   // each section's: the part cut in equal ones
  std::vector<double> levels;  // the rings' heights, rising: every flange's faces among them
  std::vector<AdapterSection> sections;
};

// How the driver's bolt pattern sits in its flange: it fits, or its holes
// leave less than adapter_bolt_material_mm between each other or between
// them and the driver's exit, or they run into the passage or the wall
// above the flange, which would leave them no way through, or they are
// smaller than adapter_min_hole_mm or their circle wider than the part may be.
enum class BoltFit { fits, too_close, at_exit, in_wall, out_of_size };

// The part of a printable shape at least adapter_min_height_mm tall, cut
// into the fewest sections no taller than print_height. The plan holds the
// part when the bolts fit.
BoltFit plan_adapter(const AdapterShape& shape, const BoltPattern& bolts, double print_height,
                     AdapterPlan& plan);

// Point k of n evenly round the unit circle, counter-clockwise from +x, n a
// multiple of 4: the quarters mirror the first to the last bit, so points
// on an axis are exactly on it and points meant to be level are level.
Point2 round_point(int k, int n);

// The plan's sections as closed bodies (each edge in two facets, normals
// outward), each standing on z = 0, side by side along x with
// adapter_bed_gap_mm between them, the first centred on the axis.
void adapter_mesh(const AdapterShape& shape, const AdapterPlan& plan, Mesh& mesh);

}  // namespace bellform
