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

}  // namespace

std::string lay_out_sheet(const DesignRecord& rec, Sheet& sheet) {
  const double per_inch = rec.units.per_inch;
  const char* too_large = "Nothing to draw: the piece is too large to lay out.";
  const PointList& points = rec.points;
  const int n = station_count(points);
  sheet.count = 0;
  Part& piece = sheet.parts[0];
  piece.layer = "OUTLINE";
  if (!piece_outline(points.dim_x, points.half_w, n, piece.outline))
    return "Nothing to draw: the piece has fewer than two stations.";
  place(piece.outline, per_inch, 0.0);
  if (!all_finite(piece.outline)) return too_large;
  piece.centre_x0 = 0.0;
  piece.centre_x1 = points.dim_x[n - 1] * per_inch;
  piece.centre_y = 0.0;
  sheet.count = 1;
  include_in_bounds(sheet, piece.outline, true);

  // The side panel beneath the piece, its throat end under the piece's.
  Part& panel = sheet.parts[1];
  panel.layer = "SIDE";
  side_panel_outline(rec.frame, points.dim_x, points.half_w, n, panel.outline);
  double half_height = 0, flat_length = 0;
  for (int i = 0; i < panel.outline.count; ++i) {
    half_height = std::fmax(half_height, panel.outline.y[i]);
    flat_length = std::fmax(flat_length, panel.outline.x[i]);
  }
  half_height = half_height * per_inch;
  flat_length = flat_length * per_inch;
  panel.centre_y = sheet.min_y - rec.units.drawing.gap - half_height;
  place(panel.outline, per_inch, panel.centre_y);
  if (!all_finite(panel.outline)) return too_large;
  panel.centre_x0 = 0.0;
  panel.centre_x1 = flat_length;
  sheet.count = 2;
  include_in_bounds(sheet, panel.outline, false);

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
