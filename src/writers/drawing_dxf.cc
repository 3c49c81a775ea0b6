// ASCII DXF of release 12 (AC1009), the version the widest range of CAD,
// CAM and laser programs reads: a header with the unit, the line types and
// layers the entities use, then per part one closed polyline and its centre
// line.
#include "writers/drawing.h"
#include "writers/drawing_number.h"
#include "writers/text_out.h"

namespace bellform {

namespace {

void header(TextOut& out, const Sheet& sheet, const DrawingUnits& units) {
  out.put("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n9\n$INSUNITS\n70\n%d\n",
          units.dxf_insunits);
  out.put("9\n$EXTMIN\n10\n%s\n20\n%s\n30\n0.0\n", Number(sheet.min_x).c_str(),
          Number(sheet.min_y).c_str());
  out.put("9\n$EXTMAX\n10\n%s\n20\n%s\n30\n0.0\n", Number(sheet.max_x).c_str(),
          Number(sheet.max_y).c_str());
  out.put("0\nENDSEC\n");
}

void line_types(TextOut& out, const DrawingUnits& units) {
  const CentreDashes d = centre_dashes(units);
  const Number dash(d.dash), gap(d.gap);
  out.put("0\nTABLE\n2\nLTYPE\n70\n2\n");
  out.put("0\nLTYPE\n2\nCONTINUOUS\n70\n0\n3\nSolid line\n72\n65\n73\n0\n40\n0.0\n");
  // Long dash, gap, short dash, gap.
  out.put("0\nLTYPE\n2\nCENTER\n70\n0\n3\nCenter ____ _ ____ _\n72\n65\n73\n4\n40\n%s\n"
          "49\n%s\n49\n-%s\n49\n%s\n49\n-%s\n",
          Number(d.period).c_str(), dash.c_str(), gap.c_str(), gap.c_str(), gap.c_str());
  out.put("0\nENDTAB\n");
}

void layers(TextOut& out, const Sheet& sheet) {
  out.put("0\nTABLE\n2\nLAYER\n70\n%d\n", sheet.count + 2);
  // Layer 0 is every reader's default; colour 7 is black on paper.
  out.put("0\nLAYER\n2\n0\n70\n0\n62\n7\n6\nCONTINUOUS\n");
  for (int p = 0; p < sheet.count; ++p)
    out.put("0\nLAYER\n2\n%s\n70\n0\n62\n7\n6\nCONTINUOUS\n", sheet.parts[p].layer);
  out.put("0\nLAYER\n2\nCENTER\n70\n0\n62\n1\n6\nCENTER\n");
  out.put("0\nENDTAB\n");
}

void draw_part(TextOut& out, const Part& p) {
  // Flag 1: closed, so the last vertex joins the first.
  out.put("0\nPOLYLINE\n8\n%s\n66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n70\n1\n", p.layer);
  const Outline& outline = p.outline;
  for (int i = 0; i < outline.count; ++i) {
    out.put("0\nVERTEX\n8\n%s\n10\n%s\n20\n%s\n30\n0.0\n", p.layer,
            Number(outline.x[i]).c_str(), Number(outline.y[i]).c_str());
  }
  out.put("0\nSEQEND\n8\n%s\n", p.layer);
  const Number y(p.centre_y);
  out.put("0\nLINE\n8\nCENTER\n10\n%s\n20\n%s\n30\n0.0\n11\n%s\n21\n%s\n31\n0.0\n",
          Number(p.centre_x0).c_str(), y.c_str(), Number(p.centre_x1).c_str(), y.c_str());
}

}  // namespace

void write_dxf(std::string& bytes, const Sheet& sheet, const DrawingUnits& units) {
  TextOut out(bytes);
  header(out, sheet, units);
  out.put("0\nSECTION\n2\nTABLES\n");
  line_types(out, units);
  layers(out, sheet);
  out.put("0\nENDSEC\n0\nSECTION\n2\nENTITIES\n");
  for (int p = 0; p < sheet.count; ++p) draw_part(out, sheet.parts[p]);
  out.put("0\nENDSEC\n0\nEOF\n");
}

}  // namespace bellform
