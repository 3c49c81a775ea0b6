// Liang and Barsky's clipping: each side of the box bounds t from one side,
// so the segment is cut in four comparisons, never by intersecting lines
// that may run parallel to it.
#include "geometry/clip.h"

namespace bellform {

namespace {

// One side: p is the change of the distance outside the side along the
// segment, q the room inside it at the start. Narrows [t0, t1]; false when
// the segment lies wholly outside this side.
bool narrow(double p, double q, double& t0, double& t1) {
  if (p == 0) return q >= 0;  // parallel to the side: all in or all out
  const double t = q / p;
  if (p < 0) {
    if (t > t1) return false;
    if (t > t0) t0 = t;
  } else {
    if (t < t0) return false;
    if (t < t1) t1 = t;
  }
  return true;
}

}  // namespace

bool clip_segment(const Box& box, double x0, double y0, double x1, double y1, double& t0,
                  double& t1) {
  const double dx = x1 - x0, dy = y1 - y0;
  double a = 0, b = 1;
  if (!narrow(-dx, x0 - box.left, a, b) || !narrow(dx, box.right - x0, a, b) ||
      !narrow(-dy, y0 - box.bottom, a, b) || !narrow(dy, box.top - y0, a, b) || a >= b)
    return false;
  t0 = a;
  t1 = b;
  return true;
}

}  // namespace bellform
