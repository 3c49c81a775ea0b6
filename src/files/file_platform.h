// The file primitives the whole-file replace (files.cc) is written over.
// The real platforms pass them straight through to the file system
// (platform_files.cc over native_file.h); the test platform puts switches
// in between that make a write or a close fail, as a full disk does.
#pragma once

#include <cstddef>
#include <string>

#include "files/native_file.h"

namespace bellform {

// Files, each replaced whole (native_file.h): the new file opened beside
// the old one, written, then flushed, closed and renamed over it; after a
// failure it is removed and the old file stays as it was.
bool platform_begin_replace(const char* name, Replacement& r);
bool platform_write_file(Replacement& r, const char* data, std::size_t length);
bool platform_commit_replace(Replacement& r);
void platform_abandon_replace(Replacement& r);
std::string platform_error_text(int error);
// The process's standard output, byte for byte.
bool platform_write_standard_output(const char* data, std::size_t length, int& error);

}  // namespace bellform
