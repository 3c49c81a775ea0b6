// The report's numbers must print the same digits on every platform. The C
// runtime of Windows (msvcrt) writes three-digit exponents and rounds an
// exact binary half away from zero; the Windows build uses MinGW's own C99
// conversions instead, and these cases fail if it ever falls back. And the
// text from outside the program that goes into an SVG.
#include <gtest/gtest.h>

#include <string>

#include "design/texts.h"
#include "writers/drawing_number.h"
#include "writers/pdf_text.h"
#include "writers/svg_text.h"

namespace bellform {
namespace {

std::string formatted(const char* format, double value) {
  TextBuffer buffer;
  format_text(buffer, format, value);
  return buffer;
}

struct Conversion {
  const char* format;
  double value;
  const char* text;
};

TEST(FormatTest, ConversionsPrintTheStandardDigits) {
  const Conversion cases[] = {
      {"%g", 1e-5, "1e-05"},          // two exponent digits, not 1e-005
      {"%g", 123456789, "1.23457e+08"},
      {"%g", 1e6, "1e+06"},
      {"%g", 100000, "100000"},
      {"%g", 0.0001, "0.0001"},
      {"%g", 143.998, "143.998"},
      {"%.2f", 0.125, "0.12"},        // exact halves round to even
      {"%.1f", 0.25, "0.2"},
      {"%.0f", 2.5, "2"},
      {"%.0f", 3.5, "4"},
      {"%.3f", 0.0625, "0.062"},
      {"%.2f", 2.675, "2.67"},        // 2.67499999... in binary
      {"%.3f", -0.0004, "-0.000"},
      {"%.0f", 1180591620717411303424.0, "1180591620717411303424"},  // 2^70
  };
  for (const Conversion& c : cases) {
    EXPECT_EQ(formatted(c.format, c.value), c.text) << c.format << " " << c.value;
  }
}

// A drawing's number that rounds to zero from below, as a very narrow mouth
// gives, has no sign and no digit more: six decimals in the DXF and SVG,
// four on the pages.
TEST(FormatTest, DrawingNumbersHaveNoNegativeZero) {
  const Conversion cases[] = {
      {"dxf", -4e-7, "0.000000"}, {"dxf", -1e-300, "0.000000"}, {"dxf", -0.0, "0.000000"},
      {"dxf", -6e-7, "-0.000001"}, {"dxf", -10.0, "-10.000000"}, {"pdf", -4e-5, "0.0000"},
      {"pdf", -6e-5, "-0.0001"},
  };
  for (const Conversion& c : cases) {
    const Number text = *c.format == 'd' ? Number(c.value) : Points(c.value);
    EXPECT_STREQ(c.text, text.c_str()) << c.format << " " << c.value;
  }
}

// A name from the user in an SVG: whatever its bytes, an XML reader takes
// the file. Each byte of a form UTF-8 forbids, and each character XML
// refuses, becomes U+FFFD; the UTF-8 round them is kept.
TEST(FormatTest, XmlTextIsWhatXmlReadersTake) {
  const char* const r = "\xef\xbf\xbd";  // U+FFFD
  const struct {
    std::string in, out;
  } cases[] = {
      {"a&b<c>\"d'", "a&amp;b&lt;c&gt;&quot;d'"},
      {"\xc0\xaf.txt", std::string(r) + r + ".txt"},   // '/' in two bytes
      {"\xe0\x80\xaf", std::string(r) + r + r},        // and in three
      {"\xf0\x80\x80\xaf", std::string(r) + r + r + r},  // and in four
      {"\xed\xa0\x80", std::string(r) + r + r},        // a surrogate, U+D800
      {"\xf4\x90\x80\x80", std::string(r) + r + r + r},  // U+110000
      {"\x01\t\x7f", std::string(r) + "\t\x7f"},
      {"\xef\xbf\xbe\xef\xbf\xbf", std::string(r) + r},  // U+FFFE, U+FFFF
      // U+00A0, U+D7FF, U+E000, U+FFFD, U+10000, U+10FFFF: kept.
      {"\xc2\xa0\xed\x9f\xbf\xee\x80\x80\xef\xbf\xbd\xf0\x90\x80\x80\xf4\x8f\xbf\xbf",
       "\xc2\xa0\xed\x9f\xbf\xee\x80\x80\xef\xbf\xbd\xf0\x90\x80\x80\xf4\x8f\xbf\xbf"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.out, xml_text(c.in)) << c.in;
}

}  // namespace
}  // namespace bellform
