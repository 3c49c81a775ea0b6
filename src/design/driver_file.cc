#include "design/driver_file.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#include "design/number.h"

namespace bellform {

namespace {

enum Id { Re, Le, Bl, Sd, Mmd, Mms, Cms, Rms, Qms, Vrc, Vtc, Eg, Bolts, Bolt_circle, Bolt_hole,
          id_count };

// Each name, what its unit is in SI (the bolt pattern's stays in mm, as the
// adapter is built), and whether 0 is a value it may take.
struct Param {
  const char* name;
  double to_si;
  bool zero_allowed;
};

constexpr Param params[id_count] = {
    {"Re", 1, false},    {"Le", 1e-3, true},  {"Bl", 1, false},    {"Sd", 1e-4, false},
    {"Mmd", 1e-3, false}, {"Mms", 1e-3, false}, {"Cms", 1e-3, false}, {"Rms", 1, true},
    {"Qms", 1, false},   {"Vrc", 1e-3, true}, {"Vtc", 1e-6, true}, {"Eg", 1, false},
    {"Bolts", 1, true},  {"Bolt_circle", 1, false}, {"Bolt_hole", 1, false}};

const char* const known_names =
    "(Re Le Bl Sd Mmd Mms Cms Rms Qms Vrc Vtc Eg Bolts Bolt_circle Bolt_hole)";

// A count of bolts a flange can hold evenly: 0 for none, else 2 to 12.
bool bolt_count(double n) { return n == 0 || (n >= 2 && n <= 12 && n == std::floor(n)); }

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int id_of(std::string_view name) {
  for (int id = 0; id < id_count; ++id) {
    const std::string_view known = params[id].name;
    if (known.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size(); ++i) same = same && lower(name[i]) == lower(known[i]);
    if (same) return id;
  }
  return -1;
}

// A name from the file as a message can show it: printable ASCII, and short.
std::string shown(std::string_view name) {
  constexpr std::size_t longest = 24;
  std::string text;
  for (std::size_t i = 0; i < name.size() && i < longest; ++i)
    text += name[i] >= ' ' && name[i] <= '~' ? name[i] : '?';
  if (name.size() > longest) text += "...";
  return text;
}

// What the reading has found so far: each value in SI and the line it was
// on, 0 for none.
struct Reading {
  std::string file;  // "NAME" for the messages
  double value[id_count] = {};
  int line[id_count] = {};

  std::string fault(const std::string& what) const { return file + ": " + what; }
  std::string fault(int at, const std::string& what) const {
    return file + ", line " + std::to_string(at) + ": " + what;
  }
};

std::string range_fault(int id) {
  if (id == Bolts) return "Bolts must be a whole number from 2 to 12, or 0 for none.";
  const char* range = params[id].zero_allowed ? ", 0 or above." : " above 0.";
  return std::string(params[id].name) + " must be a number" + range;
}

// One line, its comment already cut off.
std::string read_line(Reading& r, int at, std::string_view text) {
  text = trimmed(text);
  if (text.empty()) return {};
  const std::size_t equals = text.find('=');
  const std::string_view name = trimmed(text.substr(0, equals));
  if (equals == std::string_view::npos || name.empty())
    return r.fault(at, "expected name = value.");
  const int id = id_of(name);
  if (id < 0) return r.fault(at, "unknown name " + shown(name) + " " + known_names + ".");
  if (r.line[id])
    return r.fault(at, std::string(params[id].name) + " is given twice, first on line " +
                           std::to_string(r.line[id]) + ".");
  for (const auto& pair : {std::pair{Mmd, Mms}, std::pair{Rms, Qms}})
    if ((id == pair.first && r.line[pair.second]) || (id == pair.second && r.line[pair.first]))
      return r.fault(at, std::string("give ") + params[pair.first].name + " or " +
                             params[pair.second].name + ", not both.");
  const std::string value(trimmed(text.substr(equals + 1)));
  double number = 0;
  if (!read_whole_number(value.c_str(), true, number)) return r.fault(at, range_fault(id));
  // In SI, where the model takes it: a tiny value must not become 0.
  const double si = number * params[id].to_si;
  if (!(si > 0 || (params[id].zero_allowed && si == 0)) || (id == Bolts && !bolt_count(si)))
    return r.fault(at, range_fault(id));
  r.value[id] = si;
  r.line[id] = at;
  return {};
}

std::string read_lines(Reading& r, std::string_view text) {
  for (int at = 1; !text.empty(); ++at) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    line = line.substr(0, line.find('#'));
    if (std::string fault = read_line(r, at, line); !fault.empty()) return fault;
  }
  return {};
}

// The driver's holes; a count of them needs their circle.
std::string bolt_pattern(const Reading& r, BoltPattern& out) {
  if (r.value[Bolts] > 0 && !r.line[Bolt_circle])
    return r.fault(r.line[Bolts], "Bolts needs Bolt_circle, the diameter of their circle.");
  out.bolts = static_cast<int>(r.value[Bolts]);
  out.circle = r.value[Bolt_circle];
  if (r.line[Bolt_hole]) out.hole = r.value[Bolt_hole];
  return {};
}

// The needed names, then what follows from the ones given: the response's
// driver, or the sentence that says what it lacks.
std::string complete(const Reading& r, DriverParams& out) {
  for (const int id : {Re, Bl, Sd})
    if (!r.line[id]) return r.fault(std::string(params[id].name) + " is missing.");
  if (!r.line[Mmd] && !r.line[Mms]) return r.fault("Mmd or Mms is missing.");
  if (!r.line[Cms]) return r.fault("Cms is missing.");
  if (!r.line[Rms] && !r.line[Qms]) return r.fault("Rms or Qms is missing.");
  DriverParams d;
  d.Re = r.value[Re];
  d.Le = r.value[Le];
  d.Bl = r.value[Bl];
  d.Sd = r.value[Sd];
  d.Cms = r.value[Cms];
  d.Mmd = r.line[Mmd] ? r.value[Mmd] : mmd_from_mms(r.value[Mms], d.Sd);
  if (!(d.Mmd > 0)) {
    char text[120];
    std::snprintf(text, sizeof text, "Mms must be above %.4g g, the air load of the diaphragm.",
                  air_load_mass(d.Sd) * 1e3);
    return r.fault(r.line[Mms], text);
  }
  d.Rms = r.line[Rms] ? r.value[Rms] : rms_from_qms(r.value[Qms], d.Mmd, d.Cms, d.Sd);
  if (!std::isfinite(d.Rms))
    return r.fault(r.line[Qms], "Qms gives no Rms with this Mms and Cms: out of range.");
  d.Vrc = r.value[Vrc];
  d.Vtc = r.value[Vtc];
  if (r.line[Eg]) d.Eg = r.value[Eg];
  out = d;
  return {};
}

}  // namespace

std::string parse_driver_file(std::string_view name, std::string_view bytes, DriverFile& file) {
  Reading r;
  r.file = name;
  if (bytes.size() > max_driver_file_bytes)
    return r.fault("over 64 KB, too large for a driver file.");
  if (bytes.find('\0') != std::string_view::npos) return r.fault("not a text file.");
  if (bytes.starts_with("\xef\xbb\xbf")) bytes.remove_prefix(3);
  if (bytes.empty()) return r.fault("the file is empty.");
  if (std::string fault = read_lines(r, bytes); !fault.empty()) return fault;
  DriverFile read;
  read.name = name;
  if (std::string fault = bolt_pattern(r, read.bolts); !fault.empty()) return fault;
  read.response_fault = complete(r, read.driver);
  file = read;
  return {};
}

std::string read_driver_bytes(const std::string& name, std::string& bytes) {
  bytes.assign(max_driver_file_bytes + 1, '\0');
  std::ifstream in(name, std::ios::binary);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!in.is_open() || in.bad()) {
    bytes.clear();
    return "Could not read the driver file " + name + ".";
  }
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return {};
}

std::string load_driver_file(const std::string& name, DriverFile& file) {
  std::string bytes;
  if (std::string fault = read_driver_bytes(name, bytes); !fault.empty()) return fault;
  return parse_driver_file(name, bytes, file);
}

}  // namespace bellform
