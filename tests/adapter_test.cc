// The adapter's passage: the contour's area at every slice (its file: readers/).
#include <gtest/gtest.h>

#include <string>

#include "design/adapter_part.h"
#include "geometry/tractrix.h"

namespace bellform {
namespace {

struct Case {
  const char* name;
  double W, H, T, D, L;  // inches, L 0 for the natural length
};

class Adapter : public testing::TestWithParam<Case> {};

TEST_P(Adapter, HasTheContoursAreaAtEverySlice) {
  const Case c = GetParam();
  DesignRecord rec;
  rec.W = c.W, rec.H = c.H, rec.T = c.T, rec.D = c.D;
  rec.radii = design_radii(rec.W, rec.H, rec.T);
  rec.L = c.L > 0 ? c.L : natural_length(rec.radii);
  AdapterShape s;
  Mesh m;
  ASSERT_EQ("", adapter_part(rec, s));
  adapter_mesh(s, m);
  const int n = adapter_slices(s), N = adapter_loop_points;
  EXPECT_LE(s.thickness * 25.4 / n, 1.0);
  for (int k = 0; k <= n; ++k) {
    double area = 0;  // mm^2, by the shoelace
    for (int i = 0; i < N; ++i) {
      const Vertex &p = m.vertices[k * N + i], &q = m.vertices[k * N + (i + 1) % N];
      area += (p.x * q.y - q.x * p.y) / 2;
    }
    const double r = k == 0 ? s.D / 2 : tractrix_radius(s.L + s.thickness * (n - k) / n, s.rm);
    EXPECT_NEAR(1, area / 645.16 / (k == n ? s.W0 * s.H0 : PI * r * r), 0.005) << "slice " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Horns, Adapter,
                         testing::Values(Case{"WorkedExample", 12, 12, 2, 1, 0},
                                         Case{"BassHorn", 40, 30, 3, 2, 0},
                                         Case{"ShortHornWideThroat", 12, 12, 2, 1, 8},
                                         Case{"LongHornNarrowThroat", 12, 12, 2, 1, 11}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bellform
