// The drawings of the Macro command: the flat parts of the horn, the top
// and bottom piece and beneath it a side panel laid flat, placed on one
// sheet, written as a DXF file ("horn.dxf") or a full-size SVG template
// ("horn.svg") into a file the caller has opened.
#pragma once

#include "console/handle.h"
#include "design/record.h"
#include "design/units.h"
#include "geometry/outline.h"

namespace bellform {

// One flat part: its outline and its centre line, from (centre_x0,
// centre_y) to (centre_x1, centre_y), in drawing units.
struct Part {
  const char* layer;
  Outline outline;
  double centre_x0, centre_x1, centre_y;
};

struct Sheet {
  static constexpr int max_parts = 2;
  Part parts[max_parts];
  int count = 0;
  double min_x = 0, min_y = 0, max_x = 0, max_y = 0;  // of everything drawn
  char caption[256] = {};
};

// Lays out the parts of the pass just run; nullptr on success, otherwise
// one sentence saying why nothing can be drawn.
const char* lay_out_sheet(const DesignRecord& rec, Sheet& sheet);

// Each writes the whole drawing into an open file; true when every write
// succeeded.
bool write_dxf(Handle file, const Sheet& sheet, const DrawingUnits& units);
bool write_svg(Handle file, const Sheet& sheet, const DrawingUnits& units);

// Text into a drawing file, formatted into a fixed buffer first; `ok` stays
// true while every text fitted and was written whole.
struct DrawingFile {
  Handle file;
  bool ok = true;
  void put(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
};

// A coordinate with six decimals, C locale, never "-0.000000": room for
// any finite double.
using NumberText = char[328];
void format_number(NumberText& text, double value);

}  // namespace bellform
