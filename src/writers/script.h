// The outline of a top or bottom piece as a CAD program's macro: the throat
// edge, then the curved side as straight segments between the stations of
// the pass, one half of the piece from the centre line up.
#pragma once

#include <string>

#include "design/record.h"
#include "design/units.h"

namespace bellform {

struct ScriptDialect {
  const char* segment;      // first point x, y; second point x, y
  const char* after_first;  // nullptr: nothing
  const char* last;
};

// An AutoCAD script ("horn.scr"), replayed with its SCRIPT command.
constexpr ScriptDialect autocad_script = {"LINE %g,%g %g,%g \n", nullptr, "ZOOM E\n"};
// A General CADD macro ("horn.mcr").
constexpr ScriptDialect general_cadd_macro = {"L1,%g,%g,%g,%g;\n", "MB; \n", "ZA;\n"};

// Appends the script for the stations in `points`, in the user's unit.
void write_script(std::string& out, const ScriptDialect& dialect, const PointList& points,
                  const Units& units);

}  // namespace bellform
