// Numbers as the user types them: the decimal prefix of a line.
#pragma once

namespace bellform {

// Blanks skipped, an optional sign, digits with at most one full stop, an
// optional exponent; reading stops at the first character that does not
// fit. INF and NAN (upper case) only directly after a sign. No number: 0.
double to_number(const char* text);

}  // namespace bellform
