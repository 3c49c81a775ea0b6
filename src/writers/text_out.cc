#include "writers/text_out.h"

#include <cstdarg>

#include "design/texts.h"

namespace bellform {

void TextOut::put(const char* format, ...) {
  va_list args;
  va_start(args, format);
  append_vformat(bytes_, format, args);
  va_end(args);
}

}  // namespace bellform
