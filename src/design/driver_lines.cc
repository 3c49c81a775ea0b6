#include "design/driver_lines.h"

#include <cmath>

namespace bellform {

namespace {

using namespace sheet;

struct NameRow {
  const char* name;
  UnitKind unit;
  bool zero_allowed;
};

constexpr NameRow names[count] = {
    {"Re", UnitKind::ohm, false},          {"Le", UnitKind::inductance, true},
    {"Bl", UnitKind::force, false},        {"Sd", UnitKind::area, false},
    {"Mmd", UnitKind::mass, false},        {"Mms", UnitKind::mass, false},
    {"Cms", UnitKind::compliance, false},  {"Rms", UnitKind::resistance, true},
    {"Qms", UnitKind::none, false},        {"Vrc", UnitKind::litres, true},
    {"Vtc", UnitKind::cm3, true},          {"Eg", UnitKind::volt, false},
    {"Fs", UnitKind::frequency, false},    {"Vas", UnitKind::litres, false},
    {"Qes", UnitKind::none, false},        {"Qts", UnitKind::none, false},
    {"Xmax", UnitKind::length_mm, false},  {"Pe", UnitKind::watt, false},
    {"Bolts", UnitKind::none, true},       {"Bolt_circle", UnitKind::length_mm, false},
    {"Bolt_hole", UnitKind::length_mm, false}};

// Names a data sheet carries that the model has no use for: read, value
// and unit alike, and named once in a note.
constexpr const char* unused_names[] = {
    "Qtc", "SPL", "Vd", "Z", "Znom", "Fc", "Pmax", "Pnom", "Mmsair", "EBP", "Hc", "Hg",
    "Le1k", "Le10k", "Sens", "Sensitivity", "Xmech", "Xlim", "Zmin", "Dd", "Weight", "n0"};

// Pairs of which a file gives one: each says what the other does.
constexpr Name pairs[][2] = {{Mmd, Mms}, {Rms, Qms}, {Eg, Pe}};

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

int name_id(std::string_view name) {
  for (int id = 0; id < count; ++id)
    if (same_name(name, names[id].name)) return id;
  return -1;
}

bool unused_name(std::string_view name) {
  for (const char* unused : unused_names)
    if (same_name(name, unused)) return true;
  return false;
}

std::string known_names() {
  std::string list = "(";
  for (const NameRow& row : names) list += std::string(list.size() > 1 ? " " : "") + row.name;
  return list + ")";
}

std::string range_fault(int id) {
  if (id == Bolts) return "Bolts must be a whole number from 2 to 12, or 0 for none.";
  const char* range = names[id].zero_allowed ? ", 0 or above." : " above 0.";
  return std::string(names[id].name) + " must be a number" + range;
}

// A count of bolts a flange can hold evenly: 0 for none, else 2 to 12.
bool bolt_count(double n) { return n == 0 || (n >= 2 && n <= 12 && n == std::floor(n)); }

// The value after `=`, in the model's unit: a tiny value must not become 0,
// nor a large one infinite.
std::string read_value(DriverLines& r, int at, int id, std::string_view text) {
  Quantity q;
  const std::string name = names[id].name;
  switch (read_quantity(text, names[id].unit, q)) {
    case QuantityFault::none: break;
    case QuantityFault::no_number: return r.fault(at, range_fault(id));
    case QuantityFault::unknown_unit:
      return r.fault(at, name + ": unit " + unit_text(trimmed(text.substr(q.number_end))) +
                             " not known here (" + unit_list(names[id].unit) + ").");
    case QuantityFault::text_after:
      return r.fault(at, name + ": text after the number: " + unit_text(text) + ".");
  }
  // A unit larger than the model's may carry a finite number past the doubles.
  if (!std::isfinite(q.value) || !(q.value > 0 || (names[id].zero_allowed && q.value == 0)) ||
      (id == Bolts && !bolt_count(q.value)))
    return r.fault(at, range_fault(id));
  r.value[id] = q.value;
  r.unit[id] = q.unit;
  r.line[id] = at;
  return {};
}

// One line, its comment already cut off.
std::string read_line(DriverLines& r, int at, std::string_view text) {
  text = trimmed(text);
  if (text.empty()) return {};
  const std::size_t equals = text.find('=');
  const std::string_view name = trimmed(text.substr(0, equals));
  if (equals == std::string_view::npos || name.empty())
    return r.fault(at, "expected name = value.");
  const int id = name_id(name);
  if (id < 0 && unused_name(name)) {
    bool listed = false;
    for (const std::string& before : r.unused) listed = listed || same_name(before, name);
    if (!listed) r.unused.push_back(unit_text(name));
    return {};
  }
  if (id < 0) return r.fault(at, "unknown name " + unit_text(name) + " " + known_names() + ".");
  if (r.line[id])
    return r.fault(at, std::string(names[id].name) + " is given twice, first on line " +
                           std::to_string(r.line[id]) + ".");
  for (const auto& pair : pairs)
    if ((id == pair[0] && r.line[pair[1]]) || (id == pair[1] && r.line[pair[0]]))
      return r.fault(at, std::string("give ") + names[pair[0]].name + " or " +
                             names[pair[1]].name + ", not both.");
  return read_value(r, at, id, trimmed(text.substr(equals + 1)));
}

}  // namespace

const char* name_of(int name) { return names[name].name; }
UnitKind unit_of(int name) { return names[name].unit; }

std::string DriverLines::fault(const std::string& what) const { return file + ": " + what; }

std::string DriverLines::fault(int at, const std::string& what) const {
  return file + ", line " + std::to_string(at) + ": " + what;
}

std::string read_driver_lines(std::string_view text, DriverLines& out) {
  for (int at = 1; !text.empty(); ++at) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    line = line.substr(0, line.find('#'));
    if (std::string fault = read_line(out, at, line); !fault.empty()) return fault;
  }
  return {};
}

}  // namespace bellform
