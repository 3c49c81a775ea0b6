// The closed outlines of the drawings, from stations as a pass lists them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "geometry/outline.h"
#include "geometry/walk.h"

namespace bellform {
namespace {

using Points = std::vector<std::pair<double, double>>;

Points vertices(const Outline& outline) {
  Points points;
  for (int i = 0; i < outline.count; ++i) points.emplace_back(outline.x[i], outline.y[i]);
  return points;
}

struct OutlineCase {
  const char* name;
  const Frame* frame;  // a side panel's, or nullptr for the piece
  Points stations;     // dim X, W/2
  bool drawable;
  Points expected;
};

// Half angle with cos 0.8 and tan 0.75, apex 5 in. before the throat along
// a piece: half heights 3 at the throat and 6 five inches further, where a
// half width grown from 1 to 4 makes the side 5 inches long (a 3-4-5
// triangle), all exact in binary.
Frame slanted() {
  Frame f;
  f.cos_t = 0.8;
  f.tan_t = 0.75;
  f.s0 = 5;
  return f;
}

TEST(OutlineTest, PartsGoOutAlongOneEdgeAndBackAlongTheOther) {
  static Outline out;  // the storage of 499 stations
  const Frame frame = slanted();
  const Frame* piece = nullptr;
  const OutlineCase cases[] = {
      {"three stations", piece, {{0, 1}, {0.1, 0.9}, {0.2, 1.5}}, true,
       {{0, 1}, {0.1, 0.9}, {0.2, 1.5}, {0.2, -1.5}, {0.1, -0.9}, {0, -1}}},
      {"two stations", piece, {{0, 1}, {0.05, 1.2}}, true,
       {{0, 1}, {0.05, 1.2}, {0.05, -1.2}, {0, -1}}},
      {"the mouth listed twice", piece, {{0, 1}, {0.1, 2}, {0.1, 2}}, true,
       {{0, 1}, {0.1, 2}, {0.1, -2}, {0, -1}}},
      {"a mouth of no width", piece, {{0, 1}, {0.1, 0}}, true, {{0, 1}, {0.1, 0}, {0, -1}}},
      {"the throat alone", piece, {{0, 1}}, false, {}},
      {"the throat twice", piece, {{0, 1}, {0, 1}}, false, {}},
      {"no station", piece, {}, false, {}},
      {"panel of two stations", &frame, {{0, 1}, {5, 4}}, true,
       {{0, 3}, {5, 6}, {5, -6}, {0, -3}}},
      {"panel with the mouth listed twice", &frame, {{0, 1}, {5, 4}, {5, 4}}, true,
       {{0, 3}, {5, 6}, {5, -6}, {0, -3}}},
      {"panel of the throat alone", &frame, {{0, 1}}, false, {}},
  };
  for (const OutlineCase& c : cases) {
    std::vector<double> x, w;
    for (const auto& [sx, sw] : c.stations) {
      x.push_back(sx);
      w.push_back(sw);
    }
    out.count = -1;
    const int n = static_cast<int>(x.size());
    const std::string why = c.frame ? side_panel_outline(*c.frame, x.data(), w.data(), n, out)
                                    : piece_outline(x.data(), w.data(), n, out);
    EXPECT_EQ(c.drawable, why.empty()) << c.name;
    EXPECT_EQ(c.expected, vertices(out)) << c.name;
  }

  // The most a pass lists, and more: only the first 499 are read.
  double x[600], w[600];
  for (int i = 0; i < 600; ++i) {
    x[i] = 0.1 * i;
    w[i] = 1 + 0.01 * i;
  }
  ASSERT_EQ("", piece_outline(x, w, 600, out));
  ASSERT_EQ(998, out.count);
  EXPECT_EQ(x[498], out.x[498]);
  EXPECT_EQ(-w[498], out.y[499]);
  EXPECT_EQ(-w[0], out.y[997]);
}

TEST(OutlineTest, WorkedExampleSidePanelLaidFlat) {
  // 12 x 12, throat 2, natural length, stations 0.1 inch apart.
  const Radii radii = design_radii(12, 12, 2);
  const Frame frame = layout_frame(radii, 12, natural_length(radii));
  double x[max_stations], w[max_stations];
  int n = 0;
  for (Walk walk = start_walk(frame); n < max_stations;) {
    const Station st = station_at(frame, radii.rm, walk.s);
    x[n] = st.dim_x;
    w[n++] = st.half_w;
    if (!next_station(frame, 0.1, walk)) break;
  }
  ASSERT_EQ(114, n);
  static Outline out;
  ASSERT_EQ("", side_panel_outline(frame, x, w, n, out));
  ASSERT_EQ(228, out.count);
  const int mouth = out.count / 2;  // the first vertex of the way back
  EXPECT_NEAR(12.485, out.x[mouth], 0.0005);  // the piece 11.27, the axis 10.10
  EXPECT_NEAR(2.000, out.y[0] - out.y[out.count - 1], 0.0005);
  EXPECT_NEAR(12.000, out.y[mouth - 1] - out.y[mouth], 0.0005);
}

}  // namespace
}  // namespace bellform
