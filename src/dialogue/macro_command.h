// The Macro command: asks which of the table of outputs' answers to write
// (the CAD macros, the drawings and their pages, the driver adapter, the
// throat impedance, the response with a driver file asked for next), then
// writes that answer's files from the outline pass just run, and says so.
#pragma once

#include <string>

#include "design/record.h"

namespace bellform {

void macro_command(const DesignRecord& rec);

// The Macro screen's line of the answers beyond the two CAD macros, from
// the table of outputs: each key once, with its words. It must fit the
// screen's 79 columns.
std::string also_line();

}  // namespace bellform
