// The worked horn: mouth 12 x 12, throat 2, driver 2, at its natural length.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "geometry/horn.h"
#include "geometry/tractrix.h"

namespace bellform {
namespace {

std::string format(const char* pattern, double value) {
  char text[80];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::string format_row(const Station& st) {
  char text[80];
  std::snprintf(text, sizeof text, " %.2f \t%.3f \t%.3f \t%.3f \t%.3f\n",
                st.dim_x, st.half_w, st.height, st.h_over_w, st.area);
  return text;
}

// Stations as a pass walks them: every step from the throat, the last one
// clamped to the mouth.
std::vector<Station> walk(const Frame& f, double rm, double step) {
  std::vector<Station> stations;
  bool last = false;
  for (double s = f.s0; stations.size() < 1000;) {
    stations.push_back(station_at(f, rm, s));
    s = s + step;
    if (s > f.sM) {
      if (last) break;
      last = true;
      s = f.sM;
    }
  }
  return stations;
}

struct Worked {
  Radii radii = design_radii(12, 12, 2);
  double L = natural_length(radii);
  Frame frame = layout_frame(radii, 12, L);
};

TEST(TractrixTest, MouthIsAtLengthZero) {
  for (double R : {0.5, 6.77, 20.0}) EXPECT_EQ(0.0, tractrix_length(R, R));
}

TEST(TractrixTest, RadiusAtTheMouthIsJustBelowR) {
  for (double R : {0.5, 6.77, 20.0}) {
    for (double x : {0.0, -3.0}) {  // a negative distance acts as zero
      const double y = tractrix_radius(x, R);
      EXPECT_LT(y, R);
      EXPECT_GT(y, R - 0.0001);
    }
  }
}

TEST(TractrixTest, RadiusInvertsLength) {
  const double R = 6.77;
  for (double y : {0.01, 1.128, 3.0, 6.5}) {
    EXPECT_NEAR(y, tractrix_radius(tractrix_length(y, R), R), 0.0001);
  }
  EXPECT_LT(tractrix_radius(tractrix_length(0.00005, R), R), 0.0001);
}

TEST(GeometryTest, WorkedExamplePrintsItsNumbers) {
  const Worked w;
  EXPECT_EQ("10.10", format("%.2f", w.L));
  EXPECT_EQ("2.02008", format("%g", w.frame.b));
  EXPECT_EQ("12.1205", format("%g", w.frame.len_ext));
  EXPECT_EQ("11.27", format("%.2f", piece_length(w.frame)));
  EXPECT_EQ("52.7", format("%.1f", piece_angle(w.frame)));
  EXPECT_EQ("0.81", format("%.2f", adapter_thickness(2, w.L, w.radii.rm)));
}

TEST(GeometryTest, ThroatAndMouthStations) {
  const Worked w;
  EXPECT_EQ(" 0.00 \t1.000 \t2.000 \t1.000 \t4.000\n",
            format_row(station_at(w.frame, w.radii.rm, w.frame.s0)));
  EXPECT_EQ(" 11.27 \t6.000 \t12.000 \t1.000 \t143.998\n",
            format_row(station_at(w.frame, w.radii.rm, w.frame.sM)));
}

TEST(GeometryTest, ScreenPassAtOneInch) {
  const Worked w;
  const std::vector<Station> st = walk(w.frame, w.radii.rm, 1.0);
  ASSERT_EQ(13u, st.size());
  EXPECT_EQ("11.00", format("%.2f", st[11].dim_x));
  EXPECT_EQ("11.27", format("%.2f", st[12].dim_x));
  EXPECT_EQ("283", format("%.0f", cutoff_frequency(st[0].area, st[1].area,
                                                   st[1].dim_x)));
}

TEST(GeometryTest, FilePassAtHalfInchMatchesDataFile) {
  std::ifstream file(BELLFORM_DATA_DIR "/bellform.txt");
  ASSERT_TRUE(file) << "cannot read the data file";
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line + "\n");
  ASSERT_GE(lines.size(), 27u);

  const Worked w;
  const std::vector<Station> st = walk(w.frame, w.radii.rm, 0.5);
  ASSERT_EQ(24u, st.size());
  for (size_t i = 0; i < st.size(); ++i) {
    EXPECT_EQ(lines[3 + i], format_row(st[i])) << "station " << i;
  }
  EXPECT_EQ("282", format("%.0f", cutoff_frequency(st[0].area, st[1].area,
                                                   st[1].dim_x)));
}

TEST(GeometryTest, NaturalLengthThroatIsTheSquare) {
  for (double W : {12.0, 20.0, 7.5}) {
    const Radii radii = design_radii(W, 10, 2);
    const Frame f = layout_frame(radii, 10, natural_length(radii));
    const Station throat = station_at(f, radii.rm, f.s0);
    const Station mouth = station_at(f, radii.rm, f.sM);
    EXPECT_EQ("2.000 2.000 4.000",
              format("%.3f", throat.height) + format(" %.3f", throat.half_w * 2) +
                  format(" %.3f", throat.area));
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

TEST(GeometryTest, AdapterForAnUntypedDriverIsPositive) {
  for (double T : {1.0, 2.0, 3.0}) {
    const Radii radii = design_radii(12, 12, T);
    EXPECT_GT(adapter_thickness(T, natural_length(radii), radii.rm), 0);
  }
}

}  // namespace
}  // namespace bellform
