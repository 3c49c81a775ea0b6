// Files on Windows: CreateFileA, WriteFile, FlushFileBuffers, CloseHandle,
// and ReplaceFileA or MoveFileExA to give the new file its name. A handle is
// the HANDLE itself; INVALID_HANDLE_VALUE becomes the null handle so that
// the console layer has one value for "no file".
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <limits>

#include "files/native_file.h"

namespace bellform {

namespace {

HANDLE native(Handle file) { return reinterpret_cast<HANDLE>(file); }

std::string directory_of(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/:");
  if (slash == std::string::npos) return ".";
  if (path[slash] == ':') return path.substr(0, slash + 1) + ".";
  return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

// Others may read the file while it is open, but not write it.
HANDLE create(const char* name, DWORD disposition) {
  return CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A device such as NUL or CON is not a file on a disk: it cannot be
// replaced, only written.
bool on_disk(const char* name) {
  const HANDLE file = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  const DWORD type = GetFileType(file);
  CloseHandle(file);
  return type == FILE_TYPE_DISK;
}

bool in_place(Replacement& r) {
  r.temporary.clear();
  const HANDLE file = create(r.target.c_str(), CREATE_ALWAYS);
  if (file == INVALID_HANDLE_VALUE) {
    r.error = static_cast<int>(GetLastError());
    return false;
  }
  r.file = reinterpret_cast<Handle>(file);
  return true;
}

bool close_reporting(Replacement& r) {
  const HANDLE file = native(r.file);
  r.file = null_handle;
  if (file != nullptr && !CloseHandle(file)) {
    if (r.error == 0) r.error = static_cast<int>(GetLastError());
    return false;
  }
  return true;
}

// ReplaceFileA is given whole paths: under Wine it refuses a bare name in
// the current directory ("The directory name is invalid").
std::string full_path(const std::string& name) {
  char full[MAX_PATH];
  const DWORD n = GetFullPathNameA(name.c_str(), sizeof full, full, nullptr);
  return n > 0 && n < sizeof full ? std::string(full, n) : name;
}

}  // namespace

bool native_begin_replace(const char* name, Replacement& r) {
  r = Replacement{};
  if (name == nullptr || *name == '\0') {
    r.error = ERROR_INVALID_NAME;
    return false;
  }
  r.target = name;
  const DWORD attributes = GetFileAttributesA(name);
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    r.error = ERROR_ACCESS_DENIED;
    return false;
  }
  // A link or a device: written through, in place.
  if (exists && ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !on_disk(name)))
    return in_place(r);
  // GetTempFileNameA creates an empty file of a name no other file has.
  char temporary[MAX_PATH];
  if (GetTempFileNameA(directory_of(r.target).c_str(), "bfn", 0, temporary) == 0) {
    // A directory that takes no new file: the file itself, if it may be written.
    if (exists) return in_place(r);
    r.error = static_cast<int>(GetLastError());
    return false;
  }
  r.temporary = temporary;
  const HANDLE file = create(temporary, TRUNCATE_EXISTING);
  if (file == INVALID_HANDLE_VALUE) {
    r.error = static_cast<int>(GetLastError());
    native_abandon_replace(r);
    return false;
  }
  r.file = reinterpret_cast<Handle>(file);
  return true;
}

// Byte for byte, a DWORD's worth a call: WriteFile adds no carriage return.
static bool write_all(HANDLE file, const char* data, std::size_t length, int& error) {
  std::size_t done = 0;
  while (done < length) {
    const std::size_t rest = length - done;
    const DWORD asked = rest > std::numeric_limits<DWORD>::max()
                            ? std::numeric_limits<DWORD>::max()
                            : static_cast<DWORD>(rest);
    DWORD written = 0;
    if (!WriteFile(file, data + done, asked, &written, nullptr)) {
      error = static_cast<int>(GetLastError());
      return false;
    }
    if (written == 0) {
      error = ERROR_WRITE_FAULT;
      return false;
    }
    done += written;
  }
  return true;
}

bool native_write_file(Replacement& r, const char* data, std::size_t length) {
  return write_all(native(r.file), data, length, r.error);
}

bool native_write_standard_output(const char* data, std::size_t length, int& error) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    error = ERROR_INVALID_HANDLE;
    return false;
  }
  return write_all(out, data, length, error);
}

bool native_commit_replace(Replacement& r) {
  if (r.temporary.empty()) return close_reporting(r);
  if (!FlushFileBuffers(native(r.file))) {
    r.error = static_cast<int>(GetLastError());
    native_abandon_replace(r);
    return false;
  }
  if (!close_reporting(r)) {
    native_abandon_replace(r);
    return false;
  }
  // ReplaceFileA keeps the old file's attributes and security; a file that
  // is not there yet is simply moved into place.
  const std::string full_target = full_path(r.target);
  const std::string full_source = full_path(r.temporary);
  const char* target = full_target.c_str();
  const char* source = full_source.c_str();
  const bool moved =
      GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES
          ? ReplaceFileA(target, source, nullptr, REPLACEFILE_WRITE_THROUGH, nullptr,
                         nullptr) != FALSE
          : MoveFileExA(source, target,
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  if (!moved) {
    r.error = static_cast<int>(GetLastError());
    native_abandon_replace(r);
    return false;
  }
  r.temporary.clear();
  return true;
}

void native_abandon_replace(Replacement& r) {
  const int saved = r.error;
  if (r.file != null_handle) close_reporting(r);
  if (!r.temporary.empty()) DeleteFileA(r.temporary.c_str());
  r.temporary.clear();
  r.error = saved;
}

std::string native_error_text(int error) {
  char text[256] = {};
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, static_cast<DWORD>(error), 0, text, sizeof text,
                                 nullptr);
  std::string message(text, n);
  // The system's sentence ends with a full stop and a line break.
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == '.'))
    message.pop_back();
  return message.empty() ? "error " + std::to_string(error) : message;
}

}  // namespace bellform
