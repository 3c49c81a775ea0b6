#include "writers/text_out.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace bellform {

void TextOut::put(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  if (n < 0 || static_cast<std::size_t>(n) >= sizeof text) {
    ok_ = false;
    return;
  }
  bytes_.append(text, static_cast<std::size_t>(n));
}

void format_number(NumberText& text, double value, int decimals) {
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  // Only zeros and the point after the sign: a value that rounds to zero.
  if (text[0] == '-' && std::strspn(text + 1, "0.") == std::strlen(text + 1))
    std::memmove(text, text + 1, std::strlen(text));
}

}  // namespace bellform
