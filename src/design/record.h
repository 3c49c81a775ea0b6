// The state of a run: owned by the design loop for the life of the process.
#pragma once

#include "design/units.h"
#include "geometry/horn.h"
#include "geometry/walk.h"

namespace bellform {

// Stations of the last pass, and after them the end marker, a dim X of -1.
constexpr int point_capacity = max_stations + 1;
// Rows a screen pass may show before its step is doubled.
constexpr int screen_rows = 18;

// The three kinds of layout pass, one per kind of cycle, chosen by the
// answer at the command line before it:
//   screen  the report on the console, at most 18 rows: a pass that needs
//           more is redone with twice the step until it fits;
//   file    the report in the data file, every station at the step typed;
//   outline no rows: the stations fill the point list for the outline that
//           the Macro command's files draw (scripts, drawings, pages).
enum class PassKind { screen, file, outline };

// The step rule. Every pass starts from the step the last one left: a new
// length keeps it, whether a screen pass doubled it, a file pass took it as
// typed or an outline pass set 0.1 inch (widened when the piece needs more
// stations than the point list holds). Only the first cycle and the Square
// command reset it to a quarter inch. In millimetres the same, from 5 mm and
// with 2.5 mm for the outline (units.h).

struct PointList {
  double dim_x[point_capacity];
  double half_w[point_capacity];
};

// The tallest section of the driver adapter a printer takes, in mm whatever
// the unit, unless the user says otherwise.
constexpr double default_print_height = 180;

struct DesignRecord {
  Units units = inch_units;  // what the user types and reads; inches within
  double print_height = default_print_height;  // mm: the adapter's tallest section
  double W = 0, H = 0, T = 0, D = 0;
  Radii radii;
  double L = 0;
  double step = inch_units.first_step;  // see the step rule above
  bool step_widened = false;  // the last outline pass took a wider step
  bool recompute = true;      // natural length and first step next cycle
  Frame frame;
  double A0 = 0, Fc = 0;
  PointList points{};
};

}  // namespace bellform
