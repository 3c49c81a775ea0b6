// The worked horn: mouth 12 x 12, throat 2, driver 2, at its natural length.
#include <gtest/gtest.h>

#include <vector>

#include "dialogue.h"
#include "geometry/horn.h"
#include "geometry/tractrix.h"
#include "geometry/walk.h"

namespace bellform {
namespace {

struct Worked {
  Radii radii = design_radii(12, 12, 2);
  double L = natural_length(radii);
  Frame frame = layout_frame(radii, 12, L);
};

// The mouth at length 0, its radius just below R; the radius the inverse
// of the length.
TEST(TractrixTest, RadiusInvertsLength) {
  for (double R : {0.5, 6.77, 20.0}) {
    EXPECT_EQ(0.0, tractrix_length(R, R));
    for (double x : {0.0, -3.0}) {  // a negative distance acts as zero
      EXPECT_LT(tractrix_radius(x, R), R);
      EXPECT_GT(tractrix_radius(x, R), R - 0.0001);
    }
  }
  for (double y : {0.01, 1.128, 3.0, 6.5})
    EXPECT_NEAR(y, tractrix_radius(tractrix_length(y, 6.77), 6.77), 0.0001);
  EXPECT_LT(tractrix_radius(tractrix_length(0.00005, 6.77), 6.77), 0.0001);
}

// The stations of a pass at `step`, by the walk the pass takes.
std::vector<Station> stations(const Worked& w, double step) {
  std::vector<Station> list;
  Walk walk = start_walk(w.frame);
  do {
    list.push_back(station_at(w.frame, w.radii.rm, walk.s));
  } while (list.size() <= max_stations && next_station(w.frame, step, walk));
  return list;
}

// Each station within half a unit of the last digit the data file prints:
// two decimals for dim X, three for the rest; its Fc from the first two.
TEST(GeometryTest, StationsHalfAnInchApartAreTheDataFiles) {
  const std::vector<std::vector<double>> rows =
      testing::table_rows(testing::example_file("bellform.txt"));
  const Worked w;
  const std::vector<Station> st = stations(w, 0.5);
  ASSERT_EQ(24u, rows.size());
  ASSERT_EQ(rows.size(), st.size());
  const double two_places = 0.005 + 1e-9, three_places = 0.0005 + 1e-9;
  for (std::size_t i = 0; i < st.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(rows[i][0], st[i].dim_x, two_places);
    EXPECT_NEAR(rows[i][1], st[i].half_w, three_places);
    EXPECT_NEAR(rows[i][2], st[i].height, three_places);
    EXPECT_NEAR(rows[i][3], st[i].h_over_w, three_places);
    EXPECT_NEAR(rows[i][4], st[i].area, three_places);
  }
  EXPECT_NEAR(282, cutoff_frequency(st[0].area, st[1].area, st[1].dim_x), 0.5);
}

TEST(GeometryTest, NaturalLengthThroatIsTheSquare) {
  for (double W : {12.0, 20.0, 7.5}) {
    const Radii radii = design_radii(W, 10, 2);
    const Frame f = layout_frame(radii, 10, natural_length(radii));
    const Station throat = station_at(f, radii.rm, f.s0);
    const Station mouth = station_at(f, radii.rm, f.sM);
    EXPECT_NEAR(2, throat.height, 5e-4);
    EXPECT_NEAR(2, throat.half_w * 2, 5e-4);
    EXPECT_NEAR(4, throat.area, 5e-4);
    EXPECT_NEAR(W * 10, mouth.area, 0.01);
    EXPECT_NEAR(W, mouth.half_w * 2, 0.001);
    EXPECT_DOUBLE_EQ(10, mouth.height);
  }
}

TEST(GeometryTest, LengthSetsTheThroatArea) {
  const Worked w;
  for (double L : {w.L - 2, w.L + 2}) {
    const Frame f = layout_frame(w.radii, 12, L);
    const Station throat = station_at(f, w.radii.rm, f.s0);
    EXPECT_DOUBLE_EQ(2, throat.height);  // pieces still run from T to H
    EXPECT_DOUBLE_EQ(12, station_at(f, w.radii.rm, f.sM).height);
    if (L > w.L) {
      EXPECT_LT(throat.area, 4 - 0.01);
    } else {
      EXPECT_GT(throat.area, 4 + 0.01);
    }
  }
}

TEST(GeometryTest, WidthEntersOnlyThroughTheContour) {
  const Worked w;
  const Radii wide = design_radii(30, 12, 2);
  const Frame f = layout_frame(wide, 12, w.L);
  EXPECT_EQ(piece_angle(w.frame), piece_angle(f));
  EXPECT_EQ(station_at(w.frame, w.radii.rm, 5).height,
            station_at(f, wide.rm, 5).height);
}

}  // namespace
}  // namespace bellform
