// Inches or millimetres: every number that depends on the unit the user
// works in. The geometry works in inches, always: a length typed in
// millimetres is divided by 25.4 on its way in, and every length printed is
// the inch value times 25.4 on its way out (an area times 645.16). Angles,
// H/W and the cutoff frequency have no unit. In inches every factor is 1, so
// the numbers are the geometry's own doubles, to the last bit.
#pragma once

namespace bellform {

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
  // of a screen pass (doubled until the table fits), the step of a macro
  // pass (widened to a multiple of it when the piece is long), and the grid
  // of the smallest File step offered when a typed one is refused.
  double first_step;
  double macro_step;
  double step_grid;
  DrawingUnits drawing;

  double to_inches(double typed) const { return typed / per_inch; }
  double shown(double inches) const { return inches * per_inch; }
  double shown_area(double square_inches) const {
    return square_inches * per_square_inch;
  }
};

constexpr Units inch_units = {
    false, 1.0, 1.0, 0.25, 0.1, 0.01,
    {1, "in", 0.5, 0.01, 0.125, 0.5, 1.0, 72.0, 1.0}};

constexpr Units metric_units = {
    true, 25.4, 645.16, 5 / 25.4, 2.5 / 25.4, 0.1 / 25.4,
    {4, "mm", 10.0, 0.25, 3.0, 12.0, 25.0, 72.0 / 25.4, 25.0}};

}  // namespace bellform
