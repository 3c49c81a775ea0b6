// The console the program lays its screens out for: 80 columns of 25 rows.
// The console model is this size, and the dialogue asks the console window
// for it.
#pragma once

namespace bellform {

constexpr int console_columns = 80;
constexpr int console_rows = 25;

}  // namespace bellform
