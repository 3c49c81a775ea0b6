// The one handle type the platform layer hands out: a console input or
// output handle, a file handle, or the null handle. The console (console/)
// and the files (files/) both speak in it; neither owns it.
//
// null_handle (0) is never a valid handle. On Windows a handle carries the
// system's HANDLE. On POSIX a file handle is its descriptor plus one
// (native_file_posix.cc), so descriptor 0 still can be one, and the console
// model's two handles are negative (model_console.h): they never collide.
#pragma once

#include <cstdint>

namespace bellform {

using Handle = std::intptr_t;
constexpr Handle null_handle = 0;

}  // namespace bellform
