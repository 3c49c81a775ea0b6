// The map of the pages: the whole sheet at a scale of 1:N, N the smallest
// whole number that fits the grid in one window, the grid's cells over it,
// and in each printed window's cell its page number, so the taper can see
// where every page goes and which cells have none. Beneath it, the scale
// with a warning not to cut from it, and how many pages to print.
#include <algorithm>
#include <cstdio>
#include <string>

#include "writers/page_content.h"
#include "writers/pdf_text.h"

namespace bellform {

namespace {

// The sheet's drawing units to the map's points.
struct MapPen {
  TextOut& out;
  const PageLayout& layout;
  double left, top, scale;  // the grid's top left corner, in points; points a unit

  void to(double x, double y, const char* op) const {
    out.put("%s %s %s\n", Points(left + (x - layout.sheet_left) * scale).c_str(),
            Points(top - (layout.sheet_top - y) * scale).c_str(), op);
  }
};

// The parts' outlines and centre lines, thin and grey under the numbers.
void drawing(const MapPen& pen, const Sheet& sheet) {
  pen.out.add("q\n0.45 G 0.5 w 1 j\n");
  for (int p = 0; p < sheet.count; ++p) {
    const Part& part = sheet.parts[p];
    for (int i = 0; i < part.outline.count; ++i)
      pen.to(part.outline.x[i], part.outline.y[i], i == 0 ? "m" : "l");
    pen.out.add("h S\n[3 1 1 1] 0 d\n");
    pen.to(part.centre_x0, part.centre_y, "m");
    pen.to(part.centre_x1, part.centre_y, "l");
    pen.out.add("S\n[] 0 d\n");
  }
  pen.out.add("Q\n");
}

// The grid's cells on the map: n to the window's longer side.
struct MapGrid {
  int n;
  double cell_w, cell_h;
  double left, top;  // the grid's top left corner, centred in the window
};

MapGrid map_grid(const PageLayout& l) {
  const Box& w = l.window;
  MapGrid g;
  g.n = std::max(l.grid.columns, l.grid.rows);
  g.cell_w = (w.right - w.left) / g.n;
  g.cell_h = (w.top - w.bottom) / g.n;
  g.left = w.left + (w.right - w.left - l.grid.columns * g.cell_w) / 2;
  g.top = w.top - (w.top - w.bottom - l.grid.rows * g.cell_h) / 2;
  return g;
}

// Printed cells lightly shaded, so the blank ones stand out as holes, the
// drawing over them, and every cell's edges.
void cells(TextOut& out, const PagePlan& plan, const MapGrid& g) {
  const PageLayout& l = plan.layout;
  out.add("0.9 g\n");
  for (int r = 0; r < l.grid.rows; ++r)
    for (int c = 0; c < l.grid.columns; ++c)
      if (plan.page_at(r, c))
        page_rectangle(out, g.left + c * g.cell_w, g.top - (r + 1) * g.cell_h, g.cell_w,
                       g.cell_h, "f");
  out.add("0 g\n");
  drawing(MapPen{out, l, g.left, g.top, l.scale / g.n}, plan.sheet);
  out.add("0.75 w\n");
  for (int r = 0; r < l.grid.rows; ++r)
    for (int c = 0; c < l.grid.columns; ++c)
      page_rectangle(out, g.left + c * g.cell_w, g.top - (r + 1) * g.cell_h, g.cell_w,
                     g.cell_h, "S");
}

// The numbers as large as the cells allow, up to 18 points: all digits
// are as wide in Helvetica, so the last page's number is the widest.
void numbers(TextOut& out, const PagePlan& plan, const MapGrid& g) {
  const double digits = helvetica_width(std::to_string(plan.pages), 1);
  const double size = std::min({18.0, 0.45 * g.cell_h, 0.8 * g.cell_w / digits});
  for (int r = 0; r < plan.layout.grid.rows; ++r) {
    for (int c = 0; c < plan.layout.grid.columns; ++c) {
      if (!plan.page_at(r, c)) continue;
      const std::string number = std::to_string(plan.page_at(r, c));
      page_text(out, bold_font, size,
                g.left + (c + 0.5) * g.cell_w - helvetica_width(number, size) / 2,
                g.top - (r + 0.5) * g.cell_h - 0.35 * size, number);
    }
  }
}

// Beneath, level with the printed pages' labels.
void legend(TextOut& out, const PagePlan& plan, int n) {
  const Box& w = plan.layout.window;
  const double label = w.bottom - 15.5;
  char words[160];
  std::snprintf(words, sizeof words,
                "Map of the pages, 1:%d - not at true size: do not cut from this page", n);
  page_text(out, bold_font, 10, w.left, label, words);
  std::snprintf(words, sizeof words,
                "%d pages to print. Tape them edge to edge by row and column; "
                "empty cells have no page.", plan.printed);
  page_text(out, regular_font, 10, w.left, label - 13, words);
  page_caption(out, plan, w.left, w.right - w.left, label - 28);
}

}  // namespace

void draw_map(TextOut& out, const PagePlan& plan) {
  const MapGrid g = map_grid(plan.layout);
  cells(out, plan, g);
  numbers(out, plan, g);
  legend(out, plan, g.n);
}

}  // namespace bellform
