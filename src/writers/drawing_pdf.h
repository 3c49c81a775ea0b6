// The template to print at home ("horn-pages.pdf"): the sheet of the SVG
// template, at true size, cut into windows that tile it over ordinary
// sheets of paper, one page each, to trim and tape together.
#pragma once

#include <string>

#include "design/units.h"
#include "writers/drawing.h"

namespace bellform {

// Portrait, whatever unit the drawing is in: Letter (8.5 x 11 in) or A4
// (210 x 297 mm).
enum class Paper { letter, a4 };

// The paper of the user's unit: Letter in inches, A4 in millimetres.
inline Paper paper_of(const Units& units) { return units.metric ? Paper::a4 : Paper::letter; }

// No more pages than this: nobody tapes more together, and the file grows
// with every page.
constexpr int max_pdf_pages = 1000;

// Page 1 is the top left; the pages run along each row, row by row.
struct PageGrid {
  int columns = 0, rows = 0;
  int pages() const { return columns * rows; }
};

// The pages that tile the sheet on this paper; false when they would be
// more than max_pdf_pages (or the sheet has no size).
bool page_grid(const Sheet& sheet, const DrawingUnits& units, Paper paper, PageGrid& grid);

// Appends the whole PDF to `out`; false when it would have too many pages
// or a piece of it could not be formatted.
bool write_pdf_pages(std::string& out, const Sheet& sheet, const DrawingUnits& units,
                     Paper paper);

}  // namespace bellform
