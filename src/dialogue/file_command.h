// The File command: the report with jig dimensions in "bellform.txt".
#pragma once

#include "design/record.h"
#include "design/texts.h"

namespace bellform {

// Asks for the station step for the next pass. A step that is not a number
// above 0, or that needs more stations than the point list holds, is
// refused: the reason goes into `fault` and the step stays as it was.
// Returns whether the step was taken.
bool file_command(DesignRecord& rec, TextBuffer& line, TextBuffer& prompt,
                  TextBuffer& fault);

// The file pass: the data file written whole, the screen showing the banner
// and then the notice, or a red line when the file could not be written.
void file_cycle(DesignRecord& rec, TextBuffer& line);

}  // namespace bellform
