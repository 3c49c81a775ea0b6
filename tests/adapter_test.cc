// The driver adapter's mesh: one closed part whose passage has the
// contour's area at every slice, the same part whatever the unit typed.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>
#include <unordered_map>

#include "design/adapter_part.h"
#include "geometry/tractrix.h"

namespace bellform {
namespace {

struct Case {
  const char* name;
  double W, H, T, D, L;  // inches, L 0 for the natural length
  bool mm;               // typed in millimetres
  bool refused = false;  // no thickness at this length
};

DesignRecord horn(const Case& c) {
  DesignRecord rec;
  rec.units = c.mm ? metric_units : inch_units;
  const auto typed = [&](double inches) { return rec.units.to_inches(inches * rec.units.per_inch); };
  rec.W = typed(c.W), rec.H = typed(c.H), rec.T = typed(c.T), rec.D = typed(c.D);
  rec.radii = design_radii(rec.W, rec.H, rec.T);
  rec.L = c.L > 0 ? typed(c.L) : natural_length(rec.radii);
  return rec;
}

double loop_area(const Mesh& m, int k) {  // square inches
  double twice = 0;
  for (int i = 0; i < adapter_loop_points; ++i) {
    const Vertex& p = m.vertices[k * adapter_loop_points + i];
    const Vertex& q = m.vertices[k * adapter_loop_points + (i + 1) % adapter_loop_points];
    twice += p.x * q.y - q.x * p.y;
  }
  return twice / 2 / 645.16;
}

class Adapter : public testing::TestWithParam<Case> {};

TEST_P(Adapter, IsOneClosedPartWithTheContoursArea) {
  const Case c = GetParam();
  AdapterShape s;
  Mesh m;
  const std::string why = adapter_part(horn(c), s);
  if (c.refused) {
    EXPECT_EQ("No adapter to print: its thickness at this length is not above 0.", why);
    return;
  }
  ASSERT_EQ("", why);
  adapter_mesh(s, m);
  std::unordered_map<std::uint64_t, int> edges;  // directed: each once, and its reverse
  std::vector<std::uint32_t> part(m.vertices.size());
  std::iota(part.begin(), part.end(), 0u);
  const auto root = [&](std::uint32_t v) { while (part[v] != v) v = part[v] = part[part[v]]; return v; };
  for (const Facet& f : m.facets) {
    const std::uint32_t v[3] = {f.a, f.b, f.c};
    for (int e = 0; e < 3; ++e) {
      ++edges[std::uint64_t{v[e]} << 32 | v[(e + 1) % 3]];
      part[root(v[e])] = root(v[(e + 1) % 3]);
    }
    const Vertex &a = m.vertices[f.a], &b = m.vertices[f.b], &d = m.vertices[f.c];
    const double nz = (b.x - a.x) * (d.y - a.y) - (b.y - a.y) * (d.x - a.x);
    const double ny = (b.z - a.z) * (d.x - a.x) - (b.x - a.x) * (d.z - a.z);
    const double nx = (b.y - a.y) * (d.z - a.z) - (b.z - a.z) * (d.y - a.y);
    EXPECT_GT(std::hypot(nx, ny, nz), 1e-3) << "degenerate facet";
  }
  for (const auto& [edge, count] : edges) {
    EXPECT_EQ(1, count);
    EXPECT_EQ(1, edges.count(edge << 32 | edge >> 32));
  }
  for (std::uint32_t v = 0; v < part.size(); ++v) EXPECT_EQ(root(0), root(v));
  const int n = adapter_slices(s);
  EXPECT_LE(s.thickness * 25.4 / n, 1.0);
  for (int k = 0; k <= n; ++k) {
    const double r = k == 0 ? s.D / 2 : tractrix_radius(s.L + s.thickness * (n - k) / n, s.rm);
    EXPECT_NEAR(1, loop_area(m, k) / (k == n ? s.W0 * s.H0 : PI * r * r), 0.005) << k;
  }
  if (!c.mm) return;
  Case typed_in_inches = c;
  typed_in_inches.mm = false;
  Mesh twin;
  ASSERT_EQ("", adapter_part(horn(typed_in_inches), s));
  adapter_mesh(s, twin);
  ASSERT_EQ(twin.vertices.size(), m.vertices.size());
  for (std::size_t v = 0; v < m.vertices.size(); ++v) {
    const Vertex &a = m.vertices[v], &b = twin.vertices[v];
    EXPECT_LT(std::hypot(a.x - b.x, a.y - b.y, a.z - b.z), 0.001) << v;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Horns, Adapter,
    testing::Values(Case{"WorkedExample", 12, 12, 2, 1, 0, false},
                    Case{"BassHorn", 40, 30, 3, 2, 0, false},
                    Case{"ShortHornWideThroat", 12, 12, 2, 1, 8, false},
                    Case{"LongHornNarrowThroat", 12, 12, 2, 1, 11, false},
                    Case{"WorkedExampleInMm", 12, 12, 2, 1, 0, true},
                    Case{"TooLongForAnyThickness", 12, 12, 2, 1, 16, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bellform
