// The outline of a top or bottom piece as a CAD program's macro: the throat
// edge, then the curved side as straight segments between the stations of
// the pass, one half of the piece from the centre line up.
#pragma once

#include <string>

#include "design/record.h"
#include "design/units.h"

namespace bellform {

// A segment is `line`, the first point, `to`, the second point, `end`; a
// point is x `comma` y, each in %g.
struct ScriptDialect {
  const char* line;
  const char* comma;
  const char* to;
  const char* end;
  const char* after_first;  // after the first segment; nullptr: nothing
  const char* last;
};

// An AutoCAD script ("horn.scr"), replayed with its SCRIPT command:
// "LINE x1,y1 x2,y2 " a line.
constexpr ScriptDialect autocad_script = {"LINE ", ",", " ", " \n", nullptr, "ZOOM E\n"};
// A General CADD macro ("horn.mcr"): "L1,x1,y1,x2,y2;" a line.
constexpr ScriptDialect general_cadd_macro = {"L1,", ",", ",", ";\n", "MB; \n", "ZA;\n"};

// Appends the script for the stations in `points`, in the user's unit.
void write_script(std::string& out, const ScriptDialect& dialect, const PointList& points,
                  const Units& units);

}  // namespace bellform
