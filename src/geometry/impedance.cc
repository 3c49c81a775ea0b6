#include "geometry/impedance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/radiation.h"
#include "geometry/tractrix.h"

namespace bellform {

namespace {

// Full precision here: the layout's short PI only shapes the printed digits.
using std::numbers::pi;

// The path is cut evenly in the contour's parameter t (radius rm / cosh t,
// distance from the mouth rm (t - tanh t)), which puts short cones where
// the contour turns fast, at the mouth. Two limits on a cone: a step in t,
// which settles the low frequencies, and its length times the top wave
// number, which keeps the cones from ringing together at the high ones.
// Either gives errors near 1e-5 on horns of 6 to 100 inches across.
constexpr double max_step_t = 0.01;
constexpr double max_phase = 1.0;  // radians at 20480 Hz
// Beyond this a horn is hundreds of feet across: refused, not computed coarsely.
constexpr int max_segments = 20000;

const char* const no_length = "Nothing to compute: the horn has no length.";
const char* const too_extreme = "This horn is too large or too small to compute its impedance.";

// t - tanh t, by its series where the difference would cancel.
double axial(double t) {
  if (t < 1e-3) {
    const double t2 = t * t;
    return t * t2 * (1.0 / 3 - t2 * (2.0 / 15));
  }
  return t - std::tanh(t);
}

// The t at which axial(t) = u, for u >= 0: it lies between u and u + 1.
double contour_parameter(double u) {
  double lo = u;
  double hi = u + 1;
  for (int i = 0; i < 200; ++i) {
    const double mid = (lo + hi) * 0.5;
    if (!(mid > lo && mid < hi)) break;
    if (axial(mid) < u)
      lo = mid;
    else
      hi = mid;
  }
  return (lo + hi) * 0.5;
}

// Cones for the path from t0 to the mouth; 0 when more than max_segments.
int segment_count(double rm, double t0) {
  const double top_k = 2 * pi * impedance_frequency(impedance_rows - 1) / sound_speed;
  const double n = std::ceil(std::max(t0 / max_step_t, top_k * rm * t0 / max_phase));
  if (!(n <= max_segments)) return 0;
  return std::max(1, static_cast<int>(n));
}

// Area over pi rm^2 where the parameter is t.
double relative_area(double t) {
  const double c = std::cosh(t);
  return 1 / (c * c);
}

bool finite_rows(const ImpedanceTable& table) {
  for (const ImpedanceRow& row : table.rows)
    if (!std::isfinite(row.resistance) || !std::isfinite(row.reactance) ||
        !std::isfinite(row.mouth_flow.real()) || !std::isfinite(row.mouth_flow.imag()))
      return false;
  return true;
}

// With q = r2/r1 the apex lies x1 = l / (q - 1) before the small end, and
// x2/x1 = q; h = 1/x1 = (q - 1)/l stays finite (zero for a duct), so one
// formula serves cones and ducts alike. What does not depend on the
// frequency is worked out once a cone.
struct Shape {
  double l, q, h, S1, q_over_S2;
};

Shape shape_of(const Cone& cone) {
  const double q = std::sqrt(cone.S2 / cone.S1);
  return {cone.l, q, (q - 1) / cone.l, cone.S1, q / cone.S2};
}

Transfer shape_transfer(const Shape& cone, double k) {
  if (!(cone.l > 0)) return Transfer{};
  const double l = cone.l, q = cone.q, h = cone.h;
  const double s = std::sin(k * l);
  const double c = std::cos(k * l);
  const double hk = h / k;
  Transfer t;
  t.a = q * c - s * hk;
  t.b = s * cone.q_over_S2;
  t.c = cone.S1 * ((q + hk * hk) * s - l * c * h * hk);
  t.d = (c + s * hk) / q;
  return t;
}

}  // namespace

Transfer cone_transfer(const Cone& cone, double k) {
  return shape_transfer(shape_of(cone), k);
}

// [a, jb; jc, d] [a', jb'; jc', d']: j*j = -1 on the diagonal.
Transfer operator*(const Transfer& x, const Transfer& y) {
  Transfer t;
  t.a = x.a * y.a - x.b * y.c;
  t.b = x.a * y.b + x.b * y.d;
  t.c = x.c * y.a + x.d * y.c;
  t.d = x.d * y.d - x.c * y.b;
  return t;
}

std::complex<double> input_impedance(const Transfer& t, std::complex<double> load) {
  const std::complex<double> j(0, 1);
  return (t.a * load + j * t.b) / (j * t.c * load + t.d);
}

std::complex<double> output_flow(const Transfer& t, std::complex<double> load) {
  const std::complex<double> j(0, 1);
  return 1.0 / (j * t.c * load + t.d);
}

double impedance_frequency(int i) { return 20 * std::exp2(i / 24.0); }

std::string throat_impedance(const Radii& radii, double L, double D, ImpedanceTable& out) {
  out = ImpedanceTable{};
  if (!(L > 0)) return no_length;
  const double rm = radii.rm;
  const double x0 = std::max(tractrix_length(D * 0.5, rm), L);
  const double t0 = contour_parameter(x0 / rm);
  const int n = segment_count(rm, t0);
  if (n == 0) return too_extreme;

  double k[impedance_rows];
  Transfer path[impedance_rows];
  for (int f = 0; f < impedance_rows; ++f)
    k[f] = 2 * pi * impedance_frequency(f) / sound_speed;
  // Cone by cone from the start of the path to the mouth (t = 0), each
  // cone's geometry once for every frequency.
  for (int i = 0; i < n; ++i) {
    const double t1 = t0 * (n - i) / n;
    const double t2 = t0 * (n - i - 1) / n;
    const Shape cone =
        shape_of({relative_area(t1), relative_area(t2), rm * (axial(t1) - axial(t2))});
    for (int f = 0; f < impedance_rows; ++f) path[f] = path[f] * shape_transfer(cone, k[f]);
  }
  // Areas are over the mouth's, so the piston's impedance is the load as it
  // is; the start's area turns the result into the throat's normalisation.
  const double start_area = relative_area(t0);
  // The flow's ratio has no unit: the areas' scale cancels from it.
  for (int f = 0; f < impedance_rows; ++f) {
    const std::complex<double> mouth = piston_impedance(k[f] * rm);
    const std::complex<double> z = input_impedance(path[f], mouth) * start_area;
    out.rows[f] = ImpedanceRow{impedance_frequency(f), z.real(), z.imag(),
                               output_flow(path[f], mouth)};
  }
  out.segments = n;
  out.start_area = pi * rm * rm * start_area;
  if (!finite_rows(out)) {
    out = ImpedanceTable{};
    return too_extreme;
  }
  return "";
}

}  // namespace bellform
