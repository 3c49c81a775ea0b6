#include "design/driver_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "design/driver_figures.h"
#include "design/driver_lines.h"
#include "design/driver_model.h"

namespace bellform {

namespace {

using namespace sheet;

// The driver's holes; a count of them needs their circle.
std::string bolt_pattern(const DriverLines& r, BoltPattern& out) {
  if (r.value[Bolts] > 0 && !r.given(Bolt_circle))
    return r.fault(r.line[Bolts], "Bolts needs Bolt_circle, the diameter of their circle.");
  out.bolts = static_cast<int>(r.value[Bolts]);
  out.circle = r.value[Bolt_circle];
  if (r.given(Bolt_hole)) out.hole = r.value[Bolt_hole];
  return {};
}

// "Note: the file's Qtc, SPL and Znom are not used."
std::string unused_note(const std::vector<std::string>& names) {
  if (names.empty()) return {};
  std::string text = "Note: the file's ";
  for (std::size_t i = 0; i < names.size(); ++i)
    text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  return text + (names.size() == 1 ? " is not used." : " are not used.");
}

}  // namespace

std::string parse_driver_file(std::string_view name, std::string_view bytes, DriverFile& file) {
  DriverLines r;
  r.file = name;
  if (bytes.size() > max_driver_file_bytes)
    return r.fault("over 64 KB, too large for a driver file.");
  if (bytes.find('\0') != std::string_view::npos) return r.fault("not a text file.");
  if (bytes.starts_with("\xef\xbb\xbf")) bytes.remove_prefix(3);
  if (bytes.empty()) return r.fault("the file is empty.");
  if (std::string fault = read_driver_lines(bytes, r); !fault.empty()) return fault;
  DriverFile read;
  read.name = name;
  if (std::string fault = bolt_pattern(r, read.bolts); !fault.empty()) return fault;
  read.response_fault = complete_driver(r, read.driver);
  if (read.response_fault.empty()) read.slips = slip_notes(r, read.driver);
  read.xmax = r.value[Xmax];
  read.unused = unused_note(r.unused);
  file = read;
  return {};
}

std::string read_driver_bytes(const std::string& name, std::string& bytes) {
  bytes.assign(max_driver_file_bytes + 1, '\0');
  errno = 0;
  std::FILE* in = std::fopen(name.c_str(), "rb");
  bool failed = in == nullptr;
  int reason = errno;
  std::size_t got = 0;
  if (in) {
    got = std::fread(bytes.data(), 1, bytes.size(), in);
    failed = std::ferror(in) != 0;
    reason = errno;
    std::fclose(in);
  }
  if (failed) {
    bytes.clear();
    if (reason == 0) return "Could not read the driver file " + name + ".";
    return "Could not read the driver file " + name + ": " + std::strerror(reason) + ".";
  }
  bytes.resize(got);
  return {};
}

std::string load_driver_file(const std::string& name, DriverFile& file) {
  std::string bytes;
  if (std::string fault = read_driver_bytes(name, bytes); !fault.empty()) return fault;
  return parse_driver_file(name, bytes, file);
}

std::vector<std::string> response_notes(const DriverFile& file, double start_area,
                                        const ResponseTable& table) {
  std::vector<std::string> notes = {"Driver: " + figures_text(file.driver, start_area)};
  notes.insert(notes.end(), file.slips.begin(), file.slips.end());
  if (file.xmax > 0) notes.push_back(xmax_line(file.xmax, table, file.driver.Eg));
  if (!file.unused.empty()) notes.push_back(file.unused);
  return notes;
}

}  // namespace bellform
