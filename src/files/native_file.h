// Files on the machine's own file system: native_file_posix.cc or native_file_win32.cc.
// The platform layer's file primitives pass straight through to these; the
// test console puts switches in between that make a write or a close fail,
// as a full disk does.
//
// Every file is replaced whole. The new text goes to a new file beside the
// old one, in the same directory, reaches the disk, and only then takes the
// old file's name in one step: a failure on the way leaves the old file as
// it was. Where that cannot be done the file is written in place, emptied
// first: when the name is not a plain file (a device such as /dev/null, a
// pipe), or when the directory takes no new file but the file is writable.
#pragma once

#include <cstddef>
#include <string>

#include "platform/handle.h"

namespace bellform {

struct Replacement {
  Handle file = null_handle;  // what the text is written to
  std::string target;         // the name replaced, a symbolic link followed
  std::string temporary;      // the new file beside it; empty: in place
  int error = 0;              // the first failure: errno, or GetLastError
};

// Opens the new file for `name` (or the file itself, in place); false, with
// `error` set, when neither can be opened.
bool native_begin_replace(const char* name, Replacement& r);
// Every byte, or false with `error` set.
bool native_write_file(Replacement& r, const char* data, std::size_t length);
// Flushes the new file to the disk, closes it and gives it the name; false,
// with `error` set and the new file removed, when any step fails.
bool native_commit_replace(Replacement& r);
// Closes and removes the new file after a failure; the old file stays.
void native_abandon_replace(Replacement& r);

// Every byte to the process's standard output, as it is (never a carriage
// return added before a line feed); false with `error` set.
bool native_write_standard_output(const char* data, std::size_t length, int& error);

// What an error code means, in the system's words.
std::string native_error_text(int error);

}  // namespace bellform
