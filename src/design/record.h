// The state of a run: owned by the design loop for the life of the process.
#pragma once

#include "console/console.h"
#include "geometry/horn.h"

namespace bellform {

// Stations of the last pass: at most 499 and the end marker, a dim X of -1.
constexpr int point_capacity = 500;
constexpr int max_stations = point_capacity - 1;
// Rows a screen pass may show before its step is doubled.
constexpr int screen_rows = 18;
// Row counter of a file or macro pass: never reaches the screen limit.
constexpr int unlimited_rows = -5000;

constexpr int text_size = 80;  // the line buffer and the prompt buffer

struct PointList {
  double dim_x[point_capacity];
  double half_w[point_capacity];
};

struct DesignRecord {
  double W = 0, H = 0, T = 0, D = 0;
  Radii radii;
  double L = 0;
  double step = 0.25;
  int rows = 0;
  OutputSink sink = null_handle;
  bool sink_failed = false;  // a line of the current file pass was lost
  bool recompute = true;
  bool macro = false;
  Frame frame;
  double A0 = 0, Fc = 0;
  PointList points{};
};

}  // namespace bellform
