// Which windows of the grid get a page, and each page's number: planned
// once, before the file is written, so the map and every page's label know
// how many pages there are.
#pragma once

#include <string>
#include <vector>

#include "writers/page_layout.h"

namespace bellform {

// The pages, planned once and then written: the plan keeps its own copy of
// what it planned, so it stands alone.
struct PagePlan {
  Sheet sheet;
  DrawingUnits units = {};
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
// pages can be written (such as "over 1000 pages").
std::string plan_pages(const Sheet& sheet, const DrawingUnits& units, Paper paper,
                       PagePlan& plan);

}  // namespace bellform
