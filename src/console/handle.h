// The one handle type of the console layer: a console input or output handle,
// a file handle, or the null handle. On Windows it carries a HANDLE; elsewhere
// the platform file chooses values that never collide (see platform.h).
#pragma once

#include <cstdint>

namespace bellform {

using Handle = std::intptr_t;
constexpr Handle null_handle = 0;

}  // namespace bellform
