// The throat impedance's physics: the cone matrices, the exponential horn
// they must converge on, the baffled piston, and the table of a horn.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "geometry/horn.h"
#include "geometry/impedance.h"
#include "geometry/radiation.h"
#include "geometry/tractrix.h"

namespace bellform {
namespace {

using cplx = std::complex<double>;
const cplx j(0, 1);

TEST(Impedance, ConesHaveDeterminantOneAndDuctsTheTextbookMatrix) {
  const Cone cones[] = {{1, 4, 2}, {0.01, 0.0101, 0.05}, {3, 300, 40}, {2, 2, 3}, {5, 5, 0.1}};
  for (const Cone& cone : cones) {
    for (double k : {0.001, 0.5, 9.75}) {
      SCOPED_TRACE(testing::Message() << cone.S1 << " " << cone.S2 << " " << cone.l << " " << k);
      const Transfer t = cone_transfer(cone, k);
      EXPECT_NEAR(1.0, t.a * t.d + t.b * t.c, 1e-12);
      if (cone.S1 != cone.S2) continue;
      const double kl = k * cone.l;
      EXPECT_NEAR(std::cos(kl), t.a, 1e-15);
      EXPECT_NEAR(std::sin(kl) / cone.S1, t.b, 1e-15);
      EXPECT_NEAR(std::sin(kl) * cone.S1, t.c, 1e-15);
      EXPECT_NEAR(std::cos(kl), t.d, 1e-15);
    }
  }
}

// The exponential horn S1 e^(m x), 0 <= x <= l, in closed form: the wave
// number along it is g = sqrt(k^2 - m^2/4), imaginary below cutoff.
struct Matrix {
  cplx a, b, c, d;
};
Matrix exponential_horn(double S1, double m, double l, double k) {
  const cplx g = std::sqrt(cplx(k * k - m * m / 4));
  const cplx s = std::sin(g * l), c = std::cos(g * l);
  const double e = std::exp(m * l / 2), S2 = S1 * std::exp(m * l);
  return {e * (c - m / (2.0 * g) * s), j * e / S2 * (k / g) * s, j * e * S1 * (k / g) * s,
          (c + m / (2.0 * g) * s) / e};
}

Transfer cut_into_cones(double S1, double m, double l, double k, int n) {
  Transfer t;
  for (int i = 0; i < n; ++i)
    t = t * cone_transfer({S1 * std::exp(m * l * i / n), S1 * std::exp(m * l * (i + 1) / n), l / n},
                          k);
  return t;
}

double largest_gap(const Transfer& t, const Matrix& exact) {
  const cplx got[] = {t.a, j * t.b, j * t.c, t.d};
  const cplx want[] = {exact.a, exact.b, exact.c, exact.d};
  double gap = 0;
  for (int i = 0; i < 4; ++i) gap = std::fmax(gap, std::abs(got[i] - want[i]) / std::fmax(1, std::abs(want[i])));
  return gap;
}

TEST(Impedance, ConesConvergeOnTheExponentialHorn) {
  const double m = 0.2, l = 24;  // cutoff at k = 0.1
  for (double k : {0.05, 0.12, 0.3, 2.0}) {
    SCOPED_TRACE(k);
    const Matrix exact = exponential_horn(1, m, l, k);
    const double coarse = largest_gap(cut_into_cones(1, m, l, k, 64), exact);
    const double fine = largest_gap(cut_into_cones(1, m, l, k, 256), exact);
    EXPECT_LT(fine, coarse / 10);  // second order: a sixteenth
    EXPECT_LT(largest_gap(cut_into_cones(1, m, l, k, 1024), exact), 1e-4);
  }
}

// Loaded at its mouth by the wave that travels on, as if it never ended,
// the horn shows that same wave's impedance at its throat.
TEST(Impedance, AnEndlessExponentialHornHasTheTextbookResistance) {
  const double m = 0.2, l = 24, k_cutoff = m / 2;
  for (double ratio : {1.05, 1.5, 3.0, 10.0}) {
    SCOPED_TRACE(ratio);
    const double k = k_cutoff * ratio;
    const cplx onward(std::sqrt(1 - 1 / (ratio * ratio)), 1 / ratio);  // over rho c / S
    const double S2 = std::exp(m * l);
    const cplx z = input_impedance(cut_into_cones(1, m, l, k, 1024), onward / S2);
    EXPECT_NEAR(std::sqrt(1 - 1 / (ratio * ratio)), z.real(), 1e-3);
    EXPECT_NEAR(1 / ratio, z.imag(), 1e-3);
  }
}

// mpmath 1.2.1 at 30 digits: 1 - besselj(1, 2ka)/ka and struveh(1, 2ka)/ka.
TEST(Impedance, PistonMatchesIndependentValues) {
  const struct {
    double ka, resistance, reactance;
  } cases[] = {
      {0.01, 4.9999166673611076e-5, 0.0084880372804577924},
      {0.5, 0.11989882851013297, 0.3969146724038888},
      {1.0, 0.42327519224312661, 0.64676372828356212},
      {2.5, 1.1310316550365861, 0.32312477831762578},
      {4.2, 0.93552707898170587, 0.14091240238187169},
      {6.5, 1.010818161864889, 0.066191305344990239},
      {9.9, 0.99668517557738618, 0.046652726388489793},  // either side of the
      {10.1, 0.99031025611313963, 0.048510550033324548},  // switch of H1's forms
      {15.0, 1.0079167375077749, 0.048116691889799332},
      {400.0, 0.99993306215319419, 0.0015693501260901337},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ka);
    const cplx z = piston_impedance(c.ka);
    EXPECT_NEAR(c.resistance, z.real(), 1e-9);
    EXPECT_NEAR(c.reactance, z.imag(), 1e-9);
  }
}

// The worked example's path starts at the 2 inch driver, 10.91 inches from
// the mouth: any length whose adapter has thickness gives that path.
TEST(Impedance, TheTableFollowsThePathNotTheLength) {
  const Radii radii = design_radii(12, 12, 2);
  const double driver_x = tractrix_length(1, radii.rm);
  ImpedanceTable natural, shorter, longer;
  ASSERT_EQ(nullptr, throat_impedance(radii, natural_length(radii), 2, natural));
  ASSERT_EQ(nullptr, throat_impedance(radii, 5, 2, shorter));
  ASSERT_EQ(nullptr, throat_impedance(radii, driver_x + 1, 2, longer));
  double change = 0;
  for (int i = 0; i < impedance_rows; ++i) {
    EXPECT_EQ(natural.rows[i].resistance, shorter.rows[i].resistance);
    EXPECT_EQ(natural.rows[i].reactance, shorter.rows[i].reactance);
    change = std::fmax(change, std::fabs(natural.rows[i].resistance - longer.rows[i].resistance));
  }
  EXPECT_GT(change, 0.05);
}

TEST(Impedance, HornsWithoutATable) {
  const char* no_length = "Nothing to compute: the horn has no length.";
  const char* extreme = "This horn is too large or too small to compute its impedance.";
  const struct {
    double W, H, T, L;
    const char* fault;
  } cases[] = {
      {12, 12, 2, 0, no_length},
      {12, 12, 2, -5, no_length},
      {12, 12, 2, 1e300, extreme},  // a path of ever so many wavelengths
      {1e300, 12, 2, 10, extreme},
  };
  for (const auto& c : cases) {
    ImpedanceTable table;
    const char* fault = throat_impedance(design_radii(c.W, c.H, c.T), c.L, c.T, table);
    EXPECT_STREQ(c.fault, fault);
    EXPECT_EQ(0, table.segments);
  }
}

}  // namespace
}  // namespace bellform
