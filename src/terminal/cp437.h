// Code page 437, the console's code page: the glyph each byte shows, and the
// byte of a character typed on a terminal that speaks Unicode.
#pragma once

#include <cwchar>

namespace bellform {

// The glyph a console cell holding `byte` shows, control bytes included.
wchar_t cp437_glyph(unsigned char byte);

// The byte of a character, or -1 when the code page lacks it.
int cp437_byte(wint_t wc);

}  // namespace bellform
