// The Macro command: the outline of a top or bottom piece as a CAD macro
// (an AutoCAD script "horn.scr" or a General CADD macro "horn.mcr"), or the
// piece and a side panel as a drawing (a DXF drawing "horn.dxf" or an SVG
// template "horn.svg"), or the horn's throat impedance as a table and a
// chart ("horn-impedance.csv", "horn-impedance.svg").
#pragma once

#include "design/record.h"
#include "design/texts.h"

namespace bellform {

// Asks which file, writes it from the pass just run, and tells the user.
void macro_export(DesignRecord& rec, TextBuffer& line, TextBuffer& prompt);

}  // namespace bellform
