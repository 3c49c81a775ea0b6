#include <cstdio>
#include <string>

#include "cli/command_line.h"
#include "cli/options.h"
#include "dialogue/design_loop.h"
#include "files/files.h"

namespace {

// Help and version go to the standard output the program was started with,
// before any console of its own is opened; a failed write is an error.
int print(const std::string& text) {
  const std::string why = bellform::write_standard_output(text);
  if (why.empty()) return 0;
  std::fprintf(stderr, "bellform: cannot write to standard output: %s\n", why.c_str());
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  using bellform::Action;
  const bellform::Options options = bellform::read_options(argc, argv);
  switch (options.action) {
    case Action::help: return print(bellform::help_text());
    case Action::version: return print(bellform::version_text());
    case Action::refuse:
      std::fputs(bellform::refusal_text(options).c_str(), stderr);
      return 2;
    case Action::compute: return bellform::run_command_line(options, stderr);
    case Action::dialogue: break;
  }
  return bellform::design_loop(options.millimetres ? bellform::metric_units
                                                   : bellform::inch_units);
}
