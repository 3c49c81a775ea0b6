// The console the program lays its screens out for: 80 columns of 25 rows
// in grey on black.
// The console model is this size, and the dialogue asks the console window
// for it.
#pragma once

#include <cstdint>

namespace bellform {

constexpr int console_columns = 80;
constexpr int console_rows = 25;

// Light grey on black: what a new console writes in and a blank cell shows,
// and the program's plain text (its colours: design/attributes.h).
constexpr std::uint16_t attr_normal = 7;

}  // namespace bellform
