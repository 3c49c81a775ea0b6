// Inches or millimetres: every number that depends on the unit the user
// works in. The geometry works in inches, always: a length typed in
// millimetres is divided by 25.4 on its way in, and every length printed is
// the inch value times 25.4 on its way out (an area times 645.16). Angles,
// H/W and the cutoff frequency have no unit. In inches every factor is 1, so
// the numbers are the geometry's own doubles, to the last bit.
#pragma once

#include "geometry/measures.h"

namespace bellform {

// PostScript points, the PDF's unit, in an inch.
constexpr double points_per_inch = 72.0;

// What a drawing says in its unit: how each format names the unit, and the
// sizes of the sheet around the parts, all in the user's unit (the
// coordinates are scaled by Units::per_inch).
struct DrawingUnits {
  int dxf_insunits;      // the DXF header's code for the unit
  const char* svg_unit;  // the unit of the SVG's width and height
  double margin;         // around everything drawn
  double stroke;         // width of every line in the SVG
  double text_size;      // the SVG caption's height
  double dash;           // the centre line's long dash; gaps and dot a quarter
  double gap;            // between the parts
  double points;         // one unit in PostScript points (72 an inch): the PDF's
  double check_square;   // side of the square on each printed page to check the scale
};

struct Units {
  bool metric;
  double per_inch;         // printed length = inches * per_inch
  double per_square_inch;  // printed area = square inches * per_square_inch
  // Station steps, in inches but round numbers in the unit: the first step
  // of a screen pass (doubled until the table fits), the step of an outline
  // pass (widened to a multiple of it when the piece is long), and the grid
  // of the smallest File step offered when a typed one is refused.
  double first_step;
  double outline_step;
  double step_grid;
  DrawingUnits drawing;

  double to_inches(double typed) const { return typed / per_inch; }
  double shown(double inches) const { return inches * per_inch; }
  double shown_area(double square_inches) const {
    return square_inches * per_square_inch;
  }
};

constexpr Units inch_units = {
    .metric = false,
    .per_inch = 1.0,
    .per_square_inch = 1.0,
    .first_step = 0.25,
    .outline_step = 0.1,
    .step_grid = 0.01,
    .drawing = {.dxf_insunits = 1,
                .svg_unit = "in",
                .margin = 0.5,
                .stroke = 0.01,
                .text_size = 0.125,
                .dash = 0.5,
                .gap = 1.0,
                .points = points_per_inch,
                .check_square = 1.0},
};

constexpr Units metric_units = {
    .metric = true,
    .per_inch = mm_per_inch,
    .per_square_inch = mm_per_inch * mm_per_inch,
    .first_step = 5 / mm_per_inch,
    .outline_step = 2.5 / mm_per_inch,
    .step_grid = 0.1 / mm_per_inch,
    .drawing = {.dxf_insunits = 4,
                .svg_unit = "mm",
                .margin = 10.0,
                .stroke = 0.25,
                .text_size = 3.0,
                .dash = 12.0,
                .gap = 25.0,
                .points = points_per_inch / mm_per_inch,
                .check_square = 25.0},
};

}  // namespace bellform
