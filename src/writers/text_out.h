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

// An SVG file's first lines: the XML declaration, the <svg> element of that
// width, height (each with its unit) and view box, and its title.
void svg_prologue(TextOut& out, const std::string& width, const std::string& height,
                  const std::string& view_box, const std::string& title);

// A drawing's number as text: six decimals (or as many as asked), C locale,
// never a negative zero such as "-0.000000". A temporary lives to the end of
// the statement, so it goes into put() as it is: Number(x).c_str().
class Number {
 public:
  explicit Number(double value, int decimals = 6);
  const char* c_str() const { return text_; }

 private:
  char text_[328];  // room for any finite double
};

}  // namespace bellform
