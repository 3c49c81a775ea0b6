#include "writers/text_out.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace bellform {

void TextOut::put(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (n > 0) {
    const std::size_t start = bytes_.size();
    bytes_.resize(start + static_cast<std::size_t>(n) + 1);
    std::vsnprintf(bytes_.data() + start, static_cast<std::size_t>(n) + 1, format, again);
    bytes_.pop_back();
  }
  va_end(again);
}

void format_number(NumberText& text, double value, int decimals) {
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  // Only zeros and the point after the sign: a value that rounds to zero.
  if (text[0] == '-' && std::strspn(text + 1, "0.") == std::strlen(text + 1))
    std::memmove(text, text + 1, std::strlen(text));
}

}  // namespace bellform
