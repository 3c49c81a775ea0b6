// The units a driver file's value may carry after its number, as data
// sheets print them: each kind of quantity with the spellings it takes and
// their factor to the unit the model keeps (SI, or mm for the lengths of
// the mounting and of Xmax). A value without a unit is in the kind's first.
#pragma once

#include <string>
#include <string_view>

namespace bellform {

enum class UnitKind {
  none,        // a ratio such as a Q, or a count
  ohm,
  inductance,  // mH
  force,       // Bl, T m
  area,        // cm2
  mass,        // g
  compliance,  // mm/N
  resistance,  // N s/m
  litres,      // Vas, Vrc
  cm3,         // Vtc
  frequency,   // Hz
  volt,
  watt,
  length_mm,   // Xmax and the bolt pattern, kept in mm
};

// A value as read: in the model's unit, and the unit it was given in, as
// a message shows it (ASCII: "um/N" for µm/N as typed).
struct Quantity {
  double value = 0;
  const char* unit = "";
  std::size_t number_end = 0;  // where the text after the number begins
};

enum class QuantityFault {
  none,
  no_number,     // the text does not start with a finite number
  unknown_unit,  // a word after the number that is not this kind's unit
  text_after,    // more than a unit after the number
};

// The text after `=` (trimmed), read as this kind. Blanks between the
// number and the unit or inside it are optional or one; µ ² ³ · in UTF-8
// or as the single Windows-1252 bytes of a file saved by an old editor.
// A decimal comma reads as a point.
QuantityFault read_quantity(std::string_view text, UnitKind kind, Quantity& out);

// The text after the number, as a message shows it (printable ASCII).
std::string unit_text(std::string_view text);

// The kind's units as a message lists them: "mm/N, m/N, um/N".
std::string unit_list(UnitKind kind);

}  // namespace bellform
