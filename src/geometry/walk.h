// The walk of a layout pass along a top or bottom piece: a station every
// `step` from the throat (slant position s0), the last one exactly at the
// mouth (sM). The pass and the checks that size it share this one walk, so
// a count made beforehand is the count the pass will make.
#pragma once

#include "geometry/horn.h"

namespace bellform {

// The most stations a pass walks: the drawings' outlines and the point list
// of a pass are sized by it, and a longer walk takes a wider step.
constexpr int max_stations = 499;

struct Walk {
  double s = 0;       // slant position of the current station
  bool last = false;  // the walk has been clamped to the mouth
};

inline Walk start_walk(const Frame& frame) { return Walk{frame.s0, false}; }

// Moves to the next station; false when the walk is over. The test is
// strictly greater-than, so a station landing exactly on the mouth is
// followed by the mouth once more.
inline bool next_station(const Frame& frame, double step, Walk& walk) {
  walk.s = walk.s + step;
  if (walk.s > frame.sM) {
    if (walk.last) return false;
    walk.last = true;
    walk.s = frame.sM;
  }
  return true;
}

// Stations the walk makes with this step, counting no further than
// limit + 1: a step that no longer moves s (s + step == s) never ends.
int count_stations(const Frame& frame, double step, int limit);

// The smallest whole multiple of `unit` whose walk makes at most `limit`
// stations, or 0 when none was found.
double smallest_fitting_step(const Frame& frame, double unit, int limit);

}  // namespace bellform
