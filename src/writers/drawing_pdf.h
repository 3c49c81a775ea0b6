// The template to print at home ("horn-pages.pdf"): the sheet of the SVG
// template, at true size, cut into windows that tile it over ordinary
// sheets of paper, one page each, to trim and tape together. A window no
// line of the drawing crosses is not printed, and when more than one page
// is, a map of them comes first.
#pragma once

#include <string>
#include <vector>

#include "writers/page_layout.h"

namespace bellform {

// The pages, planned once and then written.
struct PagePlan {
  // What was planned; both must outlive the plan.
  const Sheet* sheet = nullptr;
  const DrawingUnits* units = nullptr;
  PageLayout layout;
  // By window, row by row: its page's number in the file, counted from 1,
  // or 0 for a window left blank, which has no page.
  std::vector<int> page;
  int printed = 0;  // windows printed
  int pages = 0;    // in the file: the windows printed, and the map

  bool has_map() const { return pages > printed; }
  int page_at(int row, int column) const {
    return page[static_cast<std::size_t>(row * layout.grid.columns + column)];
  }
};

// Lays out the pages of `sheet` on `paper`: the grid, the windows worth
// printing and the pages' numbers. Empty when all is well, otherwise why no
// pages can be written ("over 1000 pages", max_pdf_pages).
std::string plan_pages(const Sheet& sheet, const DrawingUnits& units, Paper paper,
                       PagePlan& plan);

// Appends the whole PDF of a plan made by plan_pages to `out`; empty when
// all is well, otherwise why the file could not be made.
std::string write_pdf_pages(std::string& out, const PagePlan& plan);

}  // namespace bellform
