#include "design/texts.h"

#include <cstdio>
#include <cstring>

namespace bellform {

void format_text(TextBuffer& buffer, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0) {
    buffer[0] = '\0';
    return;
  }
  const std::size_t format_length = std::strlen(format);
  const bool whole_line = format_length > 0 && format[format_length - 1] == '\n';
  if (static_cast<std::size_t>(n) >= sizeof buffer && whole_line)
    buffer[sizeof buffer - 2] = '\n';
}

// Formatted once into a buffer on the stack, which holds every line but a
// number of hundreds of digits; only such a line is formatted a second
// time, at its length.
void append_vformat(std::string& text, const char* format, va_list args) {
  char line[256];
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(line, sizeof line, format, args);
  if (n > 0 && static_cast<std::size_t>(n) < sizeof line) {
    text.append(line, static_cast<std::size_t>(n));
  } else if (n > 0) {
    const std::size_t start = text.size();
    text.resize(start + static_cast<std::size_t>(n) + 1);
    std::vsnprintf(text.data() + start, static_cast<std::size_t>(n) + 1, format, again);
    text.pop_back();
  }
  va_end(again);
}

std::string text_of(const char* format, ...) {
  std::string text;
  va_list args;
  va_start(args, format);
  append_vformat(text, format, args);
  va_end(args);
  return text;
}

}  // namespace bellform
