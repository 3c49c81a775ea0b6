#include "geometry/adapter_print.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace bellform {

namespace {

// The flanges' sides: the driver's D + 30, or room for its bolts; the
// horn's max(W0, H0) + 50; a joint's the wall's size at the cut plus 24.
// Their holes so far in from the edges. A flange is widened only where the
// wall grows so fast within its thickness that it would come nearer its
// edge than the rim, or its corner holes nearer the wall than the margin.
constexpr double horn_hole_in = 10, joint_hole_in = 7;
constexpr double rim = 2, hole_margin = 1;
// The flanges' thickness is a third of a part shorter than this.
constexpr double full_flanges_from = 3 * adapter_flange_mm;
// Rings at most this far apart, and never fewer than this many; past a
// metre, farther apart, so the file stays a size a slicer takes (a part
// of 10 m, the largest made, has 1000 steps of 10 mm: its passage changes
// slowly there).
constexpr double ring_spacing = 1.0;
constexpr int min_ring_steps = 16;
constexpr int max_ring_steps = 1000;

// The heights of the rings: the flanges' faces, and between them even
// steps; a step too near a face is left out, so no facet is a sliver.
std::vector<double> ring_levels(double height, std::vector<double> faces) {
  const int steps = std::clamp(static_cast<int>(std::ceil(height / ring_spacing)), min_ring_steps,
                               max_ring_steps);
  const double keep_off = std::min(0.1, height / steps / 4);
  std::sort(faces.begin(), faces.end());
  std::vector<double> levels = faces;
  for (int k = 1; k < steps; ++k) {
    const double z = height * k / steps;
    const auto next = std::lower_bound(faces.begin(), faces.end(), z);
    const bool near = (next != faces.end() && *next - z < keep_off) ||
                      (next != faces.begin() && z - *(next - 1) < keep_off);
    if (!near) levels.push_back(z);
  }
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
  return levels;
}

// The wall's largest reach from the axis along x or y between two heights.
double wall_reach(const AdapterRings& rings, const std::vector<double>& levels, double z0, double z1) {
  double reach = 0;
  AdapterRing ring;
  for (double z : levels) {
    if (z < z0 || z > z1) continue;
    rings.wall(z, ring);
    for (const Point2& p : ring) reach = std::max({reach, std::fabs(p.x), std::fabs(p.y)});
  }
  return reach;
}

// Holes near the four corners, `in` from both edges, clear of the wall
// where it reaches out to `reach`.
Flange corner_flange(double bottom, double top, double side, double in, double reach) {
  side = std::max(side, 2 * (reach + adapter_screw_hole_mm / 2 + hole_margin + in));
  const double c = side / 2 - in;
  return {bottom, top, side, adapter_screw_hole_mm, {{c, c}, {-c, c}, {-c, -c}, {c, -c}}};
}

Flange driver_flange(const AdapterShape& shape, const BoltPattern& bolts, double top, double reach) {
  const double D = shape.D * mm_per_inch;
  Flange f{0, top, std::max({bolts.circle + 2 * bolts.hole + 12, D + 30, 2 * (reach + rim)}),
           bolts.hole, {}};
  for (int k = 0; k < bolts.bolts; ++k) {
    const Point2 p = round_point(4 * k, 4 * bolts.bolts);
    f.holes.push_back({bolts.circle / 2 * p.x, bolts.circle / 2 * p.y});
  }
  return f;
}

// How far p lies outside the ring's polygon; below 0 inside it.
double outside(const AdapterRing& ring, Point2 p) {
  double nearest = INFINITY;
  bool inside = false;
  for (std::size_t k = 0, j = ring.size() - 1; k < ring.size(); j = k++) {
    const Point2 a = ring[j], b = ring[k];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    nearest = std::min(nearest, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
  }
  return inside ? -nearest : nearest;
}

BoltFit bolt_fit(const AdapterRings& rings, const BoltPattern& bolts, double D, const Flange& f,
                 const std::vector<double>& levels) {
  if (bolts.bolts == 0) return BoltFit::fits;
  if (bolts.hole < adapter_min_hole_mm || bolts.circle > adapter_max_size_mm)
    return BoltFit::out_of_size;
  const double between = bolts.circle * std::sin(std::numbers::pi / bolts.bolts) - bolts.hole;
  if (bolts.bolts > 1 && between < adapter_bolt_material_mm) return BoltFit::too_close;
  if ((bolts.circle - bolts.hole - D) / 2 < adapter_bolt_material_mm) return BoltFit::at_exit;
  // Through the flange clear of the passage, and out at its top clear of the wall.
  AdapterRing ring;
  for (const Point2& hole : f.holes) {
    for (double z : levels) {
      if (z > f.top) break;
      rings.passage(z, ring);
      if (outside(ring, hole) <= bolts.hole / 2) return BoltFit::in_wall;
    }
    rings.wall(f.top, ring);
    if (outside(ring, hole) <= bolts.hole / 2) return BoltFit::in_wall;
  }
  return BoltFit::fits;
}

}  // namespace

Point2 round_point(int k, int n) {
  const int quarter = n / 4, j = k % quarter;
  const double a = std::numbers::pi / 2 * j / quarter;
  const double c = std::cos(a), s = std::sin(a);
  switch (k / quarter % 4) {
    case 0: return {c, s};
    case 1: return {0.0 - s, c};
    case 2: return {0.0 - c, 0.0 - s};
    default: return {s, 0.0 - c};
  }
}

BoltFit plan_adapter(const AdapterShape& shape, const BoltPattern& bolts, double print_height,
                     AdapterPlan& plan) {
  const double height = adapter_height_mm(shape);
  const double flange = height < full_flanges_from ? height / 3 : adapter_flange_mm;
  int count = std::max(1, static_cast<int>(std::ceil(height / print_height)));
  while (height / count > print_height) ++count;
  std::vector<double> faces = {0, flange, height - flange, height};
  for (int k = 1; k < count; ++k) {
    const double cut = height * k / count;
    faces.insert(faces.end(), {cut - adapter_joint_mm, cut, cut + adapter_joint_mm});
  }
  plan = {height, height / count, ring_levels(height, faces), {}};
  const AdapterRings rings(shape);
  const Flange driver = driver_flange(shape, bolts, flange, wall_reach(rings, plan.levels, 0, flange));
  const double throat = std::max(shape.W0, shape.H0) * mm_per_inch;
  const Flange horn = corner_flange(height - flange, height, throat + 50, horn_hole_in,
                                   wall_reach(rings, plan.levels, height - flange, height));
  Flange lower = driver;
  for (int k = 1; k <= count; ++k) {
    const double cut = height * k / count;
    Flange upper = horn;
    if (k < count) {
      const double side = 2 * wall_reach(rings, plan.levels, cut, cut) + 24;
      const double reach = wall_reach(rings, plan.levels, cut - adapter_joint_mm, cut + adapter_joint_mm);
      upper = corner_flange(cut - adapter_joint_mm, cut, side, joint_hole_in, reach);
    }
    plan.sections.push_back({lower, upper});
    lower = upper;
    lower.bottom = cut;
    lower.top = cut + adapter_joint_mm;
  }
  return bolt_fit(rings, bolts, shape.D * mm_per_inch, driver, plan.levels);
}

}  // namespace bellform
