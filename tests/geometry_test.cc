// The horn's geometry: the tractrix, and the throat and mouth a width and
// a length give. The worked example's stations: the data file's bytes
// (data_file_test.cc) and the report's screen (report_test.cc).
#include <gtest/gtest.h>

#include "geometry/horn.h"
#include "geometry/tractrix.h"
#include "geometry/walk.h"

namespace bellform {
namespace {

// The worked horn: mouth 12 x 12, throat 2, driver 2, at its natural length.
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
