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

void format_number(NumberText& text, double value) {
  std::snprintf(text, sizeof text, "%.6f", value);
  if (std::strcmp(text, "-0.000000") == 0) std::memmove(text, text + 1, std::strlen(text));
}

}  // namespace bellform
