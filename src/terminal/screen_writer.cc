// The console's writer over terminfo (screen_writer.h).
#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#include "terminal/screen_writer.h"

#include <curses.h>

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstring>

#include "terminal/cp437.h"
#include "terminal/terminal.h"

// Last: term.h names every capability as a macro (lines, columns, ...).
#include <term.h>

namespace bellform {

namespace {

constexpr std::uint32_t unknown_cell = 0xFFFFFFFFu;
constexpr std::uint32_t blank_cell = ' ' | (7u << 8);  // grey on black

// A row of the model read as it lies in memory: each cell's byte and
// attribute as byte | attr << 8, the padding between them masked out.
static_assert(sizeof(Cell) == 4 && offsetof(Cell, ch) == 0 &&
                  offsetof(Cell, attr) == 2,
              "a cell is its byte, a padding byte and its attribute");
void read_row(const Cell* cells, int count, std::uint32_t* keys) {
  std::memcpy(keys, cells, sizeof *keys * count);
  for (int x = 0; x < count; ++x) {
    keys[x] = (keys[x] & 0xFFu) | ((keys[x] >> 8) & 0xFFFF00u);
  }
}

const char* capability(const char* name) {
  char* cap = tigetstr(name);
  return usable(cap) ? cap : nullptr;
}

// The bytes tputs hands back, for a string with padding in it.
std::string* tputs_sink = nullptr;
int to_sink(int c) {
  tputs_sink->push_back(static_cast<char>(c));
  return c;
}

// ANSI colour numbers (setaf): red 1, green 2, blue 4; a console colour has
// blue in bit 0 and red in bit 2, as setf's numbers do.
int ansi_colour(int console_colour) {
  return (console_colour & 2) | ((console_colour & 1) << 2) |
         ((console_colour & 4) >> 2);
}

std::uint8_t utf8_encode(wchar_t wc, char* out) {
  const auto c = static_cast<std::uint32_t>(wc);
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  out[0] = static_cast<char>(0xE0 | (c >> 12));
  out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out[2] = static_cast<char>(0x80 | (c & 0x3F));
  return 3;
}

bool is(const char* cap, const char* ansi) {
  return cap != nullptr && std::strcmp(cap, ansi) == 0;
}

// A non-negative number's digits at p, which has room for them.
char* put_number(int n, char* p) { return std::to_chars(p, p + 11, n).ptr; }

// A look's foreground and background colours, -1 for none.
int fg_of(int look) { return (look & 31) - 1; }
int bg_of(int look) { return ((look >> 5) & 31) - 1; }

}  // namespace

void ScreenWriter::load_capabilities(bool utf8) {
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

  set_colour_[0] = capability("setaf");
  set_colour_[1] = capability("setab");
  ansi_numbers_ = set_colour_[0] != nullptr && set_colour_[1] != nullptr;
  if (!ansi_numbers_) {
    set_colour_[0] = capability("setf");
    set_colour_[1] = capability("setb");
  }
  const int colours = tigetnum("colors");
  if (colours < 8 || set_colour_[0] == nullptr || set_colour_[1] == nullptr) {
    set_colour_[0] = set_colour_[1] = nullptr;
  }
  const bool coloured = set_colour_[0] != nullptr;
  const bool bright = coloured && colours >= 16;
  for (auto& strings : colour_strings_) {
    for (std::string& s : strings) s.clear();
  }

  // A console attribute is a foreground and a background of four bits each
  // (1 blue, 2 green, 4 red, 8 intensity). Eight colours: intensity shows as
  // bold, as on the text consoles. No colours: intensity as bold, a
  // coloured background as reverse.
  for (int attr = 0; attr < 256; ++attr) {
    const int fg = attr & 0xF, bg = attr >> 4;
    int look = 0;
    if (coloured) {
      look = (ansi_colour(fg & 7) + (bright && (fg & 8) ? 8 : 0) + 1) |
             (ansi_colour(bg & 7) + (bright && (bg & 8) ? 8 : 0) + 1) << 5;
      if (!bright && (fg & 8) && bold_ != nullptr) look |= bold_bit;
    } else {
      if ((fg & 8) && bold_ != nullptr) look |= bold_bit;
      if ((bg & 7) && rev_ != nullptr) look |= reverse_bit;
    }
    look_of_attr_[attr] = look;
  }

  for (int byte = 0; byte < 256; ++byte) {
    Glyph& g = glyphs_[byte];
    const wchar_t wc = cp437_glyph(static_cast<unsigned char>(byte));
    if (wc < 0x80 || !utf8) {
      g.bytes[0] = wc < 0x80 ? static_cast<char>(wc) : '?';
      g.length = 1;
    } else {
      g.length = utf8_encode(wc, g.bytes);
    }
  }
  forget();
}

void ScreenWriter::resize(int rows, int cols) {
  lines_ = std::max(rows, 0);
  columns_ = std::max(cols, 0);
  shown_.assign(static_cast<std::size_t>(lines_) * columns_, unknown_cell);
  want_.assign(static_cast<std::size_t>(columns_), blank_cell);
  row_whole_.assign(static_cast<std::size_t>(lines_), false);
  cursor_x_ = cursor_y_ = -1;
}

void ScreenWriter::forget() {
  std::fill(shown_.begin(), shown_.end(), unknown_cell);
  std::fill(row_whole_.begin(), row_whole_.end(), false);
  pen_ = -1;
  cursor_x_ = cursor_y_ = -1;
}

void ScreenWriter::cleared() {
  forget();
  if (look_of_attr_[7] == 0) {
    std::fill(shown_.begin(), shown_.end(), blank_cell);
  }
}

void ScreenWriter::leave(std::string& out) {
  if (sgr0_ != nullptr) emit(sgr0_, out);
  if (set_colour_[0] != nullptr && op_ != nullptr) emit(op_, out);
  pen_ = -1;
  // The bottom line, where the shell goes on, in the terminal's own colours
  // (on a terminal without an alternate screen it stays in view).
  if (el_ != nullptr && lines_ > 0) {
    move_to(0, lines_ - 1, out);
    emit(el_, out);
    std::uint32_t* row = &shown_[static_cast<std::size_t>(lines_ - 1) * columns_];
    std::fill(row, row + columns_, unknown_cell);
    row_whole_[lines_ - 1] = false;
  }
}

void ScreenWriter::emit(const char* cap, std::string& out) const {
  if (cap == nullptr) return;
  if (std::strstr(cap, "$<") == nullptr) {
    out.append(cap);
    return;
  }
  tputs_sink = &out;
  tputs(cap, 1, to_sink);
  tputs_sink = nullptr;
}

// "\E[" n final, as tparm makes it of the ANSI cap `cap`; else tparm's own
// of `cap` with the parameter n.
const char* ScreenWriter::format(const char* cap, bool ansi, char final, int n,
                                 char* buffer) const {
  if (!ansi) return tiparm(cap, n);
  char* p = buffer;
  *p++ = '\033';
  *p++ = '[';
  p = put_number(n, p);
  *p++ = final;
  *p = '\0';
  return buffer;
}

void ScreenWriter::emit_cup(int x, int y, std::string& out) const {
  if (!ansi_cup_) {
    emit(tiparm(cup_, y, x), out);
    return;
  }
  char buffer[32];
  char* p = buffer;
  *p++ = '\033';
  *p++ = '[';
  p = put_number(y + 1, p);
  *p++ = ';';
  p = put_number(x + 1, p);
  *p++ = 'H';
  out.append(buffer, static_cast<std::size_t>(p - buffer));
}

// setaf or setab (which 0 or 1) for colour n, made once.
const char* ScreenWriter::colour(int which, int n) {
  std::string& s = colour_strings_[which][n];
  if (s.empty()) {
    // setf and setb number the colours as the console does.
    const int number = ansi_numbers_ ? n : (n & 8) | ansi_colour(n & 7);
    const char* made = tiparm(set_colour_[which], number);
    if (made != nullptr) s = made;
  }
  return s.c_str();
}

void ScreenWriter::set_look(int look, std::string& out) {
  if (look == pen_) return;
  int have = pen_;
  if (pen_ < 0 || (have & ~look & (bold_bit | reverse_bit)) != 0) {
    emit(sgr0_, out);
    have = -1;  // plain, in the terminal's own colours, whatever they are
  }
  const int attrs = have < 0 ? 0 : have;
  if ((look & bold_bit) && !(attrs & bold_bit)) emit(bold_, out);
  if ((look & reverse_bit) && !(attrs & reverse_bit)) emit(rev_, out);
  const int fg = fg_of(look), bg = bg_of(look);
  if (fg >= 0 && (have < 0 || fg != fg_of(have))) emit(colour(0, fg), out);
  if (bg >= 0 && (have < 0 || bg != bg_of(have))) emit(colour(1, bg), out);
  pen_ = look;
}

// The cheapest way there: on another row (or from nowhere known) the cursor
// address; along the row a carriage return, single steps, the cells on the
// way written again as they are, a step of several, or the column address.
void ScreenWriter::move_to(int x, int y, std::string& out) {
  if (x == cursor_x_ && y == cursor_y_) return;
  const int from = y == cursor_y_ ? cursor_x_ : -1;
  cursor_x_ = x;
  cursor_y_ = y;
  if (from < 0 || cup_ == nullptr) {
    if (cup_ != nullptr) emit_cup(x, y, out);
    return;
  }
  constexpr std::size_t none = static_cast<std::size_t>(-1);
  const int n = x > from ? x - from : from - x;
  const char* step = x > from ? cuf1_ : cub1_;
  const std::size_t by_step = step != nullptr ? n * std::strlen(step) : none;
  const std::size_t by_cr =
      x == 0 && cr_ != nullptr ? std::strlen(cr_) : none;
  std::size_t by_rewrite = none;
  const std::uint32_t* row = &shown_[static_cast<std::size_t>(y) * columns_];
  if (x > from && pen_ >= 0) {
    by_rewrite = 0;
    for (int i = from; i < x; ++i) {
      if (row[i] == unknown_cell || look_of(row[i]) != pen_) {
        by_rewrite = none;
        break;
      }
      by_rewrite += glyphs_[row[i] & 0xFF].length;
    }
  }
  std::size_t best = std::min({by_step, by_cr, by_rewrite});
  // Every parameterised move takes four bytes or more; the cursor address
  // is longer than the column address.
  char chosen[64], buffer[32];
  const char* param = nullptr;
  bool by_cup = false;
  if (best > 3) {
    auto consider = [&](const char* s) {
      if (s == nullptr) return;
      const std::size_t len = std::strlen(s);
      if (len < best && len < sizeof chosen) {
        best = len;
        std::memcpy(chosen, s, len + 1);
        param = chosen;
      }
    };
    if (x > from && cuf_ != nullptr) {
      consider(format(cuf_, ansi_cuf_, 'C', n, buffer));
    } else if (x < from && cub_ != nullptr) {
      consider(format(cub_, ansi_cub_, 'D', n, buffer));
    }
    if (ansi_hpa_) {
      consider(format(nullptr, true, 'G', x + 1, buffer));
    } else if (hpa_ != nullptr) {
      consider(tiparm(hpa_, x));
    }
    by_cup = param == nullptr;
  }
  if (by_cup) {
    emit_cup(x, y, out);
  } else if (param != nullptr) {
    emit(param, out);
  } else if (best == by_cr) {
    emit(cr_, out);
  } else if (best == by_rewrite) {
    for (int i = from; i < x; ++i) put_glyph(row[i], out);
  } else {
    for (int i = 0; i < n; ++i) emit(step, out);
  }
}

void ScreenWriter::put_cell(int x, int y, std::uint32_t cell,
                            std::string& out) {
  move_to(x, y, out);
  set_look(look_of(cell), out);
  put_glyph(cell, out);
  shown_[static_cast<std::size_t>(y) * columns_ + x] = cell;
  // In the last column the cursor stays, wraps, or waits to wrap.
  if (++cursor_x_ >= columns_) cursor_x_ = cursor_y_ = -1;
}

// The bottom right cell of a terminal that wraps at once after the last
// column (no xenl): written there, a character would scroll the screen. With
// the margins switched off around it, or written one cell to the left and
// pushed right by inserting its neighbour; else left as it is.
void ScreenWriter::put_bottom_right(int x, int y, const std::uint32_t* want,
                                    std::string& out) {
  std::uint32_t* row = &shown_[static_cast<std::size_t>(y) * columns_];
  const std::uint32_t cell = want[x];
  if (rmam_ != nullptr && smam_ != nullptr) {
    move_to(x, y, out);
    set_look(look_of(cell), out);
    emit(rmam_, out);
    put_glyph(cell, out);
    emit(smam_, out);
    row[x] = cell;
    cursor_x_ = cursor_y_ = -1;
    return;
  }
  if ((ich1_ == nullptr && ich_ == nullptr) || x < 1) return;
  const std::uint32_t left = want[x - 1];
  move_to(x - 1, y, out);
  set_look(look_of(cell), out);
  put_glyph(cell, out);
  cursor_x_ = x;
  move_to(x - 1, y, out);
  emit(ich1_ != nullptr ? ich1_ : tiparm(ich_, 1), out);
  set_look(look_of(left), out);
  put_glyph(left, out);
  cursor_x_ = x;
  row[x] = cell;
  row[x - 1] = left;
}

// How many cells from x on to send as one character repeated: a run of one
// printable ASCII character in one attribute, up to the last of its cells
// that differs from what is shown, where eight cells or more differ (the
// repeat costs some six bytes); else 0. Never the last column of a terminal
// that wraps there: that cell is written alone. *run_end: where the run of
// the one character ends.
int ScreenWriter::repeat_length(const std::uint32_t* want,
                                const std::uint32_t* shown, int x,
                                int* run_end) const {
  *run_end = x + 1;
  if (rep_ == nullptr) return 0;
  const std::uint32_t cell = want[x];
  const Glyph& g = glyphs_[cell & 0xFF];
  if (g.length != 1 || g.bytes[0] < 0x20 || g.bytes[0] > 0x7E) return 0;
  const int limit = columns_ - (auto_margin_ ? 1 : 0);
  int differ = 0, last = x, i = x;
  for (; i < limit && want[i] == cell; ++i) {
    if (shown[i] != cell) {
      ++differ;
      last = i;
    }
  }
  *run_end = std::max(i, x + 1);
  return differ >= 8 ? last - x + 1 : 0;
}

void ScreenWriter::put_run(int x, int y, std::uint32_t cell, int n,
                           std::string& out) {
  move_to(x, y, out);
  set_look(look_of(cell), out);
  const char c = glyphs_[cell & 0xFF].bytes[0];
  if (ansi_rep_) {
    char buffer[32];
    buffer[0] = c;
    emit(format(nullptr, true, 'b', n - 1, buffer + 1) - 1, out);
  } else {
    emit(tiparm(rep_, c, n), out);
  }
  std::uint32_t* row = &shown_[static_cast<std::size_t>(y) * columns_];
  std::fill(row + x, row + x + n, cell);
  cursor_x_ += n;
  if (cursor_x_ >= columns_) cursor_x_ = cursor_y_ = -1;
}

void ScreenWriter::update(const ScreenModel& model, std::string& out) {
  if (lines_ == 0 || columns_ == 0) return;
  std::uint32_t* want = want_.data();  // blank beyond the console's columns
  const int inside_columns = std::min(console_columns, columns_);
  for (int y = 0; y < lines_; ++y) {
    std::uint32_t* shown = &shown_[static_cast<std::size_t>(y) * columns_];
    if (y < console_rows) {
      const Cell* cells = &model.at(0, y);
      if (row_whole_[y] &&
          std::memcmp(cells, drawn_[y], sizeof drawn_[y]) == 0) {
        continue;
      }
      std::memcpy(drawn_[y], cells, sizeof drawn_[y]);
      read_row(cells, inside_columns, want);
    } else if (row_whole_[y]) {
      continue;
    } else {
      std::fill(want, want + inside_columns, blank_cell);
    }
    row_whole_[y] = true;
    if (std::memcmp(want, shown, sizeof *want * columns_) == 0) continue;
    int no_run_before = 0;  // no repeat worth its bytes before this column
    for (int x = 0; x < columns_;) {
      if (want[x] == shown[x]) {
        ++x;
        continue;
      }
      if (y == lines_ - 1 && x == columns_ - 1 && auto_margin_ &&
          !eat_newline_) {
        put_bottom_right(x, y, want, out);
        row_whole_[y] = shown[x] == want[x];
        ++x;
        continue;
      }
      if (x >= no_run_before && x + 1 < columns_ && want[x + 1] == want[x]) {
        const int run = repeat_length(want, shown, x, &no_run_before);
        if (run > 0) {
          put_run(x, y, want[x], run, out);
          x += run;
          continue;
        }
      }
      put_cell(x, y, want[x], out);
      ++x;
    }
  }
  move_to(std::min(model.cursor_x(), columns_ - 1),
          std::min(model.cursor_y(), lines_ - 1), out);
}

}  // namespace bellform
