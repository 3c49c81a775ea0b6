// Files on Windows: CreateFileA, WriteFile and CloseHandle, byte for byte.
// A handle is the HANDLE itself; INVALID_HANDLE_VALUE becomes the null
// handle so that the console layer has one value for "no file".
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <limits>

#include "console/native_file.h"

namespace bellform {

// Created, or emptied when it exists; others may read it while it is open,
// but not write it.
Handle native_create_file(const char* name) {
  HANDLE file = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return null_handle;
  return reinterpret_cast<Handle>(file);
}

bool native_write_file(Handle file, const char* data, std::size_t length,
                       std::size_t* written) {
  DWORD done = 0;
  // One call writes at most a DWORD's worth; a longer text is reported as
  // a short write rather than silently cut to its low bits.
  const DWORD asked = length > std::numeric_limits<DWORD>::max()
                          ? std::numeric_limits<DWORD>::max()
                          : static_cast<DWORD>(length);
  const BOOL ok = WriteFile(reinterpret_cast<HANDLE>(file), data, asked, &done,
                            nullptr);
  if (written != nullptr) *written = done;
  return ok != FALSE;
}

// A failed close may mean the writes before it did not all reach the disk.
bool native_close_file(Handle file) {
  return file != null_handle && CloseHandle(reinterpret_cast<HANDLE>(file)) != FALSE;
}

}  // namespace bellform
