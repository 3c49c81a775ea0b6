// What the dialogue shows when it writes files from the table of outputs:
// the banner on a cleared screen, then a line for each file, yellow when it
// was written and red with the reason when not, then the notes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "writers/outputs.h"

namespace bellform {

// A cleared screen with the banner and the maker line.
void banner_lines();

// One line of text in a colour, and the cursor on the next.
void coloured_line(const std::string& text, std::uint16_t attr);

// Writes each row's file, even when one before it failed, says each in
// yellow (its notice; rows sharing a notice on one line, their files
// joined by ", ") or in red (why not), then the notes of those written,
// each once, in yellow.
void write_outputs(OutputJob& job, const std::vector<const OutputRow*>& rows);

}  // namespace bellform
