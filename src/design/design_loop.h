// The program's main procedure: the four questions and the command cycle.
#pragma once

namespace bellform {

// Runs until the user ends the program; returns the exit status.
int design_loop();

}  // namespace bellform
