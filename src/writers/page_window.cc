// The sheet seen through one page's window. Only the pieces of each line
// that fall in or just round the window are written, cut where they leave
// it, so a page holds its own share of the drawing and every number stays
// on the paper; the clipping path trims them exactly at the window's edge.
#include <cmath>

#include "writers/page_content.h"
#include "writers/pdf_text.h"

namespace bellform {

namespace {

// Drawing units (y up) to the page's points.
struct Pen {
  TextOut& out;
  const PageLayout& layout;
  Box shown;  // the sheet's window

  void to(double x, double y, const char* op) const {
    out.put("%s %s %s\n", Points(layout.window.left + (x - shown.left) * layout.scale).c_str(),
            Points(layout.window.top - (shown.top - y) * layout.scale).c_str(), op);
  }
  // The point a fraction t of the way from (x0, y0) to (x1, y1); its ends
  // exactly, so a vertex is written as the same numbers by both segments.
  void along(double x0, double y0, double x1, double y1, double t, const char* op) const {
    if (t == 0) to(x0, y0, op);
    else if (t == 1) to(x1, y1, op);
    else to(x0 + t * (x1 - x0), y0 + t * (y1 - y0), op);
  }
};

// The outline's pieces inside `box` as subpaths; false when none is.
bool outline_path(const Pen& pen, const Outline& o, const Box& box) {
  const int n = o.count;
  // Start at a vertex outside the box, so no piece runs on past the last
  // vertex back to the first; an outline with none outside is closed whole.
  int start = 0;
  while (start < n && box.contains(o.x[start], o.y[start])) ++start;
  if (start == n) {
    for (int i = 0; i < n; ++i) pen.to(o.x[i], o.y[i], i == 0 ? "m" : "l");
    pen.out.add("h\n");
    return n > 0;
  }
  bool drawn = false, joined = false;  // joined: the last piece ended at a vertex
  for (int k = 0; k < n; ++k) {
    const int i = (start + k) % n, j = (i + 1) % n;
    double t0, t1;
    if (!clip_segment(box, o.x[i], o.y[i], o.x[j], o.y[j], t0, t1)) {
      joined = false;
      continue;
    }
    if (!joined || t0 > 0) pen.along(o.x[i], o.y[i], o.x[j], o.y[j], t0, "m");
    pen.along(o.x[i], o.y[i], o.x[j], o.y[j], t1, "l");
    joined = t1 == 1;
    drawn = true;
  }
  return drawn;
}

// The centre line's piece in `box`, its dashes in step with the whole
// line's: the pattern's phase is how far into it the piece starts.
void centre_line(const Pen& pen, const Part& p, const DrawingUnits& units, const Box& box) {
  double t0, t1;
  if (!clip_segment(box, p.centre_x0, p.centre_y, p.centre_x1, p.centre_y, t0, t1)) return;
  const CentreDashes d = centre_dashes(units);
  const double into = std::fmod(t0 * std::fabs(p.centre_x1 - p.centre_x0), d.period);
  const Points gap(d.gap * pen.layout.scale);
  pen.out.put("[%s %s %s %s] %s d\n", Points(d.dash * pen.layout.scale).c_str(), gap.c_str(),
              gap.c_str(), gap.c_str(), Points(into * pen.layout.scale).c_str());
  pen.along(p.centre_x0, p.centre_y, p.centre_x1, p.centre_y, t0, "m");
  pen.along(p.centre_x0, p.centre_y, p.centre_x1, p.centre_y, t1, "l");
  pen.out.add("S\n[] 0 d\n");
}

// Half a diamond on each side that meets a printed neighbour, pointing
// into the window: taped together, the two halves make a whole one.
void meeting_marks(TextOut& out, const PagePlan& plan, int row, int column) {
  const Box& w = plan.layout.window;
  const PageGrid& grid = plan.layout.grid;
  const double half = 5, depth = 5;  // points
  const double mx = (w.left + w.right) / 2, my = (w.bottom + w.top) / 2;
  struct Mark {
    bool shown;
    double x, y, dx, dy;  // the middle of the side, and the way into the window
  } marks[] = {
      {row > 0 && plan.page_at(row - 1, column), mx, w.top, 0, -1},
      {row + 1 < grid.rows && plan.page_at(row + 1, column), mx, w.bottom, 0, 1},
      {column > 0 && plan.page_at(row, column - 1), w.left, my, 1, 0},
      {column + 1 < grid.columns && plan.page_at(row, column + 1), w.right, my, -1, 0},
  };
  for (const Mark& m : marks) {
    if (!m.shown) continue;
    // Along the side is (dy, dx) for these four directions.
    out.put("%s %s m %s %s l %s %s l S\n", Points(m.x - half * m.dy).c_str(),
            Points(m.y - half * m.dx).c_str(), Points(m.x + depth * m.dx).c_str(),
            Points(m.y + depth * m.dy).c_str(), Points(m.x + half * m.dy).c_str(),
            Points(m.y + half * m.dx).c_str());
  }
}

// The line to trim along, drawn just outside the window so the window
// itself shows the drawing alone.
void frame(TextOut& out, const Box& w) {
  const double line = 0.5;  // points
  out.put("%s w\n", Points(line).c_str());
  page_rectangle(out, w.left - line / 2, w.bottom - line / 2, w.right - w.left + line,
                 w.top - w.bottom + line, "S");
}

}  // namespace

void draw_window(TextOut& out, const PagePlan& plan, int row, int column) {
  const Sheet& sheet = plan.sheet;
  const DrawingUnits& units = plan.units;
  const PageLayout& layout = plan.layout;
  const Box shown = sheet_window(layout, row, column);
  const Pen pen{out, layout, shown};
  const Box& w = layout.window;
  // Butt ends and mitred corners, the miter limit SVG's own: as horn.svg.
  out.add("q\n");
  page_rectangle(out, w.left, w.bottom, w.right - w.left, w.top - w.bottom, "W n");
  out.put("0 J 0 j 4 M %s w\n", Points(units.stroke * layout.scale).c_str());
  // Lines cut a little outside the window, so their ends and corners lie
  // beyond the clipping path: even a mitre reaches no further.
  const double pad = 8 * units.stroke;
  const Box box = {shown.left - pad, shown.bottom - pad, shown.right + pad, shown.top + pad};
  for (int p = 0; p < sheet.count; ++p) {
    if (outline_path(pen, sheet.parts[p].outline, box)) out.add("S\n");
    centre_line(pen, sheet.parts[p], units, box);
  }
  out.add("Q\n");
  frame(out, w);
  meeting_marks(out, plan, row, column);
}

}  // namespace bellform
