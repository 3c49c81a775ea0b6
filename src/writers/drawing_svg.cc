// A standalone SVG 1.1 template that prints at true size: width and height
// in the drawing's unit and a view box of one user unit per drawing unit,
// so every vertex is written as it is, with y negated (SVG's y runs down).
// A caption beneath the parts.
#include <string>

#include "design/texts.h"
#include "writers/drawing.h"
#include "writers/drawing_number.h"
#include "writers/svg_text.h"
#include "writers/text_out.h"

namespace bellform {

namespace {

void draw_part(TextOut& out, const Part& p, const std::string& dashes) {
  out.add("<polygon points=\"");
  const Outline& outline = p.outline;
  for (int i = 0; i < outline.count; ++i) {
    out.put(i + 1 < outline.count ? "%s,%s\n" : "%s,%s\"/>\n", Number(outline.x[i]).c_str(),
            Number(page_y(outline.y[i])).c_str());
  }
  const Number y(page_y(p.centre_y));
  out.put("<line x1=\"%s\" y1=\"%s\" x2=\"%s\" y2=\"%s\" stroke-dasharray=\"%s\"/>\n",
          Number(p.centre_x0).c_str(), y.c_str(), Number(p.centre_x1).c_str(), y.c_str(),
          dashes.c_str());
}

}  // namespace

void write_svg(std::string& bytes, const Sheet& sheet, const DrawingUnits& units) {
  const SheetFrame frame = sheet_frame(sheet, units);
  const Number w(frame.width), h(frame.height);
  TextOut out(bytes);
  svg_prologue(out, w.c_str() + std::string(units.svg_unit), h.c_str() + std::string(units.svg_unit),
               text_of("%s %s %s %s", Number(frame.left).c_str(), Number(frame.top).c_str(),
                       w.c_str(), h.c_str()),
               "Bellform horn: cutting template at full size");
  // Long dash, gap, short dash, gap: as the DXF's CENTER line type.
  const CentreDashes d = centre_dashes(units);
  const Number gap(d.gap);
  const std::string dashes =
      text_of("%s %s %s %s", Number(d.dash).c_str(), gap.c_str(), gap.c_str(), gap.c_str());
  out.put("<g fill=\"none\" stroke=\"#000000\" stroke-width=\"%s\">\n",
          Number(units.stroke).c_str());
  for (int p = 0; p < sheet.count; ++p) draw_part(out, sheet.parts[p], dashes);
  out.add("</g>\n");
  out.put("<text x=\"%s\" y=\"%s\" font-family=\"sans-serif\" font-size=\"%s\" "
          "fill=\"#000000\">%s</text>\n",
          Number(frame.caption_x).c_str(), Number(frame.caption_y).c_str(),
          Number(units.text_size).c_str(), sheet.caption.c_str());
  out.add("</svg>\n");
}

}  // namespace bellform
