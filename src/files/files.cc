#include "files/files.h"

#include "files/file_platform.h"

namespace bellform {

namespace {

// A failure always has a reason to show, even one the system leaves blank.
std::string reason(int error) {
  std::string text = platform_error_text(error);
  return text.empty() ? "unknown error" : text;
}

}  // namespace

std::string replace_file(const char* name, const std::string& bytes) {
  Replacement r;
  if (!platform_begin_replace(name, r)) return reason(r.error);
  if (!platform_write_file(r, bytes.data(), bytes.size())) {
    platform_abandon_replace(r);
    return reason(r.error);
  }
  if (!platform_commit_replace(r)) return reason(r.error);
  return "";
}

std::string write_standard_output(const std::string& bytes) {
  int error = 0;
  if (platform_write_standard_output(bytes.data(), bytes.size(), error)) return "";
  return reason(error);
}

}  // namespace bellform
