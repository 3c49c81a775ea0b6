// The File command: the report with jig dimensions in "bellform.txt".
#pragma once

#include <string>

#include "design/record.h"
#include "design/texts.h"

namespace bellform {

// Asks for the station step for the next pass. A step that is not a number
// above 0, or that needs more stations than the point list holds, is
// refused, and the step stays as it was. Empty when the step was taken;
// otherwise the reason.
std::string file_command(DesignRecord& rec, TextBuffer& line, TextBuffer& prompt);

// The file pass at rec.step: the data file's row of the table of outputs
// written, the screen showing the banner and then its notice, or its red
// line and why.
void file_cycle(const DesignRecord& rec);

}  // namespace bellform
