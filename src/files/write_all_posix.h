// Every byte to a descriptor, on POSIX: the one write loop of the files,
// standard output and the terminal. Only write() and errno, so a signal
// handler may use it too.
#pragma once

#include <cerrno>
#include <cstddef>
#include <unistd.h>

namespace bellform {

// Byte for byte; a write cut short by a signal goes on. False, with the
// reason in `error`, when the descriptor fails or takes nothing (rather
// than spin on it).
inline bool write_all(int fd, const char* data, std::size_t length, int& error) {
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::write(fd, data + done, length - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n == 0) {
      error = EIO;
      return false;
    } else if (errno != EINTR) {
      error = errno;
      return false;
    }
  }
  return true;
}

}  // namespace bellform
