// A standalone SVG 1.1 template that prints at true size: width and height
// in the drawing's unit and a view box of one user unit per drawing unit,
// so every vertex is written as it is, with y negated (SVG's y runs down).
// A caption beneath the parts.
#include <cstdio>

#include "design/texts.h"
#include "writers/drawing.h"
#include "writers/text_out.h"

namespace bellform {

namespace {

void draw_part(TextOut& out, const Part& p, const char* dashes) {
  NumberText x, y, x1;
  out.add("<polygon points=\"");
  const Outline& outline = p.outline;
  for (int i = 0; i < outline.count; ++i) {
    format_number(x, outline.x[i]);
    format_number(y, page_y(outline.y[i]));
    out.put(i + 1 < outline.count ? "%s,%s\n" : "%s,%s\"/>\n", x, y);
  }
  format_number(x, p.centre_x0);
  format_number(x1, p.centre_x1);
  format_number(y, page_y(p.centre_y));
  out.put("<line x1=\"%s\" y1=\"%s\" x2=\"%s\" y2=\"%s\" stroke-dasharray=\"%s\"/>\n", x, y,
          x1, y, dashes);
}

}  // namespace

void write_svg(std::string& bytes, const Sheet& sheet, const DrawingUnits& units) {
  const SheetFrame frame = sheet_frame(sheet, units);
  NumberText w, h, left, top, stroke, text_x, text_y, size;
  format_number(w, frame.width);
  format_number(h, frame.height);
  format_number(left, frame.left);
  format_number(top, frame.top);
  format_number(stroke, units.stroke);
  format_number(text_x, frame.caption_x);
  format_number(text_y, frame.caption_y);
  format_number(size, units.text_size);
  TextOut out(bytes);
  svg_prologue(out, std::string(w) + units.svg_unit, std::string(h) + units.svg_unit,
               text_of("%s %s %s %s", left, top, w, h),
               "Bellform horn: cutting template at full size");
  // Long dash, gap, short dash, gap: as the DXF's CENTER line type.
  char dashes[4 * sizeof(NumberText)];
  {
    const CentreDashes d = centre_dashes(units);
    NumberText dash, gap;
    format_number(dash, d.dash);
    format_number(gap, d.gap);
    std::snprintf(dashes, sizeof dashes, "%s %s %s %s", dash, gap, gap, gap);
  }
  out.put("<g fill=\"none\" stroke=\"#000000\" stroke-width=\"%s\">\n", stroke);
  for (int p = 0; p < sheet.count; ++p) draw_part(out, sheet.parts[p], dashes);
  out.add("</g>\n");
  out.put("<text x=\"%s\" y=\"%s\" font-family=\"sans-serif\" font-size=\"%s\" "
          "fill=\"#000000\">%s</text>\n",
          text_x, text_y, size, sheet.caption);
  out.add("</svg>\n");
}

}  // namespace bellform
