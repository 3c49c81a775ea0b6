// A standalone SVG 1.1 template that prints at true size: width and height
// in the drawing's unit and a view box of one user unit per drawing unit,
// so every vertex is written as it is, with y negated (SVG's y runs down).
// A caption beneath the parts.
#include <cstdio>
#include <cstring>

#include "design/drawing.h"

namespace bellform {

namespace {

// Negated without ever giving -0.
double up(double y) { return 0.0 - y; }

// A caption's width guessed from its length: in a sans-serif font this
// mix of letters, digits and blanks averages under 0.55 of the text size.
double caption_width(const Sheet& sheet, const DrawingUnits& units) {
  return static_cast<double>(std::strlen(sheet.caption)) * units.text_size * 0.55;
}

void part(DrawingFile& out, const Part& part, const char* dashes) {
  NumberText x, y, x1;
  out.put("<polygon points=\"");
  const Outline& outline = part.outline;
  for (int i = 0; i < outline.count; ++i) {
    format_number(x, outline.x[i]);
    format_number(y, up(outline.y[i]));
    out.put(i + 1 < outline.count ? "%s,%s\n" : "%s,%s\"/>\n", x, y);
  }
  format_number(x, part.centre_x0);
  format_number(x1, part.centre_x1);
  format_number(y, up(part.centre_y));
  out.put("<line x1=\"%s\" y1=\"%s\" x2=\"%s\" y2=\"%s\" stroke-dasharray=\"%s\"/>\n", x, y,
          x1, y, dashes);
}

}  // namespace

bool write_svg(Handle file, const Sheet& sheet, const DrawingUnits& units) {
  const double margin = units.margin;
  const double parts_width = sheet.max_x - sheet.min_x;
  const double text_width = caption_width(sheet, units);
  const double width = (parts_width > text_width ? parts_width : text_width) + 2 * margin;
  // The caption's baseline a line and a half below the lowest part.
  const double baseline = up(sheet.min_y) + 1.5 * units.text_size;
  const double top = up(sheet.max_y) - margin;
  const double height = baseline + margin - top;

  NumberText w, h, left, top_text, stroke, text_x, text_y, size;
  char dashes[4 * sizeof(NumberText)];
  format_number(w, width);
  format_number(h, height);
  format_number(left, sheet.min_x - margin);
  format_number(top_text, top);
  format_number(stroke, units.stroke);
  format_number(text_x, sheet.min_x);
  format_number(text_y, baseline);
  format_number(size, units.text_size);
  DrawingFile out{file};
  out.put("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n");
  out.put("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
          "width=\"%s%s\" height=\"%s%s\" viewBox=\"%s %s %s %s\">\n",
          w, units.svg_unit, h, units.svg_unit, left, top_text, w, h);
  out.put("<title>Bellform horn: cutting template at full size</title>\n");
  // Long dash, gap, short dash, gap: as the DXF's CENTER line type.
  {
    NumberText dash, gap;
    format_number(dash, units.dash);
    format_number(gap, units.dash * 0.25);
    std::snprintf(dashes, sizeof dashes, "%s %s %s %s", dash, gap, gap, gap);
  }
  out.put("<g fill=\"none\" stroke=\"#000000\" stroke-width=\"%s\">\n", stroke);
  for (int p = 0; p < sheet.count; ++p) part(out, sheet.parts[p], dashes);
  out.put("</g>\n");
  out.put("<text x=\"%s\" y=\"%s\" font-family=\"sans-serif\" font-size=\"%s\" "
          "fill=\"#000000\">%s</text>\n",
          text_x, text_y, size, sheet.caption);
  out.put("</svg>\n");
  return out.ok;
}

}  // namespace bellform
