// The program's fixed texts and the formatting of its 80-character lines.
#pragma once

#include <cstdarg>
#include <string>

// The version is set once, in the build (CMakeLists.txt).
#ifndef BELLFORM_VERSION
#error "BELLFORM_VERSION is defined by the build"
#endif

namespace bellform {

constexpr const char* version = BELLFORM_VERSION;
constexpr const char* banner = "** Bellform Version " BELLFORM_VERSION " - 32 bit **";
constexpr const char* maker_line = "  ** Quorvel **";

// The line buffer and the prompt buffer: 80 bytes, the terminator included.
constexpr int text_buffer_size = 80;
using TextBuffer = char[text_buffer_size];

// printf into a line or prompt buffer, never past its 80 bytes. A line too
// long for it is cut to 79 characters; if it was a whole line its line feed
// is kept, so a file never gets two lines joined into one.
void format_text(TextBuffer& buffer, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// vprintf onto the end of a string, at whatever length it takes.
void append_vformat(std::string& text, const char* format, va_list args);

// printf into a string of any length: a report line is written whole to a
// file; only the screen cuts it to its 80 columns.
std::string text_of(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace bellform
