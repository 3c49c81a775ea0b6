// The bottom margin of a printed page: the scale square at the left, and
// beside it, from the top, the page's place, the horn's caption, the
// square's label and how to print.
#include <cstdio>
#include <string>
#include <vector>

#include "writers/page_content.h"
#include "writers/pdf_text.h"

namespace bellform {

void page_text(TextOut& out, const char* font, double size, double x, double y,
               const std::string& words) {
  out.put("BT /%s %s Tf %s %s Td %s Tj ET\n", font, Points(size).c_str(), Points(x).c_str(),
          Points(y).c_str(), pdf_string(words).c_str());
}

void page_caption(TextOut& out, const PagePlan& plan, double x, double width,
                  double first_baseline) {
  const Sheet& sheet = plan.sheet;
  double size = plan.units.text_size * plan.units.points;
  std::vector<std::string> lines = wrap_helvetica(sheet.caption.c_str(), size, width);
  for (int tries = 0; tries < 20 && lines.size() > 3; ++tries) {
    size *= 0.9;
    lines = wrap_helvetica(sheet.caption.c_str(), size, width);
  }
  for (std::size_t i = 0; i < lines.size(); ++i)
    page_text(out, regular_font, size, x,
              first_baseline - 1.2 * size * static_cast<double>(i), lines[i]);
}

void draw_margin(TextOut& out, const PagePlan& plan, int row, int column) {
  const DrawingUnits& units = plan.units;
  const Box& w = plan.layout.window;
  // The square measured from the middle of its lines, as a rule is laid
  // along them.
  const double side = units.check_square * units.points;
  const double top = w.bottom - 8, bottom = top - side;
  out.add("0.5 w\n");
  page_rectangle(out, w.left, bottom, side, side, "S");

  const double left = w.left + side + 12;
  const double label = top - 7.5;  // the tops of its capitals level with the square's
  char words[160];
  std::snprintf(words, sizeof words, "page %d of %d: row %d, column %d",
                plan.page_at(row, column), plan.pages, row + 1, column + 1);
  page_text(out, bold_font, 10, left, label, words);
  page_caption(out, plan, left, w.right - left, label - 13);
  std::snprintf(words, sizeof words, "%g %s square: check the print scale",
                units.check_square, units.svg_unit);
  page_text(out, regular_font, 9, left, bottom + 13, words);
  page_text(out, bold_font, 10, left, bottom,
            "Print at 100% (actual size), no fitting to the page.");
}

}  // namespace bellform
