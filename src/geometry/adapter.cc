#include "geometry/adapter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "geometry/tractrix.h"

namespace bellform {

namespace {

constexpr int Q = adapter_quarter_points;
constexpr int N = adapter_ring_points;
constexpr double wall_inches = adapter_wall_mm / mm_per_inch;

// A rounded rectangle centred on the axis, in inches: half width a, half
// height b, corner radius c, and the contour's area it has.
struct Section {
  double a = 0, b = 0, c = 0;
  double area = 0;
};

// The directions of the rings' points in the first quadrant, j = 0 on +x to
// j = Q on +y; the other quadrants mirror them. They pass through even steps
// along the line from (W0, 0) to (0, H0), so a long side of the throat gets
// its share of points (on the driver's circle they are at most 4.5 degrees
// apart for a throat twice as wide as high: a chord 0.1 % of the radius
// inside the arc). The middle ray runs through the throat's corner, which is
// then a point of the ring. No trigonometry: the same bits from every C
// library.
std::array<Point2, Q + 1> ring_rays(double W0, double H0) {
  std::array<Point2, Q + 1> rays;
  for (int j = 0; j <= Q; ++j) {
    const double u = static_cast<double>(j) / Q;
    rays[j] = {W0 * (1 - u), H0 * u};
  }
  rays[Q / 2] = {W0, H0};
  return rays;
}

// Where the ray from the axis along d leaves the section: on the right side,
// on the top or on the corner's arc.
Point2 ray_exit(const Section& s, Point2 d) {
  if (d.x > 0) {
    const double y = (s.a / d.x) * d.y;
    if (y <= s.b - s.c) return {s.a, y};
  }
  if (d.y > 0) {
    const double x = (s.b / d.y) * d.x;
    if (x <= s.a - s.c) return {x, s.b};
  }
  const double len = std::sqrt(d.x * d.x + d.y * d.y);
  const Point2 u = {d.x / len, d.y / len};
  const Point2 centre = {s.a - s.c, s.b - s.c};
  const double along = u.x * centre.x + u.y * centre.y;
  const double across2 = centre.x * centre.x + centre.y * centre.y - s.c * s.c;
  const double t = along + std::sqrt(std::max(0.0, along * along - across2));
  return {t * u.x, t * u.y};
}

// Point i of a ring whose first quadrant is q[0..Q], counter-clockwise from
// +x, in mm: the quadrants mirror each other to the last bit.
Point2 ring_point(const std::array<Point2, Q + 1>& q, int i) {
  const int quadrant = i / Q;
  const int j = i % Q;
  const double mm = mm_per_inch;
  switch (quadrant) {
    case 0: return {q[j].x * mm, q[j].y * mm};
    case 1: return {0.0 - q[Q - j].x * mm, q[Q - j].y * mm};
    case 2: return {0.0 - q[j].x * mm, 0.0 - q[j].y * mm};
    default: return {q[Q - j].x * mm, 0.0 - q[Q - j].y * mm};
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

// The section at fraction t of the thickness: the driver's circle, the
// throat's rectangle, between them the contour's area with the corner and
// the aspect moving linearly from the one to the other.
Section section_at(const AdapterShape& p, double t) {
  if (t >= 1) return {p.W0 * 0.5, p.H0 * 0.5, 0, p.W0 * p.H0};
  const double r = t <= 0 ? p.D * 0.5 : tractrix_radius(p.L + p.thickness * (1 - t), p.rm);
  const double aspect = 1 + t * (p.W0 / p.H0 - 1);
  return rounded_section((PI * r) * r, p.D * 0.5 * (1 - t), aspect);
}

// The first quadrant of the passage's ring in inches, its polygon scaled to
// the contour's area where the arcs are cut short by their chords.
std::array<Point2, Q + 1> passage_quadrant(const Section& s, const std::array<Point2, Q + 1>& rays) {
  std::array<Point2, Q + 1> q;
  for (int j = 0; j <= Q; ++j) q[j] = ray_exit(s, rays[j]);
  q[0] = {s.a, 0};
  q[Q] = {0, s.b};
  if (s.c > 0) {
    double twice_area = 0;
    for (int j = 0; j < Q; ++j) twice_area += q[j].x * q[j + 1].y - q[j + 1].x * q[j].y;
    const double scale = std::sqrt(s.area / (2 * twice_area));
    for (Point2& pt : q) pt = {pt.x * scale, pt.y * scale};
  }
  return q;
}

void fill_ring(const std::array<Point2, Q + 1>& q, AdapterRing& ring) {
  for (int i = 0; i < N; ++i) ring[static_cast<std::size_t>(i)] = ring_point(q, i);
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
  return shape;
}

bool adapter_printable(const AdapterShape& shape) {
  return shape.D < 2 * shape.rm && shape.thickness > 0 && shape.W0 > 0 && shape.H0 > 0;
}

double adapter_height_mm(const AdapterShape& shape) { return shape.thickness * mm_per_inch; }

AdapterRings::AdapterRings(const AdapterShape& shape)
    : shape_(shape), rays_(ring_rays(shape.W0, shape.H0)) {}

void AdapterRings::passage(double z, AdapterRing& ring) const {
  const Section s = section_at(shape_, z / adapter_height_mm(shape_));
  fill_ring(passage_quadrant(s, rays_), ring);
}

void AdapterRings::wall(double z, AdapterRing& ring) const {
  const Section p = section_at(shape_, z / adapter_height_mm(shape_));
  const Section s = {p.a + wall_inches, p.b + wall_inches, p.c + wall_inches, 0};
  std::array<Point2, Q + 1> q;
  for (int j = 0; j <= Q; ++j) q[j] = ray_exit(s, rays_[j]);
  q[0] = {s.a, 0};
  q[Q] = {0, s.b};
  fill_ring(q, ring);
}

}  // namespace bellform
