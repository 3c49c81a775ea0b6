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

void svg_prologue(TextOut& out, const std::string& width, const std::string& height,
                  const std::string& view_box, const std::string& title) {
  out.add("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n");
  out.put("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
          "width=\"%s\" height=\"%s\" viewBox=\"%s\">\n<title>%s</title>\n",
          width.c_str(), height.c_str(), view_box.c_str(), title.c_str());
}

Number::Number(double value, int decimals) {
  std::snprintf(text_, sizeof text_, "%.*f", decimals, value);
  // Only zeros and the point after the sign: a value that rounds to zero.
  if (text_[0] == '-' && std::strspn(text_ + 1, "0.") == std::strlen(text_ + 1))
    std::memmove(text_, text_ + 1, std::strlen(text_));
}

}  // namespace bellform
