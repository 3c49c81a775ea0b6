// A straight segment cut to the part of it inside an upright rectangle: how
// a page of the printed template keeps only what falls in its window.
#pragma once

namespace bellform {

struct Box {
  double left, bottom, right, top;
  bool contains(double x, double y) const {
    return x >= left && x <= right && y >= bottom && y <= top;
  }
};

// The part of the segment from (x0, y0) to (x1, y1) inside the box, as the
// fractions of the way along it where it enters (t0) and leaves (t1):
// t0 = 0 when the start lies inside, t1 = 1 when the end does. False, with
// neither set, when no length of it lies inside (a touch at one point is
// none).
bool clip_segment(const Box& box, double x0, double y0, double x1, double y1, double& t0,
                  double& t1);

}  // namespace bellform
