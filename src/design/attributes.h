// Console attributes used by the program: foreground on black. The report's
// lines carry them to the screen; a file drops them. The grey of plain text,
// attr_normal, is the console's own (console_size.h): what a new console
// writes in and a blank cell shows.
#pragma once

#include <cstdint>

#include "console/console_size.h"

namespace bellform {

enum : std::uint16_t {
  attr_red = 4,
  attr_green = 2,
  attr_cyan = 3,
  attr_yellow = 14,
};

}  // namespace bellform
