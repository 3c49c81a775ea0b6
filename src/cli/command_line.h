// The command-line mode: a design given in full as options, laid out and
// written without a dialogue, a terminal or a console.
#pragma once

#include <cstdio>

#include "cli/options.h"

namespace bellform {

// Writes every output asked for and returns the exit status: 0 when all
// were written; 1 when the design, its length or its step is refused (and
// nothing is written) or when a file could not be written (the others are
// written all the same). Messages go to `messages`, standard error in the
// program, one a line after "bellform: ".
int run_command_line(const Options& options, std::FILE* messages);

}  // namespace bellform
