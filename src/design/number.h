// Numbers as the user types them: the decimal prefix of a line, or a whole
// value given on the command line.
#pragma once

namespace bellform {

// Blanks skipped, an optional sign, digits with at most one decimal point,
// an optional exponent; reading stops at the first character that does not
// fit. The point is a full stop; with `decimal_comma` (millimetres) a comma
// is one too, so 304,8 reads as 304.8. INF and NAN (upper case) only
// directly after a sign. No number: 0.
double to_number(const char* text, bool decimal_comma = false);

// The same number, but the whole text must be it: no blanks, nothing after
// it, and a finite value. False otherwise.
bool read_whole_number(const char* text, bool decimal_comma, double& value);

}  // namespace bellform
