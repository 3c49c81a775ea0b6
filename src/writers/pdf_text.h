// The words and numbers of a printed page: lengths in points, and text in
// Helvetica, one of the fonts every PDF reader has, so none is embedded:
// its widths, to wrap a line before the margin, and the escapes of a PDF
// string.
#pragma once

#include <string>
#include <vector>

#include "writers/drawing_number.h"
#include "writers/text_out.h"

namespace bellform {

// A length on the page with four decimals of a point, C locale, never
// "-0.0000": finer than any printer, and within the five decimals a PDF 1.4
// reader is bound to keep.
class Points : public Number {
 public:
  explicit Points(double points) : Number(points, 4) {}
};

// "x y width height re OP": a rectangle on the page, then what to do with it.
void page_rectangle(TextOut& out, double x, double y, double width, double height,
                    const char* op);

// The width of `text` set in Helvetica at `size`, in the size's unit.
double helvetica_width(const std::string& text, double size);

// `text` broken at blanks into lines no wider than `width` in Helvetica at
// `size`; a word wider than that stands alone on its line.
std::vector<std::string> wrap_helvetica(const char* text, double size, double width);

// `text` as a PDF literal string, brackets included: a backslash before
// each bracket and backslash, and anything outside printable ASCII in octal.
std::string pdf_string(const std::string& text);

}  // namespace bellform
