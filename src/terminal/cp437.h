// Code page 437, the console's code page: the glyph each byte shows, and the
// byte of a character typed on a terminal that speaks Unicode.
#pragma once

#include <cstddef>
#include <cwchar>

namespace bellform {

// The glyph a console cell holding `byte` shows, control bytes included.
wchar_t cp437_glyph(unsigned char byte);

// The byte of a character, or -1 when the code page lacks it.
int cp437_byte(wint_t wc);

// A glyph of the Basic Multilingual Plane (every glyph above) in UTF-8: its
// one to three bytes at `out`, which has room for them; returns how many.
std::size_t utf8_encode(wchar_t wc, char* out);

}  // namespace bellform
