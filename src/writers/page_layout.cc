#include "writers/page_layout.h"

#include <cmath>

#include "geometry/measures.h"

namespace bellform {

namespace {

// A paper in its own unit: its size, the margins round the window (the
// bottom one holds the page's labels and scale square), and that unit in
// points.
struct PaperSize {
  double width, height, side, top, bottom, points;
};

constexpr PaperSize letter_paper = {8.5, 11.0, 0.5, 0.5, 1.5, points_per_inch};  // inches
constexpr PaperSize a4_paper = {210.0, 297.0, 12.0, 12.0, 40.0,
                                points_per_inch / mm_per_inch};  // mm

// In `tiles` the windows of `window` that cover `length`, at least one;
// empty when they fit the file, otherwise why not. A sheet that is a whole
// number of windows, give or take the rounding of its doubles, takes that
// number: a sliver of a millionth of a window is not worth a page.
std::string tiles(double length, double window, int& tiles) {
  const double count = length / window;
  if (std::isnan(count)) return "the drawing's size is not a number";
  if (count > max_pdf_pages) return too_many_pages();
  const double whole = std::ceil(count - 1e-6);
  tiles = whole < 1 ? 1 : static_cast<int>(whole);
  return "";
}

}  // namespace

std::string too_many_pages() { return "over " + std::to_string(max_pdf_pages) + " pages"; }

std::string lay_out_pages(const Sheet& sheet, const DrawingUnits& units, Paper paper,
                          PageLayout& layout) {
  const PaperSize& p = paper == Paper::letter ? letter_paper : a4_paper;
  PageLayout l;
  l.paper_width = p.width * p.points;
  l.paper_height = p.height * p.points;
  l.window = {p.side * p.points, p.bottom * p.points, (p.width - p.side) * p.points,
              (p.height - p.top) * p.points};
  l.scale = units.points;
  l.window_width = (l.window.right - l.window.left) / l.scale;
  l.window_height = (l.window.top - l.window.bottom) / l.scale;
  const SheetFrame frame = sheet_frame(sheet, units);
  l.sheet_left = frame.left;
  l.sheet_top = page_y(frame.top);
  const double width = sheet.max_x - sheet.min_x + 2 * units.margin;
  const double height = sheet.max_y - sheet.min_y + 2 * units.margin;
  std::string why = tiles(width, l.window_width, l.grid.columns);
  if (why.empty()) why = tiles(height, l.window_height, l.grid.rows);
  if (why.empty()) layout = l;
  return why;
}

Box sheet_window(const PageLayout& layout, int row, int column) {
  const double left = layout.sheet_left + column * layout.window_width;
  const double top = layout.sheet_top - row * layout.window_height;
  return {left, top - layout.window_height, left + layout.window_width, top};
}

}  // namespace bellform
