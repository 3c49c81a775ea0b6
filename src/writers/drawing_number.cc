#include "writers/drawing_number.h"

#include <cstdio>
#include <cstring>

namespace bellform {

Number::Number(double value, int decimals) {
  std::snprintf(text_, sizeof text_, "%.*f", decimals, value);
  // Only zeros and the point after the sign: a value that rounds to zero.
  if (text_[0] == '-' && std::strspn(text_ + 1, "0.") == std::strlen(text_ + 1))
    std::memmove(text_, text_ + 1, std::strlen(text_));
}

}  // namespace bellform
