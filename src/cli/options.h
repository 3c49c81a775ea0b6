// The command line, read before any console is opened: the program's help,
// its version, the design dialogue, or a design given in full as options
// and written without a dialogue.
#pragma once

#include <string>
#include <vector>

#include "writers/drawing_pdf.h"
#include "writers/outputs.h"

namespace bellform {

enum class Action { dialogue, help, version, refuse, compute };

// The print heights the adapter may be cut to, in mm.
constexpr double min_print_height = 50, max_print_height = 1000;

// A file the command-line mode is asked to write: its row's option, then
// the name.
struct OutputRequest {
  const OutputRow* row;
  std::string file;  // "-": standard output
};

// The horn given on the command line, in the user's unit (mm with --mm).
struct GivenDesign {
  double W = 0, H = 0, T = 0;
  bool has_driver = false, has_length = false, has_step = false;
  double D = 0, L = 0, step = 0;
  std::string driver_file;  // the response's driver; empty: none
  bool has_paper = false;
  Paper paper = Paper::letter;  // with has_paper; else the unit's
};

struct Options {
  Action action = Action::dialogue;
  bool millimetres = false;  // the dialogue, report and files in mm
  double print_height = default_print_height;  // mm, the dialogue's and the files'

  std::string refusal;       // why the line was refused, one sentence
  GivenDesign design;        // for Action::compute
  std::vector<OutputRequest> outputs;
};

// Any argument not understood refuses the whole line, wherever it stands;
// otherwise help comes before version, and then a design given as options
// is computed. No option at all (or --mm alone) is the dialogue.
Options read_options(int argc, const char* const argv[]);

// What is printed for each action but the dialogue and the computation:
// help and version on standard output, a refusal on standard error.
std::string help_text();
std::string version_text();
std::string refusal_text(const Options& options);

}  // namespace bellform
