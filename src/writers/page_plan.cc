// Which windows of the grid are worth a page. A window is blank when no
// line of the drawing, the parts' outlines and centre lines, crosses it:
// decided on the lines themselves, each segment clipped against the
// windows its bounding box touches, so a long template is planned in time
// with its lines, not its grid.
#include <cmath>
#include <utility>

#include "writers/page_plan.h"

namespace bellform {

namespace {

// How far a line's ink reaches beyond its path, in strokes: half the
// stroke along its sides, and at a mitred corner up to the mitre limit (4,
// as horn.svg's) times that.
constexpr double ink_reach = 2;

struct Marker {
  const PageLayout& layout;
  double reach;
  std::vector<int>& crossed;

  // The window's index the coordinates fall in, kept on the grid.
  static int index(double offset, double size, int count) {
    const double i = std::floor(offset / size);
    return i < 0 ? 0 : i >= count ? count - 1 : static_cast<int>(i);
  }

  void segment(double x0, double y0, double x1, double y1) const {
    const PageLayout& l = layout;
    const int c0 = index(std::fmin(x0, x1) - reach - l.sheet_left, l.window_width, l.grid.columns);
    const int c1 = index(std::fmax(x0, x1) + reach - l.sheet_left, l.window_width, l.grid.columns);
    const int r0 = index(l.sheet_top - std::fmax(y0, y1) - reach, l.window_height, l.grid.rows);
    const int r1 = index(l.sheet_top - std::fmin(y0, y1) + reach, l.window_height, l.grid.rows);
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) {
        int& cell = crossed[static_cast<std::size_t>(r * l.grid.columns + c)];
        if (cell) continue;
        const Box w = sheet_window(l, r, c);
        const Box inked = {w.left - reach, w.bottom - reach, w.right + reach, w.top + reach};
        double t0, t1;
        cell = clip_segment(inked, x0, y0, x1, y1, t0, t1) ? 1 : 0;
      }
    }
  }
};

// By window, row by row: 1 where a line of the sheet crosses it, else 0.
std::vector<int> crossed_windows(const Sheet& sheet, const DrawingUnits& units,
                                 const PageLayout& layout) {
  std::vector<int> crossed(static_cast<std::size_t>(layout.grid.cells()), 0);
  const Marker mark{layout, ink_reach * units.stroke, crossed};
  for (int k = 0; k < sheet.count; ++k) {
    const Part& part = sheet.parts[k];
    const Outline& o = part.outline;
    for (int i = 0; i < o.count; ++i) {
      const int j = (i + 1) % o.count;
      mark.segment(o.x[i], o.y[i], o.x[j], o.y[j]);
    }
    mark.segment(part.centre_x0, part.centre_y, part.centre_x1, part.centre_y);
  }
  return crossed;
}

}  // namespace

std::string plan_pages(const Sheet& sheet, const DrawingUnits& units, Paper paper,
                       PagePlan& plan) {
  PageLayout layout;
  const std::string why = lay_out_pages(sheet, units, paper, layout);
  if (!why.empty()) return why;
  std::vector<int> page = crossed_windows(sheet, units, layout);
  int printed = 0;
  for (int crossed : page) printed += crossed;
  // A sheet with no line at all still has its first window printed.
  if (printed == 0) page[0] = printed = 1;
  const int pages = printed > 1 ? printed + 1 : 1;
  if (pages > max_pdf_pages) return too_many_pages();
  int number = pages - printed;
  for (int& p : page)
    if (p) p = ++number;
  plan.sheet = sheet;
  plan.units = units;
  plan.layout = layout;
  plan.page = std::move(page);
  plan.printed = printed;
  plan.pages = pages;
  return "";
}

}  // namespace bellform
