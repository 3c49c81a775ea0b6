// A file's text built in memory before it is written whole, each piece at
// whatever length it takes: a number is never cut.
#pragma once

#include <string>

namespace bellform {

class TextOut {
 public:
  explicit TextOut(std::string& bytes) : bytes_(bytes) {}

  // printf into the text.
  void put(const char* format, ...)
#if defined(__MINGW32__)
      // MinGW's "printf" is Microsoft's, which knows no %zu; the build
      // uses MinGW's own C99 printf (__USE_MINGW_ANSI_STDIO), GNU's.
      __attribute__((format(gnu_printf, 2, 3)))
#elif defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  // Plain text, as it is.
  void add(const char* text) { bytes_ += text; }

 private:
  std::string& bytes_;
};

}  // namespace bellform
