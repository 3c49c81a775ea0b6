// The program's main procedure: the four questions and the command cycle.
#pragma once

#include "design/units.h"

namespace bellform {

// Runs until the user ends the program, in inches or millimetres; returns
// the exit status.
int design_loop(const Units& units = inch_units);

}  // namespace bellform
