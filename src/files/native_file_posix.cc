// Files on POSIX: a handle is the descriptor plus one, so that the null
// handle (0) never names a file and descriptor 0 still can.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/native_file.h"
#include "files/write_all_posix.h"

namespace bellform {

namespace {

int descriptor(Handle file) {
  return file > 0 ? static_cast<int>(file - 1) : -1;
}

Handle handle_of(int fd) { return static_cast<Handle>(fd) + 1; }

int open_retrying(const char* name, int flags) {
  int fd;
  do {
    fd = ::open(name, flags | O_CLOEXEC | O_NOCTTY, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

std::string directory_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The name a chain of symbolic links ends at, so that the link stays a link
// and the file it points to is the one replaced. A dangling link ends at the
// name the file will be created under, as opening it would create it.
bool follow_links(const char* name, std::string& target, int& error) {
  target = name;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char link[PATH_MAX];
    const ssize_t n = ::readlink(target.c_str(), link, sizeof link);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof link) {
      error = n < 0 ? errno : ENAMETOOLONG;
      return false;
    }
    const std::string to(link, static_cast<std::size_t>(n));
    target = to[0] == '/' ? to : directory_of(target) + "/" + to;
  }
  error = ELOOP;
  return false;
}

// A name of our own beside the target: hidden, with the process and a count
// in it, created exclusively, so it never takes another file's place; one
// left behind by a crash only ever costs a retry.
int create_beside(const std::string& target, std::string& temporary) {
  static unsigned count = 0;
  const std::string dir = directory_of(target);
  for (int tries = 0; tries < 100; ++tries) {
    char name[64];
    std::snprintf(name, sizeof name, "/.bellform-%ld-%u.tmp",
                  static_cast<long>(::getpid()), count++);
    temporary = dir + name;
    const int fd = open_retrying(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool in_place(Replacement& r) {
  r.temporary.clear();
  const int fd = open_retrying(r.target.c_str(), O_WRONLY | O_CREAT | O_TRUNC);
  if (fd < 0) {
    r.error = errno;
    return false;
  }
  r.file = handle_of(fd);
  return true;
}

bool close_reporting(Replacement& r) {
  const int fd = descriptor(r.file);
  r.file = null_handle;
  // Not retried on EINTR: on Linux the descriptor is gone either way.
  if (fd >= 0 && ::close(fd) != 0) {
    if (r.error == 0) r.error = errno;
    return false;
  }
  return true;
}

// The old file's permission bits and, where we may, its owner, given to
// the new file beside it (a new name has the umask's); false, the new file
// removed, when the bits cannot be set.
bool keep_owner_and_bits(const struct stat& old, Replacement& r) {
  const int fd = descriptor(r.file);
  if (::fchmod(fd, old.st_mode & 07777) != 0) {
    r.error = errno;
    native_abandon_replace(r);
    return false;
  }
  if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
    (void)!::fchown(fd, old.st_uid, old.st_gid);
  return true;
}

}  // namespace

bool native_begin_replace(const char* name, Replacement& r) {
  r = Replacement{};
  if (name == nullptr || *name == '\0') {
    r.error = ENOENT;
    return false;
  }
  if (!follow_links(name, r.target, r.error)) return false;
  struct stat old;
  const bool exists = ::stat(r.target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) {
    r.error = EISDIR;
    return false;
  }
  if (exists && !S_ISREG(old.st_mode)) return in_place(r);
  // A file its owner made read-only stays as it is, as when it was written
  // in place; the directory's leave to rename over it is no leave to
  // change it.
  if (exists && ::access(r.target.c_str(), W_OK) != 0) {
    r.error = errno;
    return false;
  }
  const int fd = create_beside(r.target, r.temporary);
  if (fd < 0) {
    const int why = errno;
    // A directory that takes no new file: the file itself, if it may be written.
    if ((why == EACCES || why == EPERM || why == EROFS) && exists) return in_place(r);
    r.temporary.clear();
    r.error = why;
    return false;
  }
  r.file = handle_of(fd);
  return !exists || keep_owner_and_bits(old, r);
}

// Byte for byte; a line feed stays a single 0x0A.
bool native_write_file(Replacement& r, const char* data, std::size_t length) {
  return write_all(descriptor(r.file), data, length, r.error);
}

bool native_write_standard_output(const char* data, std::size_t length, int& error) {
  return write_all(STDOUT_FILENO, data, length, error);
}

bool native_commit_replace(Replacement& r) {
  if (r.temporary.empty()) return close_reporting(r);
  // The text on the disk before the name moves to it: after a crash the
  // name holds the old file or the new one, never an empty one.
  if (::fsync(descriptor(r.file)) != 0) {
    r.error = errno;
    native_abandon_replace(r);
    return false;
  }
  // An error from close is an error of the writes before it (a network file
  // system may report only here that the disk is full).
  if (!close_reporting(r) || ::rename(r.temporary.c_str(), r.target.c_str()) != 0) {
    if (r.error == 0) r.error = errno;
    native_abandon_replace(r);
    return false;
  }
  r.temporary.clear();
  // The rename itself on the disk; a directory that cannot be synced (some
  // network file systems) has the file all the same.
  const int dir = open_retrying(directory_of(r.target).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return true;
}

void native_abandon_replace(Replacement& r) {
  const int saved = r.error;
  if (r.file != null_handle) close_reporting(r);
  if (!r.temporary.empty()) ::unlink(r.temporary.c_str());
  r.temporary.clear();
  r.error = saved;
}

std::string native_error_text(int error) { return std::strerror(error); }

}  // namespace bellform
