// The closed outlines of the drawings, from stations as a pass lists them.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "geometry/outline.h"

namespace bellform {
namespace {

using Points = std::vector<std::pair<double, double>>;

Points vertices(const Outline& outline) {
  Points points;
  for (int i = 0; i < outline.count; ++i) points.emplace_back(outline.x[i], outline.y[i]);
  return points;
}

struct PieceCase {
  const char* name;
  Points stations;  // dim X, W/2
  bool drawable;
  Points expected;
};

TEST(OutlineTest, PieceGoesOutAlongOneSideAndBackAlongTheOther) {
  static Outline out;  // the storage of 499 stations
  const PieceCase cases[] = {
      {"three stations", {{0, 1}, {0.1, 0.9}, {0.2, 1.5}}, true,
       {{0, 1}, {0.1, 0.9}, {0.2, 1.5}, {0.2, -1.5}, {0.1, -0.9}, {0, -1}}},
      {"two stations", {{0, 1}, {0.05, 1.2}}, true, {{0, 1}, {0.05, 1.2}, {0.05, -1.2}, {0, -1}}},
      {"the mouth listed twice", {{0, 1}, {0.1, 2}, {0.1, 2}}, true,
       {{0, 1}, {0.1, 2}, {0.1, -2}, {0, -1}}},
      {"a mouth of no width", {{0, 1}, {0.1, 0}}, true, {{0, 1}, {0.1, 0}, {0, -1}}},
      {"the throat alone", {{0, 1}}, false, {}},
      {"the throat twice", {{0, 1}, {0, 1}}, false, {}},
      {"no station", {}, false, {}},
  };
  for (const PieceCase& c : cases) {
    std::vector<double> x, w;
    for (const auto& [sx, sw] : c.stations) {
      x.push_back(sx);
      w.push_back(sw);
    }
    out.count = -1;
    EXPECT_EQ(c.drawable, piece_outline(x.data(), w.data(), static_cast<int>(x.size()), out))
        << c.name;
    EXPECT_EQ(c.expected, vertices(out)) << c.name;
  }

  // The most a pass lists, and more: only the first 499 are read.
  double x[600], w[600];
  for (int i = 0; i < 600; ++i) {
    x[i] = 0.1 * i;
    w[i] = 1 + 0.01 * i;
  }
  ASSERT_TRUE(piece_outline(x, w, 600, out));
  ASSERT_EQ(998, out.count);
  EXPECT_EQ(x[498], out.x[498]);
  EXPECT_EQ(-w[498], out.y[499]);
  EXPECT_EQ(-w[0], out.y[997]);
}

}  // namespace
}  // namespace bellform
