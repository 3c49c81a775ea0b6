#include "design/driver_units.h"

#include "design/number.h"

namespace bellform {

namespace {

// The signs as UTF-8, after a Windows-1252 byte has been turned into one.
#define MICRO "\xc2\xb5"
#define MU "\xce\xbc"  // the Greek letter, which some sheets use for micro
#define SQUARED "\xc2\xb2"
#define CUBED "\xc2\xb3"
#define DOT "\xc2\xb7"

struct UnitRow {
  UnitKind kind;
  const char* text;   // as read, blanks made one space
  double factor;      // to the model's unit
  const char* shown;  // as messages show it; the list names each once
};

constexpr double square_inch = 0.0254 * 0.0254;
constexpr double cubic_foot = 0.3048 * 0.3048 * 0.3048;

// A kind's first row is its unit when none is given.
constexpr UnitRow units[] = {
    {UnitKind::none, "", 1, ""},
    {UnitKind::ohm, "ohm", 1, "ohm"},
    {UnitKind::ohm, "ohms", 1, "ohm"},
    {UnitKind::ohm, "\xce\xa9", 1, "ohm"},
    {UnitKind::ohm, "\xe2\x84\xa6", 1, "ohm"},  // the ohm sign, U+2126
    {UnitKind::inductance, "mH", 1e-3, "mH"},
    {UnitKind::inductance, "uH", 1e-6, "uH"},
    {UnitKind::inductance, MICRO "H", 1e-6, "uH"},
    {UnitKind::inductance, MU "H", 1e-6, "uH"},
    {UnitKind::inductance, "H", 1, "H"},
    {UnitKind::force, "T m", 1, "T m"},
    {UnitKind::force, "Tm", 1, "T m"},
    {UnitKind::force, "T" DOT "m", 1, "T m"},
    {UnitKind::force, "T*m", 1, "T m"},
    {UnitKind::force, "N/A", 1, "N/A"},
    {UnitKind::area, "cm2", 1e-4, "cm2"},
    {UnitKind::area, "cm" SQUARED, 1e-4, "cm2"},
    {UnitKind::area, "cm^2", 1e-4, "cm2"},
    {UnitKind::area, "m2", 1, "m2"},
    {UnitKind::area, "m" SQUARED, 1, "m2"},
    {UnitKind::area, "mm2", 1e-6, "mm2"},
    {UnitKind::area, "mm" SQUARED, 1e-6, "mm2"},
    {UnitKind::area, "in2", square_inch, "in2"},
    {UnitKind::area, "in" SQUARED, square_inch, "in2"},
    {UnitKind::area, "sq in", square_inch, "in2"},
    {UnitKind::mass, "g", 1e-3, "g"},
    {UnitKind::mass, "kg", 1, "kg"},
    {UnitKind::compliance, "mm/N", 1e-3, "mm/N"},
    {UnitKind::compliance, "m/N", 1, "m/N"},
    {UnitKind::compliance, "um/N", 1e-6, "um/N"},
    {UnitKind::compliance, MICRO "m/N", 1e-6, "um/N"},
    {UnitKind::compliance, MU "m/N", 1e-6, "um/N"},
    {UnitKind::resistance, "Ns/m", 1, "Ns/m"},
    {UnitKind::resistance, "N" DOT "s/m", 1, "Ns/m"},
    {UnitKind::resistance, "N s/m", 1, "Ns/m"},
    {UnitKind::resistance, "N*s/m", 1, "Ns/m"},
    {UnitKind::resistance, "kg/s", 1, "kg/s"},
    {UnitKind::litres, "l", 1e-3, "l"},
    {UnitKind::litres, "L", 1e-3, "l"},
    {UnitKind::litres, "litre", 1e-3, "l"},
    {UnitKind::litres, "litres", 1e-3, "l"},
    {UnitKind::litres, "liter", 1e-3, "l"},
    {UnitKind::litres, "liters", 1e-3, "l"},
    {UnitKind::litres, "dm3", 1e-3, "dm3"},
    {UnitKind::litres, "dm" CUBED, 1e-3, "dm3"},
    {UnitKind::litres, "m3", 1, "m3"},
    {UnitKind::litres, "m" CUBED, 1, "m3"},
    {UnitKind::litres, "ft3", cubic_foot, "ft3"},
    {UnitKind::litres, "ft" CUBED, cubic_foot, "ft3"},
    {UnitKind::litres, "cu ft", cubic_foot, "ft3"},
    {UnitKind::cm3, "cm3", 1e-6, "cm3"},
    {UnitKind::cm3, "cm" CUBED, 1e-6, "cm3"},
    {UnitKind::cm3, "cc", 1e-6, "cc"},
    {UnitKind::cm3, "ml", 1e-6, "ml"},
    {UnitKind::cm3, "mL", 1e-6, "ml"},
    {UnitKind::frequency, "Hz", 1, "Hz"},
    {UnitKind::frequency, "kHz", 1e3, "kHz"},
    {UnitKind::volt, "V", 1, "V"},
    {UnitKind::watt, "W", 1, "W"},
    {UnitKind::length_mm, "mm", 1, "mm"},
    {UnitKind::length_mm, "in", 25.4, "in"},
};

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The length of the number that starts the text: a sign, digits with one
// point or comma, an exponent only if it has digits; 0 without a digit.
std::size_t number_length(std::string_view t) {
  std::size_t i = 0, digits = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  for (; i < t.size() && is_digit(t[i]); ++i) ++digits;
  if (i < t.size() && (t[i] == '.' || t[i] == ','))
    for (++i; i < t.size() && is_digit(t[i]); ++i) ++digits;
  if (digits == 0) return 0;
  std::size_t e = i + 1;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    if (e < t.size() && (t[e] == '+' || t[e] == '-')) ++e;
    if (e < t.size() && is_digit(t[e])) {
      while (e < t.size() && is_digit(t[e])) ++e;
      i = e;
    }
  }
  return i;
}

// The bytes of one UTF-8 character starting at t[i], 0 if there is none.
std::size_t utf8_length(std::string_view t, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(t[k]); };
  const unsigned char c = byte(i);
  const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || (n == 2 && c < 0xc2) || i + n > t.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((byte(i + k) & 0xc0) != 0x80) return 0;
  return n;
}

// The text after the number as the table spells it: blanks one space, the
// Windows-1252 bytes of µ ² ³ · as UTF-8, other stray bytes kept (they
// match nothing).
std::string normalised(std::string_view t) {
  std::string out;
  for (std::size_t i = 0; i < t.size();) {
    if (is_blank(t[i])) {
      while (i < t.size() && is_blank(t[i])) ++i;
      out += ' ';
      continue;
    }
    const std::size_t n = utf8_length(t, i);
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (n == 0 && (c == 0xb5 || c == 0xb2 || c == 0xb3 || c == 0xb7)) {
      out += '\xc2';
      out += t[i++];
      continue;
    }
    const std::size_t take = n == 0 ? 1 : n;
    out.append(t.substr(i, take));
    i += take;
  }
  return out;
}

const UnitRow* unit_named(UnitKind kind, std::string_view text) {
  for (const UnitRow& row : units)
    if (row.kind == kind && text == row.text) return &row;
  return nullptr;
}

// Text after the number that is more than a unit: a unit then more, or
// something that does not start like one, or several words.
bool more_than_a_unit(UnitKind kind, std::string_view rest) {
  if (kind == UnitKind::none) return true;
  const std::size_t blank = rest.find(' ');
  if (blank != std::string_view::npos && unit_named(kind, rest.substr(0, blank))) return true;
  for (const UnitRow& row : units) {
    const std::string_view text = row.text;
    if (row.kind == kind && rest.size() > text.size() + 1 && rest.starts_with(text) &&
        rest[text.size()] == ' ')
      return true;
  }
  const bool starts_like_one = is_letter(rest[0]) || static_cast<unsigned char>(rest[0]) >= 0x80;
  const bool few_words = blank == std::string_view::npos ||
                         (rest.find(' ', blank + 1) == std::string_view::npos && rest.size() <= 12);
  return !starts_like_one || !few_words;
}

}  // namespace

QuantityFault read_quantity(std::string_view text, UnitKind kind, Quantity& out) {
  const std::size_t length = number_length(text);
  const std::string number(text.substr(0, length));
  double value = 0;
  if (length == 0 || !read_whole_number(number.c_str(), true, value))
    return QuantityFault::no_number;
  out.number_end = length;
  std::string rest = normalised(text.substr(length));
  if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
  const UnitRow* unit = nullptr;
  if (rest.empty()) {
    for (const UnitRow& row : units)
      if (row.kind == kind && !unit) unit = &row;
  } else {
    unit = unit_named(kind, rest);
  }
  if (!unit)
    return more_than_a_unit(kind, rest) ? QuantityFault::text_after : QuantityFault::unknown_unit;
  out.value = value * unit->factor;
  out.unit = unit->shown;
  return QuantityFault::none;
}

std::string unit_text(std::string_view text) {
  constexpr std::size_t longest = 24;
  std::string shown;
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if ((c & 0xc0) == 0x80 && i > 0 && static_cast<unsigned char>(text[i - 1]) >= 0x80) continue;
    if (++count > longest) return shown + "...";
    shown += c >= ' ' && c <= '~' ? static_cast<char>(c) : '?';
  }
  return shown;
}

std::string unit_list(UnitKind kind) {
  std::string list;
  for (const UnitRow& row : units) {
    bool listed = row.kind != kind;
    for (const UnitRow* before = units; before != &row && !listed; ++before)
      listed = before->kind == kind && std::string_view(before->shown) == row.shown;
    if (listed) continue;
    if (!list.empty()) list += ", ";
    list += row.shown;
  }
  return list;
}

}  // namespace bellform
