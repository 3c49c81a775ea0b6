// The throat impedance: the cone matrices, the exponential horn they must
// converge on, the baffled piston, a horn's table, and the I answer at the
// Macro question that writes it as a table and a chart.
#include <array>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

#include "dialogue.h"
#include "geometry/impedance.h"
#include "geometry/radiation.h"
#include "geometry/tractrix.h"

namespace bellform::testing {
namespace {

using cplx = std::complex<double>;
const cplx j(0, 1);
using ImpedanceFiles = Dialogue;
namespace fs = std::filesystem;

TEST(Impedance, ConesHaveDeterminantOneAndDuctsTheTextbookMatrix) {
  for (const Cone& cone :
       {Cone{1, 4, 2}, Cone{0.01, 0.0101, 0.05}, Cone{3, 300, 40}, Cone{2, 2, 3}})
    for (double k : {0.001, 0.5, 9.75}) {
      const Transfer t = cone_transfer(cone, k);
      EXPECT_NEAR(1.0, t.a * t.d + t.b * t.c, 1e-12) << cone.S2 << " " << k;
      const double c = std::cos(k * cone.l), s = std::sin(k * cone.l), S = cone.S1;
      EXPECT_TRUE(cone.S1 != cone.S2 || (t.a == c && t.d == c && std::fabs(t.b - s / S) < 1e-15 &&
                                         std::fabs(t.c - s * S) < 1e-15)) << k;
    }
}

// S = e^(0.2 x) over 24, cutoff at k = 0.1, as n cones and in closed form
// (g = sqrt(k^2 - m^2/4), imaginary below cutoff): the largest difference
// of the four elements, each over its size or 1.
constexpr double m = 0.2, length = 24;
Transfer cones(double k, int n) {
  Transfer t;
  for (int i = 0; i < n; ++i)
    t = t * cone_transfer({std::exp(m * length * i / n), std::exp(m * length * (i + 1) / n),
                           length / n}, k);
  return t;
}
double gap(double k, int n) {
  const cplx g = std::sqrt(cplx(k * k - m * m / 4)), s = std::sin(g * length),
             c = std::cos(g * length);
  const double e = std::exp(m * length / 2);  // and S2 = e^2
  const cplx exact[] = {e * (c - m / (2.0 * g) * s), j * (k / g) * s / e, j * e * (k / g) * s,
                        (c + m / (2.0 * g) * s) / e};
  const Transfer t = cones(k, n);
  const cplx got[] = {t.a, j * t.b, j * t.c, t.d};
  double worst = 0;
  for (int i = 0; i < 4; ++i)
    worst = std::fmax(worst, std::abs(got[i] - exact[i]) / std::fmax(1, std::abs(exact[i])));
  return worst;
}

TEST(Impedance, ConesConvergeOnTheExponentialHorn) {
  for (double k : {0.05, 0.12, 0.3, 2.0}) {
    EXPECT_LT(gap(k, 256), gap(k, 64) / 10) << k;  // second order: a 16th
    EXPECT_LT(gap(k, 1024), 1e-4) << k;
  }
}

// Loaded at its mouth by the wave that travels on, the horn is endless:
// its throat shows that wave's rho c / S (sqrt(1 - (fc/f)^2) + j fc/f),
// and its flow reaches the mouth e^(m L / 2) larger, late by g L.
TEST(Impedance, AnEndlessExponentialHornHasTheTextbookResistance) {
  for (double fc_over_f : {0.95, 0.67, 0.33, 0.1}) {
    const cplx onward(std::sqrt(1 - fc_over_f * fc_over_f), fc_over_f);
    const Transfer t = cones(0.1 / fc_over_f, 1024);
    const cplx z = input_impedance(t, onward / std::exp(m * length));
    EXPECT_LT(std::abs(z - onward), 1e-3) << fc_over_f << " " << z;
    const double g = 0.1 / fc_over_f * onward.real();
    const cplx flow = std::exp(m * length / 2 - j * g * length);
    EXPECT_LT(std::abs(output_flow(t, onward / std::exp(m * length)) / flow - 1.0), 1e-3);
  }
}

// mpmath 1.2.1 at 30 digits: 1 - besselj(1, 2ka)/ka and struveh(1, 2ka)/ka,
// either side of where H1 turns from its series to its expansion (ka = 10).
TEST(Impedance, PistonMatchesIndependentValues) {
  const double cases[][3] = {{0.01, 4.9999166673611076e-5, 0.0084880372804577924},
                             {1.0, 0.42327519224312661, 0.64676372828356212},
                             {4.2, 0.93552707898170587, 0.14091240238187169},
                             {6.5, 1.010818161864889, 0.066191305344990239},
                             {9.9, 0.99668517557738618, 0.046652726388489793},
                             {10.1, 0.99031025611313963, 0.048510550033324548},
                             {15.0, 1.0079167375077749, 0.048116691889799332},
                             {400.0, 0.99993306215319419, 0.0015693501260901337}};
  for (const auto& c : cases)
    EXPECT_LT(std::abs(piston_impedance(c[0]) - cplx(c[1], c[2])), 1e-9) << c[0];
}

// The worked example's path starts at its 2 inch driver, 10.91 inches from
// the mouth, for any length whose adapter has thickness.
TEST(Impedance, TheTableFollowsThePathNotTheLength) {
  const Radii radii = design_radii(12, 12, 2);
  ImpedanceTable natural, shorter, longer;
  ASSERT_EQ("", throat_impedance(radii, natural_length(radii), 2, natural));
  ASSERT_EQ("", throat_impedance(radii, 5, 2, shorter));
  ASSERT_EQ("", throat_impedance(radii, tractrix_length(1, radii.rm) + 1, 2, longer));
  EXPECT_EQ(0, std::memcmp(natural.rows, shorter.rows, sizeof natural.rows));
  const ImpedanceRow &a = natural.rows[120], &b = longer.rows[120];  // 640 Hz
  EXPECT_GT(std::fabs(a.resistance - b.resistance), 0.05);
}

// A table's rows, each line read back in the format it must have.
std::vector<std::array<double, 3>> rows_of(const std::string& text) {
  std::vector<std::array<double, 3>> rows;
  std::istringstream lines(text);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ("frequency_hz,throat_resistance,throat_reactance", line);
  for (std::array<double, 3> v{}; std::getline(lines, line); rows.push_back(v)) {
    char again[80] = "";
    if (std::sscanf(line.c_str(), "%lf,%lf,%lf", &v[0], &v[1], &v[2]) == 3)
      std::snprintf(again, sizeof again, "%.2f,%.4f,%.4f", v[0], v[1], v[2]);
    EXPECT_EQ(line, again);
  }
  return rows;
}

// The expected table is the output of tests/reference/impedance_reference.py,
// the same model computed apart from the program. The chart is the README's:
// its Fc line is the first screen report's 283 Hz, not the macro pass's.
TEST_F(ImpedanceFiles, WorkedExampleAgreesWithTheReference) {
  test_console::type(worked_example);
  test_console::type("M\ri");
  ASSERT_EQ(-1, run());
  const auto got = rows_of(file("horn-impedance.csv"));
  const auto want = rows_of(example_file("horn-impedance.csv"));
  ASSERT_EQ(241u, got.size());
  ASSERT_EQ(want.size(), got.size());
  double top_octaves = 0;
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(want[i][0], got[i][0]);
    EXPECT_LE(std::fmax(std::fabs(want[i][1] - got[i][1]), std::fabs(want[i][2] - got[i][2])),
              0.002) << got[i][0];
    EXPECT_TRUE(got[i][0] >= 100 || got[i][1] < 0.002) << got[i][0];  // far below cutoff
    if (i >= 192) top_octaves += got[i][1] / 49;  // the top two octaves, from 5120 Hz
  }
  EXPECT_NEAR(1.0, top_octaves, 0.05);
  EXPECT_EQ(read_file(fs::path(BELLFORM_DOCS_DIR) / "horn-impedance.svg"),
            file("horn-impedance.svg"));
}

TEST_F(ImpedanceFiles, MillimetresGiveTheInchTable) {
  test_console::type(worked_example);
  test_console::type("M\ri");
  ASSERT_EQ(-1, run());
  const std::string inch = file("horn-impedance.csv");
  test_console::reset();
  test_console::type("304.8\r304.8\r50.8\r\rM\rI");
  ASSERT_EQ(-1, run(metric_units));
  EXPECT_EQ(inch, file("horn-impedance.csv"));
  EXPECT_NE(std::string::npos, file("horn-impedance.svg").find(
      ">Throat impedance: mouth 304.8 wide x 304.8 high, throat 50.8, driver 50.8, "
      "length 256.6 mm</text>"));
}

}  // namespace
}  // namespace bellform::testing
