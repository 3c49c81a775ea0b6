// The sections of the adapter as closed bodies: the passage's rings joined
// into a tube facing the axis, the wall's rings into one facing out between
// the flanges, and each flange a plate whose faces close both tubes' ends.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/adapter_print.h"
#include "geometry/polygon_fill.h"

namespace bellform {

namespace {

using Index = std::uint32_t;
constexpr int N = adapter_ring_points;
// Points round a hole, and their distance from its centre: the polygon's
// sides touch the hole's circle, so the bolt passes.
constexpr int hole_points = 32;
const double hole_corner = 1 / std::cos(std::numbers::pi / hole_points);

Index add_points(Mesh& mesh, const Point2* points, int count, double z) {
  const auto first = static_cast<Index>(mesh.vertices.size());
  for (int k = 0; k < count; ++k) mesh.vertices.push_back({points[k].x, points[k].y, z});
  return first;
}

// Two facets over the quadrilateral a b c d, counter-clockwise from outside.
void add_quad(Mesh& mesh, Index a, Index b, Index c, Index d) {
  mesh.facets.push_back({a, b, c});
  mesh.facets.push_back({a, c, d});
}

// The surface between two rings of `count` points, facing away from their
// axis, or towards it (a passage, a hole).
void add_tube(Mesh& mesh, Index lower, Index upper, int count, bool inward) {
  for (int i = 0; i < count; ++i) {
    const Index a = lower + i, b = lower + (i + 1) % count;
    const Index c = upper + (i + 1) % count, d = upper + i;
    if (inward)
      add_quad(mesh, a, d, c, b);
    else
      add_quad(mesh, a, b, c, d);
  }
}

// A flange's face: its square's four corners, round the ring of N points
// it closes, and its holes' rings; facing up or down.
void add_face(Mesh& mesh, Index square, Index ring, Index holes, int hole_count, bool up) {
  std::vector<std::vector<Point2>> rings;
  std::vector<Index> index;  // each polygon point's vertex
  const auto take = [&](Index first, int count) {
    rings.emplace_back();
    for (int k = 0; k < count; ++k) {
      const Vertex& v = mesh.vertices[first + k];
      rings.back().push_back({v.x, v.y});
      index.push_back(first + k);
    }
  };
  take(square, 4);
  take(ring, N);
  for (int h = 0; h < hole_count; ++h) take(holes + h * hole_points, hole_points);
  for (const Triangle& t : fill_polygon(rings)) {
    if (up)
      mesh.facets.push_back({index[t[0]], index[t[1]], index[t[2]]});
    else
      mesh.facets.push_back({index[t[0]], index[t[2]], index[t[1]]});
  }
}

// The rings of a flange's holes at height z, one after another.
Index add_holes(Mesh& mesh, const Flange& f, double z) {
  const auto first = static_cast<Index>(mesh.vertices.size());
  const double r = f.hole / 2 * hole_corner;
  Point2 ring[hole_points];
  for (const Point2& c : f.holes) {
    for (int k = 0; k < hole_points; ++k) {
      const Point2 u = round_point(k, hole_points);
      ring[k] = {c.x + r * u.x, c.y + r * u.y};
    }
    add_points(mesh, ring, hole_points, z);
  }
  return first;
}

// A flange whose faces close the rings `below` (at its bottom) and `above`
// (at its top), the section's foot at `base`.
void add_flange(Mesh& mesh, const Flange& f, double base, Index below, Index above) {
  const double h = f.side / 2;
  const Point2 square[4] = {{h, -h}, {h, h}, {-h, h}, {-h, -h}};
  const Index bottom = add_points(mesh, square, 4, f.bottom - base);
  const Index top = add_points(mesh, square, 4, f.top - base);
  add_tube(mesh, bottom, top, 4, false);
  const int count = static_cast<int>(f.holes.size());
  const Index holes_bottom = add_holes(mesh, f, f.bottom - base);
  const Index holes_top = add_holes(mesh, f, f.top - base);
  for (int k = 0; k < count; ++k)
    add_tube(mesh, holes_bottom + k * hole_points, holes_top + k * hole_points, hole_points, true);
  add_face(mesh, bottom, below, holes_bottom, count, false);
  add_face(mesh, top, above, holes_top, count, true);
}

// Rings at every level from z0 to z1, joined into a tube; the first ring's
// and the last ring's first vertices.
struct Tube {
  Index first = 0, last = 0;
};

template <typename Ring>
Tube add_rings(Mesh& mesh, const std::vector<double>& levels, double z0, double z1, double base,
               bool inward, Ring ring_at) {
  Tube tube;
  bool started = false;
  AdapterRing ring;
  for (double z : levels) {
    if (z < z0 || z > z1) continue;
    ring_at(z, ring);
    const Index at = add_points(mesh, ring.data(), N, z - base);
    if (started)
      add_tube(mesh, tube.last, at, N, inward);
    else
      tube.first = at;
    tube.last = at;
    started = true;
  }
  return tube;
}

void add_section(Mesh& mesh, const AdapterRings& rings, const AdapterPlan& plan,
                 const AdapterSection& s) {
  const double base = s.lower.bottom;
  const Tube passage = add_rings(mesh, plan.levels, base, s.upper.top, base, true,
                                 [&rings](double z, AdapterRing& r) { rings.passage(z, r); });
  const Tube wall = add_rings(mesh, plan.levels, s.lower.top, s.upper.bottom, base, false,
                              [&rings](double z, AdapterRing& r) { rings.wall(z, r); });
  add_flange(mesh, s.lower, base, passage.first, wall.first);
  add_flange(mesh, s.upper, base, wall.last, passage.last);
}

}  // namespace

void adapter_mesh(const AdapterShape& shape, const AdapterPlan& plan, Mesh& mesh) {
  mesh.vertices.clear();
  mesh.facets.clear();
  const std::size_t rings = plan.levels.size() * 2;
  mesh.vertices.reserve(rings * N + plan.sections.size() * 400);
  mesh.facets.reserve(rings * N * 2 + plan.sections.size() * 1200);
  const AdapterRings ring_of(shape);
  double right = 0;  // the last section's right-hand edge
  for (std::size_t k = 0; k < plan.sections.size(); ++k) {
    const std::size_t first = mesh.vertices.size();
    add_section(mesh, ring_of, plan, plan.sections[k]);
    double left = INFINITY, this_right = -INFINITY;
    for (std::size_t v = first; v < mesh.vertices.size(); ++v) {
      left = std::min(left, mesh.vertices[v].x);
      this_right = std::max(this_right, mesh.vertices[v].x);
    }
    const double shift = k == 0 ? 0 : right + adapter_bed_gap_mm - left;
    for (std::size_t v = first; v < mesh.vertices.size(); ++v) mesh.vertices[v].x += shift;
    right = this_right + shift;
  }
}

}  // namespace bellform
