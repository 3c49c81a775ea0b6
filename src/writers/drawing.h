// The drawings: the flat parts of the horn, the top and bottom piece and
// beneath it a side panel laid flat, placed on one sheet, written as a DXF
// drawing ("horn.dxf") or a full-size SVG template ("horn.svg").
#pragma once

#include <string>

#include "design/record.h"
#include "design/units.h"
#include "geometry/outline.h"

namespace bellform {

// One flat part: its outline and its centre line, from (centre_x0,
// centre_y) to (centre_x1, centre_y), in drawing units.
struct Part {
  const char* layer;
  Outline outline;
  double centre_x0, centre_x1, centre_y;
};

struct Sheet {
  static constexpr int max_parts = 2;
  Part parts[max_parts];
  int count = 0;
  double min_x = 0, min_y = 0, max_x = 0, max_y = 0;  // of everything drawn
  std::string caption;  // beneath the parts; in every page's margin
};

// Lays out the parts of the pass just run; empty on success, otherwise one
// sentence saying why nothing can be drawn.
std::string lay_out_sheet(const DesignRecord& rec, Sheet& sheet);

// The centre line's pattern, in drawing units, for every format: long dash,
// gap, short dash, gap, the gaps and the short dash a quarter of the long.
struct CentreDashes {
  double dash, gap, period;
};
inline CentreDashes centre_dashes(const DrawingUnits& units) {
  constexpr double share = 0.25;
  return {units.dash, units.dash * share, units.dash * (1 + 3 * share)};
}

// The template's page as the SVG lays it out, in drawing units with y
// running down: the parts and the caption beneath them, with the margin
// all round.
struct SheetFrame {
  double left = 0, top = 0, width = 0, height = 0;
  double caption_x = 0, caption_y = 0;  // the caption's baseline
};
SheetFrame sheet_frame(const Sheet& sheet, const DrawingUnits& units);

// A drawing's y for a page whose y runs down, never -0.
inline double page_y(double y) { return 0.0 - y; }

// Each appends the whole drawing to `out`.
void write_dxf(std::string& out, const Sheet& sheet, const DrawingUnits& units);
void write_svg(std::string& out, const Sheet& sheet, const DrawingUnits& units);

}  // namespace bellform
