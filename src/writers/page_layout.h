// Where the template falls on each printed page: the paper and its window
// in points (72 an inch, y up from the paper's bottom left corner, as PDF
// measures), and which part of the sheet each window shows.
#pragma once

#include <string>

#include "design/units.h"
#include "geometry/clip.h"
#include "writers/drawing.h"

namespace bellform {

// Portrait, whatever unit the drawing is in: Letter (8.5 x 11 in) or A4
// (210 x 297 mm).
enum class Paper { letter, a4 };

// The paper of the user's unit: Letter in inches, A4 in millimetres.
inline Paper paper_of(const Units& units) { return units.metric ? Paper::a4 : Paper::letter; }

// No more pages than this, the map included: nobody tapes more together,
// and the file grows with every page.
constexpr int max_pdf_pages = 1000;

// The windows that tile the sheet, row 0 at the top, column 0 at the left.
struct PageGrid {
  int columns = 0, rows = 0;
  int cells() const { return columns * rows; }
};

struct PageLayout {
  double paper_width = 0, paper_height = 0;  // points
  Box window = {};                           // points
  double scale = 0;                          // points per drawing unit
  // The template's top left corner and each window's size, in drawing
  // units with y up: the SVG's own margins around the parts. Its caption
  // is not tiled: each page carries it in its bottom margin.
  double sheet_left = 0, sheet_top = 0;
  double window_width = 0, window_height = 0;
  PageGrid grid;
};

// "over 1000 pages": the sentence for a grid or a file past max_pdf_pages.
std::string too_many_pages();

// The paper, its window and the grid of windows over `sheet`. Empty when
// all is well, otherwise why there can be no pages: more than
// max_pdf_pages windows across or down, or a sheet whose size is not a
// number.
std::string lay_out_pages(const Sheet& sheet, const DrawingUnits& units, Paper paper,
                          PageLayout& layout);

// The part of the sheet shown on page (row, column), counted from 0, in
// drawing units with y up.
Box sheet_window(const PageLayout& layout, int row, int column);

}  // namespace bellform
