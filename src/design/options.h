// The command line, read before any console is opened: the program's help,
// its version, or the design dialogue.
#pragma once

#include <string>

namespace bellform {

enum class Action { design, help, version, refuse };

struct Options {
  Action action = Action::design;
  bool millimetres = false;  // the dialogue, report and files in mm
  std::string refused;       // the first argument not understood
};

// Any argument not understood refuses the whole line, wherever it stands;
// otherwise help comes before version, and no option at all is the dialogue.
Options read_options(int argc, const char* const argv[]);

// What is printed for each action but the dialogue: help and version on
// standard output, a refusal on standard error.
std::string help_text();
std::string version_text();
std::string refusal_text(const Options& options);

}  // namespace bellform
