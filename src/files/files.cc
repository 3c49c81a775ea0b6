#include "files/files.h"

#include "files/file_platform.h"

namespace bellform {

bool replace_file(const char* name, const std::string& bytes, std::string* why) {
  Replacement r;
  bool ok = platform_begin_replace(name, r);
  if (ok && !platform_write_file(r, bytes.data(), bytes.size())) {
    platform_abandon_replace(r);
    ok = false;
  } else if (ok) {
    ok = platform_commit_replace(r);
  }
  if (!ok && why != nullptr) *why = platform_error_text(r.error);
  return ok;
}

bool write_standard_output(const std::string& bytes, std::string* why) {
  int error = 0;
  const bool ok = platform_write_standard_output(bytes.data(), bytes.size(), error);
  if (!ok && why != nullptr) *why = platform_error_text(error);
  return ok;
}

}  // namespace bellform
