#include "geometry/adapter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "geometry/measures.h"
#include "geometry/tractrix.h"

namespace bellform {

namespace {

constexpr int Q = adapter_quarter_points;
constexpr int N = adapter_loop_points;

struct Point {
  double x = 0, y = 0;
};

// A rounded rectangle centred on the axis: half width a, half height b,
// corner radius c, and the contour's area it has.
struct Section {
  double a = 0, b = 0, c = 0;
  double area = 0;
};

// The directions of the loop's points in the first quadrant, j = 0 on +x to
// j = Q on +y; the other quadrants mirror them. They are the same for every
// slice, so point j of one loop faces point j of the next and the block's
// outline: the passage is a ruled surface without twist, and each end face
// is a ring of quadrilaterals between rays from the axis. They pass through
// even steps along the line from (W0, 0) to (0, H0), so a long side of the
// throat gets its share of points (on the driver's circle they are at most
// 4.5 degrees apart for a throat twice as wide as high: a chord 0.1 % of
// the radius inside the arc). The middle ray runs through the throat's
// corner, which is then a vertex, and the ray nearest the diagonal is made
// the diagonal, through the block's corner. No trigonometry: the same bits
// from every C library.
struct Rays {
  std::array<Point, Q + 1> dir;
  int corner = Q / 2;  // the ray whose outline point is the block's corner
};

Rays loop_rays(double W0, double H0) {
  Rays rays;
  double nearest = INFINITY;
  for (int j = 0; j <= Q; ++j) {
    const double u = static_cast<double>(j) / Q;
    rays.dir[j] = {W0 * (1 - u), H0 * u};
    // tan of the angle off the diagonal
    const double off = std::fabs(rays.dir[j].y - rays.dir[j].x) / (rays.dir[j].x + rays.dir[j].y);
    if (j > 0 && j < Q && off < nearest) {
      nearest = off;
      rays.corner = j;
    }
  }
  rays.dir[Q / 2] = {W0, H0};
  // Both corners on one ray (a throat near square): the block's corner
  // joins the throat's ray, a hair off the diagonal.
  if (rays.corner != Q / 2) rays.dir[rays.corner] = {1, 1};
  return rays;
}

// Where the ray from the axis along d leaves the section: on the right side,
// on the top or on the corner's arc.
Point ray_exit(const Section& s, Point d) {
  if (d.x > 0) {
    const double y = (s.a / d.x) * d.y;
    if (y <= s.b - s.c) return {s.a, y};
  }
  if (d.y > 0) {
    const double x = (s.b / d.y) * d.x;
    if (x <= s.a - s.c) return {x, s.b};
  }
  const double len = std::sqrt(d.x * d.x + d.y * d.y);
  const Point u = {d.x / len, d.y / len};
  const Point centre = {s.a - s.c, s.b - s.c};
  const double along = u.x * centre.x + u.y * centre.y;
  const double across2 = centre.x * centre.x + centre.y * centre.y - s.c * s.c;
  const double t = along + std::sqrt(std::max(0.0, along * along - across2));
  return {t * u.x, t * u.y};
}

// Point i of a loop whose first quadrant is q[0..Q], counter-clockwise from +x.
Point loop_point(const std::array<Point, Q + 1>& q, int i) {
  const int quadrant = i / Q;
  const int j = i % Q;
  switch (quadrant) {
    case 0: return q[j];
    case 1: return {0.0 - q[Q - j].x, q[Q - j].y};
    case 2: return {0.0 - q[j].x, 0.0 - q[j].y};
    default: return {q[Q - j].x, 0.0 - q[Q - j].y};
  }
}

// The section of area A with corner radius c and width over height aspect:
// w h - (4 - pi) c^2 = A, w = aspect h. A corner radius above the half of
// the shorter side it rounds is cut to that half.
Section rounded_section(double A, double c, double aspect) {
  const double corners = 4 - std::numbers::pi;
  double h = std::sqrt((A + corners * c * c) / aspect);
  const double shorter = std::min(aspect, 1.0);
  if (c > shorter * h * 0.5) {
    h = std::sqrt(A / (aspect - corners * shorter * shorter * 0.25));
    c = shorter * h * 0.5;
  }
  return {aspect * h * 0.5, h * 0.5, c, A};
}

// The section k of n slices: the driver's circle, the throat's rectangle,
// between them the contour's area with the corner and the aspect moving
// linearly from the one to the other.
Section slice_section(const AdapterShape& p, int k, int n) {
  if (k == n) return {p.W0 * 0.5, p.H0 * 0.5, 0, p.W0 * p.H0};
  const double t = static_cast<double>(k) / n;
  const double r = k == 0 ? p.D * 0.5 : tractrix_radius(p.L + p.thickness * (1 - t), p.rm);
  const double aspect = 1 + t * (p.W0 / p.H0 - 1);
  return rounded_section((PI * r) * r, p.D * 0.5 * (1 - t), aspect);
}

// The first quadrant of slice k's loop in inches, its polygon scaled to the
// contour's area where the arcs are cut short by their chords.
std::array<Point, Q + 1> slice_quadrant(const AdapterShape& p, const Rays& rays, int k, int n) {
  const Section s = slice_section(p, k, n);
  std::array<Point, Q + 1> q;
  for (int j = 0; j <= Q; ++j) q[j] = ray_exit(s, rays.dir[j]);
  q[0] = {s.a, 0};
  q[Q] = {0, s.b};
  if (s.c > 0) {
    double twice_area = 0;
    for (int j = 0; j < Q; ++j) twice_area += q[j].x * q[j + 1].y - q[j + 1].x * q[j].y;
    const double scale = std::sqrt(s.area / (2 * twice_area));
    for (Point& pt : q) pt = {pt.x * scale, pt.y * scale};
  }
  return q;
}

// The block's outline: where each ray meets the square, the diagonal's ray
// exactly on its corner.
std::array<Point, Q + 1> block_quadrant(const AdapterShape& p, const Rays& rays) {
  const double half = p.block * 0.5;
  std::array<Point, Q + 1> q;
  for (int j = 0; j <= Q; ++j) {
    const Point d = rays.dir[j];
    const double s = half / std::max(d.x, d.y);
    q[j] = {s * d.x, s * d.y};
  }
  q[0] = {half, 0};
  q[Q] = {0, half};
  q[rays.corner] = {half, half};
  return q;
}

// Slicers take STL coordinates as millimetres.
void add_loop(Mesh& mesh, const std::array<Point, Q + 1>& q, double z_inches) {
  for (int i = 0; i < N; ++i) {
    const Point pt = loop_point(q, i);
    mesh.vertices.push_back({pt.x * mm_per_inch, pt.y * mm_per_inch, z_inches * mm_per_inch});
  }
}

// Two facets over the quadrilateral a b c d, counter-clockwise from outside.
void add_quad(Mesh& mesh, std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  mesh.facets.push_back({a, b, c});
  mesh.facets.push_back({a, c, d});
}

}  // namespace

AdapterShape adapter_shape(const Radii& radii, double H, double D, double L) {
  const Frame frame = layout_frame(radii, H, L);
  const Station throat = station_at(frame, radii.rm, frame.s0);
  AdapterShape shape;
  shape.D = D;
  shape.W0 = throat.half_w * 2;
  shape.H0 = throat.height;
  shape.rm = radii.rm;
  shape.L = L;
  shape.thickness = adapter_thickness(D, L, radii.rm);
  shape.block = std::max({shape.W0, shape.H0, D}) + 2 * adapter_wall;
  return shape;
}

bool adapter_printable(const AdapterShape& shape) {
  return shape.D < 2 * shape.rm && shape.thickness > 0 && shape.W0 > 0 && shape.H0 > 0;
}

int adapter_slices(const AdapterShape& shape) {
  const double by_spacing = std::ceil(shape.thickness * mm_per_inch / adapter_slice_mm);
  return std::max(adapter_min_slices, static_cast<int>(by_spacing));
}

void adapter_mesh(const AdapterShape& shape, Mesh& mesh) {
  const int n = adapter_slices(shape);
  const Rays rays = loop_rays(shape.W0, shape.H0);
  mesh.vertices.clear();
  mesh.facets.clear();
  mesh.vertices.reserve(static_cast<std::size_t>(n + 3) * N);
  mesh.facets.reserve(static_cast<std::size_t>(n + 3) * N * 2);
  for (int k = 0; k <= n; ++k) {
    add_loop(mesh, slice_quadrant(shape, rays, k, n), shape.thickness * k / n);
  }
  const std::array<Point, Q + 1> block = block_quadrant(shape, rays);
  add_loop(mesh, block, 0);
  add_loop(mesh, block, shape.thickness);

  const auto at = [](int loop, int i) { return static_cast<std::uint32_t>(loop * N + i % N); };
  for (int i = 0; i < N; ++i) {
    // The passage, its facets facing the axis.
    for (int k = 0; k < n; ++k) add_quad(mesh, at(k, i), at(k + 1, i), at(k + 1, i + 1), at(k, i + 1));
    // The block's four sides, then its ends, the driver's face looking down.
    const int bottom = n + 1, top = n + 2;
    add_quad(mesh, at(bottom, i), at(bottom, i + 1), at(top, i + 1), at(top, i));
    add_quad(mesh, at(n, i), at(top, i), at(top, i + 1), at(n, i + 1));
    add_quad(mesh, at(0, i), at(0, i + 1), at(bottom, i + 1), at(bottom, i));
  }
}

}  // namespace bellform
