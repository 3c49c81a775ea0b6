#include "geometry/radiation.h"

#include <cmath>
#include <numbers>

namespace bellform {

namespace {

using std::numbers::pi;

// Where the two forms of H1 meet: below, the series loses under 1e-9 to
// cancellation; above, the expansion's smallest term is below 1e-10.
constexpr double series_limit = 20;

// H1(z) = sum over k of (-1)^k (z/2)^(2k+2) / (Gamma(k+3/2) Gamma(k+5/2)),
// each term from the last; summed until the terms no longer count.
double struve_series(double z) {
  double term = 2 * z * z / (3 * pi);
  double sum = term;
  for (int k = 0; k < 200; ++k) {
    term *= -z * z / ((2.0 * k + 3) * (2.0 * k + 5));
    sum += term;
    if (std::fabs(term) <= 1e-17 * std::fabs(sum)) break;
  }
  return sum;
}

// H1(z) - Y1(z) ~ (1/pi) sum over k of Gamma(k+1/2) / Gamma(3/2-k) (z/2)^(-2k):
// 2, 2/z^2, -6/z^4, 90/z^6, ... An asymptotic series: summed while its
// terms still fall.
double struve_expansion(double z) {
  double term = 2;
  double sum = term;
  for (int k = 0; k < 200; ++k) {
    const double next = term * (1.0 - 4.0 * k * k) / (z * z);
    if (std::fabs(next) >= std::fabs(term) || std::fabs(next) < 1e-17 * std::fabs(sum)) break;
    term = next;
    sum += term;
  }
  return std::cyl_neumann(1.0, z) + sum / pi;
}

}  // namespace

double struve_h1(double z) {
  if (!(z > 0)) return 0;
  return z < series_limit ? struve_series(z) : struve_expansion(z);
}

std::complex<double> piston_impedance(double ka) {
  if (!(ka > 0)) return {0, 0};
  const double z = 2 * ka;
  return {1 - std::cyl_bessel_j(1.0, z) / ka, struve_h1(z) / ka};
}

}  // namespace bellform
