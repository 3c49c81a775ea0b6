#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "dialogue/design_loop.h"
#include "design/options.h"

namespace {

// Help and version go to the standard output the program was started with,
// before any console of its own is opened; a failed write is an error.
int print(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "bellform: cannot write to standard output: %s\n",
                 std::strerror(errno));
    return 1;
  }
  return 0;
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
    case Action::design: break;
  }
  return bellform::design_loop(options.millimetres ? bellform::metric_units
                                                   : bellform::inch_units);
}
