// Files on the machine's own file system: file_posix.cc or file_win32.cc.
// The platform layer's file primitives pass straight through to these; the
// test console puts a switch in between that makes a close fail, as a full
// disk on a network file system does.
#pragma once

#include <cstddef>

#include "console/handle.h"

namespace bellform {

// Created, or emptied when it exists; null_handle when it cannot be.
Handle native_create_file(const char* name);
// False on an error; `written` tells how many bytes reached the file.
bool native_write_file(Handle file, const char* data, std::size_t length,
                       std::size_t* written);
// False when the close reports an error: data written before may be lost.
bool native_close_file(Handle file);

}  // namespace bellform
