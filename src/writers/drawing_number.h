// A drawing's numbers as text: the DXF's and SVG's coordinates, and the
// pages' points, each printed the same way on every platform.
#pragma once

namespace bellform {

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
