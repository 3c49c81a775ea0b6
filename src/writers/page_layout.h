// Where the template falls on each printed page: the paper and its window
// in points (72 an inch, y up from the paper's bottom left corner, as PDF
// measures), and which part of the sheet each window shows.
#pragma once

#include "geometry/clip.h"
#include "writers/drawing_pdf.h"

namespace bellform {

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

// False when the pages would be too many (see page_grid).
bool lay_out_pages(const Sheet& sheet, const DrawingUnits& units, Paper paper,
                   PageLayout& layout);

// The part of the sheet shown on page (row, column), counted from 0, in
// drawing units with y up.
Box sheet_window(const PageLayout& layout, int row, int column);

}  // namespace bellform
