// The file primitives of the real platforms, POSIX and Windows alike:
// straight through to the file system (native_file.h).
#include "files/file_platform.h"

namespace bellform {

bool platform_begin_replace(const char* name, Replacement& r) {
  return native_begin_replace(name, r);
}

bool platform_write_file(Replacement& r, const char* data, std::size_t length) {
  return native_write_file(r, data, length);
}

bool platform_commit_replace(Replacement& r) { return native_commit_replace(r); }
void platform_abandon_replace(Replacement& r) { native_abandon_replace(r); }
std::string platform_error_text(int error) { return native_error_text(error); }

bool platform_write_standard_output(const char* data, std::size_t length, int& error) {
  return native_write_standard_output(data, length, error);
}

}  // namespace bellform
