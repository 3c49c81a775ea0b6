// The Macro command: the outline of a top or bottom piece as a CAD macro,
// an AutoCAD script ("horn.scr") or a General CADD macro ("horn.mcr").
#pragma once

#include "design/record.h"
#include "design/texts.h"

namespace bellform {

// Asks for the dialect, writes the file from the point list of the pass
// just run, and tells the user.
void macro_export(DesignRecord& rec, TextBuffer& line, TextBuffer& prompt);

}  // namespace bellform
