#include "writers/text_out.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "design/texts.h"

namespace bellform {

void TextOut::put(const char* format, ...) {
  va_list args;
  va_start(args, format);
  append_vformat(bytes_, format, args);
  va_end(args);
}

void format_number(NumberText& text, double value, int decimals) {
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  // Only zeros and the point after the sign: a value that rounds to zero.
  if (text[0] == '-' && std::strspn(text + 1, "0.") == std::strlen(text + 1))
    std::memmove(text, text + 1, std::strlen(text));
}

}  // namespace bellform
