#include "geometry/horn.h"

#include <cmath>

#include "geometry/tractrix.h"

namespace bellform {

// Every product below is grouped as written, left to right: the report's
// last digits follow from this order of rounding.

Radii design_radii(double W, double H, double T) {
  Radii radii;
  radii.rm = std::sqrt((W * H) * inv_PI);
  radii.ht = T * 0.5;
  radii.rt = std::sqrt((T * T) * inv_PI);
  return radii;
}

double natural_length(const Radii& radii) {
  return tractrix_length(radii.rt, radii.rm);
}

Frame layout_frame(const Radii& radii, double H, double L) {
  Frame f;
  f.b = (radii.ht * L) / (H * 0.5 - radii.ht);
  f.theta = std::atan(radii.ht / f.b);
  f.cos_t = std::cos(f.theta);
  f.tan_t = std::tan(f.theta);
  f.s0 = f.b / f.cos_t;
  f.len_ext = L + f.b;
  f.sM = f.len_ext / f.cos_t;
  return f;
}

double piece_length(const Frame& frame) { return frame.sM - frame.s0; }

double piece_angle(const Frame& frame) {
  return frame.theta * degrees_per_radian_x2;
}

Station station_at(const Frame& frame, double rm, double s) {
  const double a = s * frame.cos_t;
  const double xm = frame.len_ext - a;
  const double r = tractrix_radius(xm, rm);
  const double A = (PI * r) * r;
  const double h = a * frame.tan_t;
  const double w = A / (h * 2);
  Station st;
  st.dim_x = s - frame.s0;
  st.half_w = w * 0.5;
  st.height = h * 2;
  st.h_over_w = (2 / w) * h;
  st.area = A;
  return st;
}

double cutoff_frequency(double A0, double A1, double X1) {
  return std::log(A1 / A0) * fc_factor / X1;
}

double adapter_thickness(double D, double L, double rm) {
  return tractrix_length(D * 0.5, rm) - L;
}

}  // namespace bellform
