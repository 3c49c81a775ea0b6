// What one printed page draws, as the operators of its content stream:
// the window on the sheet with its frame, and the bottom margin's labels
// and scale square. Row and column count from 0.
#pragma once

#include "writers/page_layout.h"
#include "writers/text_out.h"

namespace bellform {

// The font resources the margin's text names.
constexpr const char* regular_font = "F1";  // Helvetica
constexpr const char* bold_font = "F2";     // Helvetica-Bold

// The parts as the SVG draws them, clipped at the window, then the frame
// and the marks where the neighbouring pages meet it.
void draw_window(TextOut& out, const Sheet& sheet, const DrawingUnits& units,
                 const PageLayout& layout, int row, int column);

// The page's place, the horn's caption, the scale square and how to print.
void draw_margin(TextOut& out, const Sheet& sheet, const DrawingUnits& units,
                 const PageLayout& layout, int row, int column);

}  // namespace bellform
