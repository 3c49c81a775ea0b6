// What one page draws, as the operators of its content stream: a printed
// window on the sheet with its frame, and the bottom margin's labels and
// scale square; or the map of the printed windows. Row and column count
// from 0.
#pragma once

#include <string>

#include "writers/page_plan.h"
#include "writers/text_out.h"

namespace bellform {

// The font resources the pages' text names.
constexpr const char* regular_font = "F1";  // Helvetica
constexpr const char* bold_font = "F2";     // Helvetica-Bold

// The parts as the SVG draws them, clipped at the window, then the frame,
// with a half diamond in the middle of each side a printed page meets (none
// where the window beyond is blank or off the grid).
void draw_window(TextOut& out, const PagePlan& plan, int row, int column);

// The page's place, the horn's caption, the scale square and how to print.
void draw_margin(TextOut& out, const PagePlan& plan, int row, int column);

// The whole sheet at a scale that fits the window, the grid over it, and
// each printed window's page number in its cell; beneath, what it is.
void draw_map(TextOut& out, const PagePlan& plan);

// One line of `words` at (x, y), in points.
void page_text(TextOut& out, const char* font, double size, double x, double y,
               const std::string& words);

// The horn's caption at the SVG's text size, in as many lines as `width`
// needs, at most three (a longer one is set smaller until it fits), the
// first at `first_baseline`.
void page_caption(TextOut& out, const PagePlan& plan, double x, double width,
                  double first_baseline);

}  // namespace bellform
