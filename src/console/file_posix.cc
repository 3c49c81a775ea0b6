// Files on POSIX: a handle is the descriptor plus one, so that the null
// handle (0) never names a file and descriptor 0 still can.
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "console/native_file.h"

namespace bellform {

namespace {

int descriptor(Handle file) {
  return file > 0 ? static_cast<int>(file - 1) : -1;
}

}  // namespace

// Created, or emptied when it exists. Opening for writing fails on a
// directory, so a directory of that name gives the null handle.
Handle native_create_file(const char* name) {
  if (name == nullptr || *name == '\0') return null_handle;
  int fd;
  do {
    fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY,
                0666);
  } while (fd < 0 && errno == EINTR);
  return fd < 0 ? null_handle : static_cast<Handle>(fd) + 1;
}

// Byte for byte; a line feed stays a single 0x0A.
bool native_write_file(Handle file, const char* data, std::size_t length,
                       std::size_t* written) {
  std::size_t done = 0;
  bool ok = descriptor(file) >= 0;
  while (ok && done < length) {
    const ssize_t n = ::write(descriptor(file), data + done, length - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n == 0) {
      break;  // no progress: report the short count rather than spin
    } else if (errno != EINTR) {
      ok = false;
    }
  }
  if (written != nullptr) *written = done;
  return ok;
}

// An error from close is an error of the writes before it (a network file
// system may report only here that the disk is full). Not retried on EINTR:
// on Linux the descriptor is gone either way, and what it held is unknown.
bool native_close_file(Handle file) {
  return descriptor(file) >= 0 && ::close(descriptor(file)) == 0;
}

}  // namespace bellform
