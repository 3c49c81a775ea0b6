#include "geometry/walk.h"

#include <cmath>

namespace bellform {

int count_stations(const Frame& frame, double step, int limit) {
  Walk walk = start_walk(frame);
  int count = 1;
  while (count <= limit && next_station(frame, step, walk)) ++count;
  return count;
}

double smallest_fitting_step(const Frame& frame, double unit, int limit) {
  // A walk of n stations covers about (n - 1) steps: start just below that.
  const double piece = frame.sM - frame.s0;
  double k = std::floor(piece / (unit * (limit - 1)));
  if (!(k >= 1)) k = 1;
  // For a horn-sized piece the estimate is off by a step or two; the
  // growing increment keeps a huge multiple from stalling.
  for (int tries = 0; tries < 1000; ++tries) {
    const double step = k * unit;
    if (count_stations(frame, step, limit) <= limit) return step;
    k = k + std::fmax(1.0, std::floor(k * 0.001));
  }
  return 0;
}

}  // namespace bellform
