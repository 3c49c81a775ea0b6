// Console attributes used by the program: foreground on black. The report's
// lines carry them to the screen; a file drops them.
#pragma once

#include <cstdint>

namespace bellform {

enum : std::uint16_t {
  attr_normal = 7,
  attr_red = 4,
  attr_green = 2,
  attr_cyan = 3,
  attr_yellow = 14,
};

}  // namespace bellform
