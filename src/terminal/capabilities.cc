// The terminal's capabilities (capabilities.h), read from terminfo.
#include "terminal/capabilities.h"

#include <charconv>
#include <cstring>

#include "terminal/cp437.h"
#include "terminal/terminal.h"
#include "terminal/wide_curses.h"
// Last: term.h names every capability as a macro (lines, columns, ...).
#include <term.h>

namespace bellform {

namespace {

const char* capability(const char* name) {
  char* cap = tigetstr(name);
  return usable(cap) ? cap : nullptr;
}

bool is(const char* cap, const char* ansi) {
  return cap != nullptr && std::strcmp(cap, ansi) == 0;
}

// ANSI colour numbers (setaf): red 1, green 2, blue 4; a console colour has
// blue in bit 0 and red in bit 2, as setf's numbers do.
int ansi_colour(int console_colour) {
  return (console_colour & 2) | ((console_colour & 1) << 2) |
         ((console_colour & 4) >> 2);
}

// "\E[" n final into `buffer`, which has room for it.
const char* csi(int n, char final, char* buffer) {
  char* p = buffer;
  *p++ = '\033';
  *p++ = '[';
  p = std::to_chars(p, p + 11, n).ptr;
  *p++ = final;
  *p = '\0';
  return buffer;
}

// The bytes tputs hands back, for a string with padding in it.
std::string* tputs_sink = nullptr;
int to_sink(int c) {
  tputs_sink->push_back(static_cast<char>(c));
  return c;
}

}  // namespace

TerminalCapabilities TerminalCapabilities::load(bool utf8) {
  TerminalCapabilities t;
  t.read_strings();
  const bool bright = t.read_colours();
  t.make_looks(bright);
  t.make_glyphs(utf8);
  return t;
}

void TerminalCapabilities::read_strings() {
  cup_ = capability("cup");
  hpa_ = capability("hpa");
  cub1_ = capability("cub1");
  cuf1_ = capability("cuf1");
  cub_ = capability("cub");
  cuf_ = capability("cuf");
  cr_ = capability("cr");
  el_ = capability("el");
  sgr0_ = capability("sgr0");
  op_ = capability("op");
  // Bold and reverse can only be taken back with sgr0.
  bold_ = sgr0_ != nullptr ? capability("bold") : nullptr;
  rev_ = sgr0_ != nullptr ? capability("rev") : nullptr;
  rep_ = capability("rep");
  rmam_ = capability("rmam");
  smam_ = capability("smam");
  ich1_ = capability("ich1");
  ich_ = capability("ich");
  auto_margin_ = tigetflag("am") > 0;
  eat_newline_ = tigetflag("xenl") > 0;
  ansi_cup_ = is(cup_, "\033[%i%p1%d;%p2%dH");
  ansi_hpa_ = is(hpa_, "\033[%i%p1%dG");
  ansi_cuf_ = is(cuf_, "\033[%p1%dC");
  ansi_cub_ = is(cub_, "\033[%p1%dD");
  ansi_rep_ = is(rep_, "%p1%c\033[%p2%{1}%-%db");
}

// Colours: setaf and setab, or setf and setb with the console's numbering.
bool TerminalCapabilities::read_colours() {
  const char* set_colour[2] = {capability("setaf"), capability("setab")};
  const bool ansi_numbers = set_colour[0] != nullptr && set_colour[1] != nullptr;
  if (!ansi_numbers) {
    set_colour[0] = capability("setf");
    set_colour[1] = capability("setb");
  }
  const int colours = tigetnum("colors");
  coloured_ = colours >= 8 && set_colour[0] != nullptr &&
              set_colour[1] != nullptr;
  for (int which = 0; which < 2 && coloured_; ++which) {
    for (int n = 0; n < 16; ++n) {
      const int number = ansi_numbers ? n : (n & 8) | ansi_colour(n & 7);
      const char* made = tiparm(set_colour[which], number);
      if (made != nullptr) colour_strings_[which][n] = made;
    }
  }
  return coloured_ && colours >= 16;
}

// A console attribute is a foreground and a background of four bits each
// (1 blue, 2 green, 4 red, 8 intensity). Eight colours: intensity shows as
// bold, as on the text consoles. No colours: intensity as bold, a coloured
// background as reverse.
void TerminalCapabilities::make_looks(bool bright) {
  for (int attr = 0; attr < 256; ++attr) {
    const int fg = attr & 0xF, bg = attr >> 4;
    int look = 0;
    if (coloured_) {
      look = (ansi_colour(fg & 7) + (bright && (fg & 8) ? 8 : 0) + 1) |
             (ansi_colour(bg & 7) + (bright && (bg & 8) ? 8 : 0) + 1) << 5;
      if (!bright && (fg & 8) && bold_ != nullptr) look |= bold_bit;
    } else {
      if ((fg & 8) && bold_ != nullptr) look |= bold_bit;
      if ((bg & 7) && rev_ != nullptr) look |= reverse_bit;
    }
    looks_[attr] = look;
  }
}

void TerminalCapabilities::make_glyphs(bool utf8) {
  for (int byte = 0; byte < 256; ++byte) {
    Glyph& g = glyphs_[byte];
    const wchar_t wc = cp437_glyph(static_cast<unsigned char>(byte));
    if (wc < 0x80 || !utf8) {
      g.bytes[0] = wc < 0x80 ? static_cast<char>(wc) : '?';
      g.length = 1;
    } else {
      g.length = static_cast<std::uint8_t>(utf8_encode(wc, g.bytes));
    }
  }
}

void TerminalCapabilities::emit(const char* cap, std::string& out) {
  if (cap == nullptr) return;
  if (std::strstr(cap, "$<") == nullptr) {
    out.append(cap);
    return;
  }
  tputs_sink = &out;
  tputs(cap, 1, to_sink);
  tputs_sink = nullptr;
}

void TerminalCapabilities::go_to(int x, int y, std::string& out) const {
  if (!ansi_cup_) {
    emit(tiparm(cup_, y, x), out);
    return;
  }
  char buffer[32];
  char* p = buffer;
  *p++ = '\033';
  *p++ = '[';
  p = std::to_chars(p, p + 11, y + 1).ptr;
  *p++ = ';';
  p = std::to_chars(p, p + 11, x + 1).ptr;
  *p++ = 'H';
  out.append(buffer, static_cast<std::size_t>(p - buffer));
}

const char* TerminalCapabilities::columns_right(int n, char* buffer) const {
  if (cuf_ == nullptr) return nullptr;
  return ansi_cuf_ ? csi(n, 'C', buffer) : tiparm(cuf_, n);
}

const char* TerminalCapabilities::columns_left(int n, char* buffer) const {
  if (cub_ == nullptr) return nullptr;
  return ansi_cub_ ? csi(n, 'D', buffer) : tiparm(cub_, n);
}

const char* TerminalCapabilities::go_to_column(int x, char* buffer) const {
  if (hpa_ == nullptr) return nullptr;
  return ansi_hpa_ ? csi(x + 1, 'G', buffer) : tiparm(hpa_, x);
}

const char* TerminalCapabilities::own_colours() const {
  return coloured_ ? op_ : nullptr;
}

void TerminalCapabilities::repeat(char c, int n, std::string& out) const {
  if (ansi_rep_) {
    char buffer[32];
    buffer[0] = c;
    emit(csi(n - 1, 'b', buffer + 1) - 1, out);
  } else {
    emit(tiparm(rep_, c, n), out);
  }
}

const char* TerminalCapabilities::insert_blank() const {
  if (ich1_ != nullptr) return ich1_;
  return ich_ != nullptr ? tiparm(ich_, 1) : nullptr;
}

}  // namespace bellform
