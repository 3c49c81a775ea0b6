// The File command: the report with jig dimensions in "bellform.txt".
#pragma once

#include "design/record.h"
#include "design/texts.h"

namespace bellform {

// Asks for the station step and opens the data file for the next pass.
// A step that is not a number above 0, or that needs more stations than the
// point list holds, is refused: the reason goes into `fault`, nothing is
// opened, and the step stays as it was. Returns whether the step was taken.
bool file_command(DesignRecord& rec, TextBuffer& line, TextBuffer& prompt,
                  TextBuffer& fault);

// After the file pass: the construction lines, the notice on the screen,
// and the sink back on the console.
void finish_data_file(DesignRecord& rec, TextBuffer& line);

}  // namespace bellform
