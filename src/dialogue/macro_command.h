// The Macro command: asks which of the files made from the pass just run to
// write (output_rows: the CAD macros, the drawings and their pages, the
// throat impedance), writes it and tells the user.
#pragma once

#include "design/record.h"

namespace bellform {

void macro_command(DesignRecord& rec);

}  // namespace bellform
