#include "writers/drawing.h"

#include <cmath>

#include "writers/horn_caption.h"

namespace bellform {

namespace {

// Stations of the pass up to the end marker: the first negative dim X.
int station_count(const PointList& points) {
  int n = 0;
  while (n < max_stations && points.dim_x[n] >= 0) ++n;
  return n;
}

// Inches to drawing units, then up by dy drawing units.
void place(Outline& outline, double per_inch, double dy) {
  for (int i = 0; i < outline.count; ++i) {
    outline.x[i] = outline.x[i] * per_inch;
    outline.y[i] = outline.y[i] * per_inch + dy;
  }
}

// A coordinate beyond the doubles would print as letters, not a number.
bool all_finite(const Outline& outline) {
  for (int i = 0; i < outline.count; ++i)
    if (!std::isfinite(outline.x[i]) || !std::isfinite(outline.y[i])) return false;
  return true;
}

void include_in_bounds(Sheet& sheet, const Outline& outline, bool first) {
  for (int i = 0; i < outline.count; ++i) {
    if (first && i == 0) {
      sheet.min_x = sheet.max_x = outline.x[0];
      sheet.min_y = sheet.max_y = outline.y[0];
    }
    sheet.min_x = std::fmin(sheet.min_x, outline.x[i]);
    sheet.max_x = std::fmax(sheet.max_x, outline.x[i]);
    sheet.min_y = std::fmin(sheet.min_y, outline.y[i]);
    sheet.max_y = std::fmax(sheet.max_y, outline.y[i]);
  }
}

const char* const too_large = "Nothing to draw: the piece is too large to lay out.";

// The top and bottom piece from the first n stations, its throat end at
// the origin; empty, or why it cannot be drawn.
std::string lay_out_piece(const PointList& points, int n, double per_inch, Part& piece) {
  piece.layer = "OUTLINE";
  const std::string why = piece_outline(points.dim_x, points.half_w, n, piece.outline);
  if (!why.empty()) return why;
  place(piece.outline, per_inch, 0.0);
  if (!all_finite(piece.outline)) return too_large;
  piece.centre_x0 = 0.0;
  piece.centre_x1 = points.dim_x[n - 1] * per_inch;
  piece.centre_y = 0.0;
  return "";
}

// The side panel laid flat, the parts' gap below `above` (the lowest y
// drawn so far), its throat end under the piece's; empty, or why not.
std::string lay_out_panel(const DesignRecord& rec, int n, double above, Part& panel) {
  const double per_inch = rec.units.per_inch;
  panel.layer = "SIDE";
  const std::string why =
      side_panel_outline(rec.frame, rec.points.dim_x, rec.points.half_w, n, panel.outline);
  if (!why.empty()) return why;
  double half_height = 0, flat_length = 0;
  for (int i = 0; i < panel.outline.count; ++i) {
    half_height = std::fmax(half_height, panel.outline.y[i]);
    flat_length = std::fmax(flat_length, panel.outline.x[i]);
  }
  panel.centre_y = above - rec.units.drawing.gap - half_height * per_inch;
  place(panel.outline, per_inch, panel.centre_y);
  if (!all_finite(panel.outline)) return too_large;
  panel.centre_x0 = 0.0;
  panel.centre_x1 = flat_length * per_inch;
  return "";
}

}  // namespace

std::string lay_out_sheet(const DesignRecord& rec, Sheet& sheet) {
  const int n = station_count(rec.points);
  sheet.count = 0;
  std::string why = lay_out_piece(rec.points, n, rec.units.per_inch, sheet.parts[0]);
  if (!why.empty()) return why;
  sheet.count = 1;
  include_in_bounds(sheet, sheet.parts[0].outline, true);
  why = lay_out_panel(rec, n, sheet.min_y, sheet.parts[1]);
  if (!why.empty()) return why;
  sheet.count = 2;
  include_in_bounds(sheet, sheet.parts[1].outline, false);
  sheet.caption = sheet_caption(rec);
  return "";
}

// A caption's width guessed from its length: in a sans-serif font this
// mix of letters, digits and blanks averages under 0.55 of the text size.
SheetFrame sheet_frame(const Sheet& sheet, const DrawingUnits& units) {
  const double margin = units.margin;
  const double parts_width = sheet.max_x - sheet.min_x;
  const double text_width =
      static_cast<double>(sheet.caption.size()) * units.text_size * 0.55;
  SheetFrame f;
  f.left = sheet.min_x - margin;
  f.top = page_y(sheet.max_y) - margin;
  f.width = (parts_width > text_width ? parts_width : text_width) + 2 * margin;
  // The caption's baseline a line and a half below the lowest part.
  f.caption_x = sheet.min_x;
  f.caption_y = page_y(sheet.min_y) + 1.5 * units.text_size;
  f.height = f.caption_y + margin - f.top;
  return f;
}

}  // namespace bellform
