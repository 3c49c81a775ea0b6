// The program's main procedure: the four questions and the command cycle.
#pragma once

#include "design/record.h"
#include "design/units.h"

namespace bellform {

// Runs until the user ends the program, in inches or millimetres, the
// driver adapter cut to the print height (mm); returns the exit status.
int design_loop(const Units& units = inch_units, double print_height = default_print_height);

}  // namespace bellform
