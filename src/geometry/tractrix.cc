#include "geometry/tractrix.h"

#include <cmath>

namespace bellform {

#ifdef BELLFORM_COUNT_TRACTRIX
long tractrix_length_calls = 0;
#endif

double tractrix_length(double y, double R) {
#ifdef BELLFORM_COUNT_TRACTRIX
  ++tractrix_length_calls;
#endif
  const double s = std::sqrt(R * R - y * y);
  return R * std::log((R + s) / y) - s;
}

// The length falls as the radius grows, so a target at or beyond the
// midpoint's length lies at a smaller radius. The last midpoint evaluated is
// returned, not the middle of the final bracket: the printed areas depend
// on it (the mouth comes out just under W x H).
double tractrix_radius(double x, double R) {
  double lo = 0;
  double hi = R;
  int i = 1;
  double mid;
  do {
    mid = (lo + hi) * 0.5;
    const double d = x - tractrix_length(mid, R);
    if (d >= 0) {
      hi = mid;
    } else {
      lo = mid;
    }
    i = i + 1;
    if (i > 10000) return mid;
  } while (std::fabs(lo - hi) >= 0.0001);
  return mid;
}

}  // namespace bellform
