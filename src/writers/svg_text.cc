#include "writers/svg_text.h"

namespace bellform {

void svg_prologue(TextOut& out, const std::string& width, const std::string& height,
                  const std::string& view_box, const std::string& title) {
  out.add("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n");
  out.put("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
          "width=\"%s\" height=\"%s\" viewBox=\"%s\">\n<title>%s</title>\n",
          width.c_str(), height.c_str(), view_box.c_str(), title.c_str());
}

namespace {

// The length of the UTF-8 sequence at s[i], 0 when it is not one: a byte
// that starts none, a sequence cut short, an overlong form, a surrogate, or
// past U+10FFFF.
std::size_t utf8_length(const std::string& s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i);
  if (c < 0x80) return 1;
  const std::size_t n = c >= 0xc2 && c <= 0xdf   ? 2
                        : c >= 0xe0 && c <= 0xef ? 3
                        : c >= 0xf0 && c <= 0xf4 ? 4
                                                 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((byte(i + k) & 0xc0) != 0x80) return 0;
  const unsigned char d = byte(i + 1);
  if ((c == 0xe0 && d < 0xa0) || (c == 0xed && d >= 0xa0) || (c == 0xf0 && d < 0x90) ||
      (c == 0xf4 && d >= 0x90))
    return 0;
  return n;
}

// Whether XML takes the character of n bytes at s[i]: no control but tab
// and line ends, and neither U+FFFE nor U+FFFF.
bool xml_char(const std::string& s, std::size_t i, std::size_t n) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  if (n == 1) return byte(0) >= 0x20 || byte(0) == '\t' || byte(0) == '\n' || byte(0) == '\r';
  // U+FFFE and U+FFFF: EF BF BE and EF BF BF.
  return !(n == 3 && byte(0) == 0xef && byte(1) == 0xbf && byte(2) >= 0xbe);
}

}  // namespace

std::string xml_text(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = utf8_length(text, i);
    if (n == 0 || !xml_char(text, i, n)) {
      out += "\xef\xbf\xbd";
      i += n == 0 ? 1 : n;
      continue;
    }
    switch (text[i]) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out.append(text, i, n);
    }
    i += n;
  }
  return out;
}

}  // namespace bellform
