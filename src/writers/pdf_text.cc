#include "writers/pdf_text.h"

#include <cstdio>

namespace bellform {

namespace {

// Helvetica's advance widths, thousandths of the size, for the printable
// ASCII characters from the blank (32) to the tilde (126), as Adobe's
// metrics for the font give them.
constexpr short widths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // ' ' to /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                                // digits
    278, 278, 584, 584, 584, 556, 1015,                                              // : to @
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833,                 // A to M
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                 // N to Z
    278, 278, 278, 469, 556, 333,                                                    // [ to `
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833,                 // a to m
    556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500,                 // n to z
    334, 260, 334, 584};                                                             // { to ~

// A character outside the table is written in octal and shown as the
// reader pleases: count it as wide as an M, to be safe.
constexpr short widest = 833;

}  // namespace

void page_rectangle(TextOut& out, double x, double y, double width, double height,
                    const char* op) {
  out.put("%s %s %s %s re %s\n", Points(x).c_str(), Points(y).c_str(), Points(width).c_str(),
          Points(height).c_str(), op);
}

double helvetica_width(const std::string& text, double size) {
  long total = 0;
  for (unsigned char c : text) total += c >= 32 && c <= 126 ? widths[c - 32] : widest;
  return static_cast<double>(total) * size / 1000.0;
}

std::vector<std::string> wrap_helvetica(const char* text, double size, double width) {
  std::vector<std::string> lines;
  std::string line;
  const char* p = text;
  while (*p) {
    while (*p == ' ') ++p;
    const char* end = p;
    while (*end && *end != ' ') ++end;
    if (end == p) break;
    const std::string word(p, end);
    const std::string longer = line.empty() ? word : line + ' ' + word;
    if (!line.empty() && helvetica_width(longer, size) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
    p = end;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string pdf_string(const std::string& text) {
  std::string out = "(";
  for (unsigned char c : text) {
    if (c == '(' || c == ')' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 32 && c <= 126) {
      out += static_cast<char>(c);
    } else {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", c);
      out += octal;
    }
  }
  return out + ")";
}

}  // namespace bellform
