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

std::string text_of(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (n > 0) {
    text.resize(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    text.pop_back();
  }
  va_end(again);
  return text;
}

}  // namespace bellform
