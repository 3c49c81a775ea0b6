// The back buffer against the front buffer (screen_writer.h): the cells that
// differ, the cursor's cheapest moves between them, and the repeats.
#include "terminal/screen_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace bellform {

namespace {

constexpr std::uint32_t unknown_cell = 0xFFFFFFFFu;
// The length of a move that cannot be made.
constexpr std::size_t no_way = static_cast<std::size_t>(-1);
constexpr std::uint32_t blank_cell = ' ' | std::uint32_t{attr_normal} << 8;

// A row of the model as the writer keeps it: each cell's byte and attribute
// as byte | attr << 8, put together from the two fields, so that neither the
// padding between them nor the machine's byte order comes into it.
void read_row(const Cell* cells, int count, std::uint32_t* keys) {
  for (int x = 0; x < count; ++x) {
    keys[x] = cells[x].ch | std::uint32_t{cells[x].attr} << 8;
  }
}

}  // namespace

void ScreenWriter::load_capabilities(bool utf8) {
  caps_ = TerminalCapabilities::load(utf8);
  forget();
}

void ScreenWriter::resize(int rows, int cols) {
  lines_ = std::max(rows, 0);
  columns_ = std::max(cols, 0);
  const std::size_t cells = static_cast<std::size_t>(lines_) * columns_;
  front_.assign(cells, unknown_cell);
  back_.assign(cells, blank_cell);
  cursor_x_ = cursor_y_ = -1;
}

void ScreenWriter::forget() {
  std::fill(front_.begin(), front_.end(), unknown_cell);
  pen_ = -1;
  cursor_x_ = cursor_y_ = -1;
}

void ScreenWriter::cleared() {
  forget();
  if (caps_.grey_is_normal()) {
    std::fill(front_.begin(), front_.end(), blank_cell);
  }
}

void ScreenWriter::leave(std::string& out) {
  TerminalCapabilities::emit(caps_.normal(), out);
  TerminalCapabilities::emit(caps_.own_colours(), out);
  pen_ = -1;
  // The bottom line, where the shell goes on, in the terminal's own colours
  // (on a terminal without an alternate screen it stays in view).
  if (caps_.erase_line() != nullptr && lines_ > 0) {
    move_to(0, lines_ - 1, out);
    TerminalCapabilities::emit(caps_.erase_line(), out);
    std::fill_n(front_row(lines_ - 1), columns_, unknown_cell);
  }
}

void ScreenWriter::set_look(int look, std::string& out) {
  if (look == pen_) return;
  int have = pen_;
  if (pen_ < 0 || (have & ~look & (bold_bit | reverse_bit)) != 0) {
    TerminalCapabilities::emit(caps_.normal(), out);
    have = -1;  // plain, in the terminal's own colours, whatever they are
  }
  const int attrs = have < 0 ? 0 : have;
  if ((look & bold_bit) && !(attrs & bold_bit)) {
    TerminalCapabilities::emit(caps_.bold(), out);
  }
  if ((look & reverse_bit) && !(attrs & reverse_bit)) {
    TerminalCapabilities::emit(caps_.reverse(), out);
  }
  const int fg = foreground_of(look), bg = background_of(look);
  if (fg >= 0 && (have < 0 || fg != foreground_of(have))) {
    TerminalCapabilities::emit(caps_.colour(0, fg), out);
  }
  if (bg >= 0 && (have < 0 || bg != background_of(have))) {
    TerminalCapabilities::emit(caps_.colour(1, bg), out);
  }
  pen_ = look;
}

// The cheapest way there: on another row (or from nowhere known) the cursor
// address; along the row, move_along_row.
void ScreenWriter::move_to(int x, int y, std::string& out) {
  if (x == cursor_x_ && y == cursor_y_) return;
  const int from = y == cursor_y_ ? cursor_x_ : -1;
  cursor_x_ = x;
  cursor_y_ = y;
  if (!caps_.can_address()) return;
  if (from < 0) {
    caps_.go_to(x, y, out);
  } else {
    move_along_row(from, x, y, out);
  }
}

// From column `from` to x: a carriage return, single steps or the cells on
// the way written again as they are, whichever is shortest; where that
// takes four bytes or more (every parameterised move does), a step of
// several or the column address where one is shorter, else the cursor
// address.
void ScreenWriter::move_along_row(int from, int x, int y, std::string& out) {
  const int n = x > from ? x - from : from - x;
  const char* step = x > from ? caps_.step_right() : caps_.step_left();
  const std::size_t by_step = step != nullptr ? n * std::strlen(step) : no_way;
  const char* cr = caps_.cr();
  const std::size_t by_cr = x == 0 && cr != nullptr ? std::strlen(cr) : no_way;
  const std::size_t by_rewrite = rewrite_length(from, x, y);
  const std::size_t best = std::min({by_step, by_cr, by_rewrite});
  char chosen[64];
  if (best > 3) {
    if (shorter_move(from, x, best, chosen)) {
      TerminalCapabilities::emit(chosen, out);
    } else {
      caps_.go_to(x, y, out);
    }
  } else if (best == by_cr) {
    TerminalCapabilities::emit(cr, out);
  } else if (best == by_rewrite) {
    const std::uint32_t* row = front_row(y);
    for (int i = from; i < x; ++i) put_glyph(row[i], out);
  } else {
    for (int i = 0; i < n; ++i) TerminalCapabilities::emit(step, out);
  }
}

// The bytes of the cells from `from` up to x written again as they are, to
// step right over them: only where each is known and in the look in force.
std::size_t ScreenWriter::rewrite_length(int from, int x, int y) {
  if (x <= from || pen_ < 0) return no_way;
  const std::uint32_t* row = front_row(y);
  std::size_t length = 0;
  for (int i = from; i < x; ++i) {
    if (row[i] == unknown_cell || caps_.look(row[i]) != pen_) return no_way;
    length += caps_.glyph(row[i]).length;
  }
  return length;
}

// The shortest of the step of several columns and the column address into
// `chosen`, where it is shorter than `best` bytes; false where neither is.
// Copied, since the next may be made in the same buffer (ours or terminfo's).
bool ScreenWriter::shorter_move(int from, int x, std::size_t best,
                                char (&chosen)[64]) const {
  char buffer[32];
  bool found = false;
  auto consider = [&](const char* s) {
    if (s == nullptr) return;
    const std::size_t len = std::strlen(s);
    if (len < best && len < sizeof chosen) {
      best = len;
      std::memcpy(chosen, s, len + 1);
      found = true;
    }
  };
  if (x > from) {
    consider(caps_.columns_right(x - from, buffer));
  } else if (x < from) {
    consider(caps_.columns_left(from - x, buffer));
  }
  consider(caps_.go_to_column(x, buffer));
  return found;
}

void ScreenWriter::put_cell(int x, int y, std::uint32_t cell,
                            std::string& out) {
  move_to(x, y, out);
  set_look(caps_.look(cell), out);
  put_glyph(cell, out);
  front_row(y)[x] = cell;
  // In the last column the cursor stays, wraps, or waits to wrap.
  if (++cursor_x_ >= columns_) cursor_x_ = cursor_y_ = -1;
}

// The bottom right cell of a terminal that wraps at once after the last
// column (no xenl): written there, a character would scroll the screen. With
// the margins switched off around it, or written one cell to the left and
// pushed right by inserting its neighbour; else left as it is.
void ScreenWriter::put_bottom_right(int x, int y, std::string& out) {
  std::uint32_t* front = front_row(y);
  const std::uint32_t* back = back_row(y);
  const std::uint32_t cell = back[x];
  if (caps_.margins_off() != nullptr && caps_.margins_on() != nullptr) {
    move_to(x, y, out);
    set_look(caps_.look(cell), out);
    TerminalCapabilities::emit(caps_.margins_off(), out);
    put_glyph(cell, out);
    TerminalCapabilities::emit(caps_.margins_on(), out);
    front[x] = cell;
    cursor_x_ = cursor_y_ = -1;
    return;
  }
  if (caps_.insert_blank() == nullptr || x < 1) return;
  const std::uint32_t left = back[x - 1];
  move_to(x - 1, y, out);
  set_look(caps_.look(cell), out);
  put_glyph(cell, out);
  cursor_x_ = x;
  move_to(x - 1, y, out);
  TerminalCapabilities::emit(caps_.insert_blank(), out);
  set_look(caps_.look(left), out);
  put_glyph(left, out);
  cursor_x_ = x;
  front[x] = cell;
  front[x - 1] = left;
}

// How many cells from x on to send as one character repeated: a run of one
// printable ASCII character in one attribute, through the last of its cells
// that differs from the front buffer, where eight cells or more differ (the
// repeat costs some six bytes); else 0. Never the last column of a terminal
// that wraps there: that cell is written alone. *run_end: where the run of
// the one character ends.
int ScreenWriter::repeat_length(const std::uint32_t* back,
                                const std::uint32_t* front, int x,
                                int* run_end) const {
  *run_end = x + 1;
  if (!caps_.can_repeat()) return 0;
  const std::uint32_t cell = back[x];
  const Glyph& g = caps_.glyph(cell);
  if (g.length != 1 || g.bytes[0] < 0x20 || g.bytes[0] > 0x7E) return 0;
  const int limit = columns_ - (caps_.auto_margin() ? 1 : 0);
  int differ = 0, last = x, i = x;
  for (; i < limit && back[i] == cell; ++i) {
    if (front[i] != cell) {
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
  set_look(caps_.look(cell), out);
  caps_.repeat(caps_.glyph(cell).bytes[0], n, out);
  std::fill_n(front_row(y) + x, n, cell);
  cursor_x_ += n;
  if (cursor_x_ >= columns_) cursor_x_ = cursor_y_ = -1;
}

void ScreenWriter::update_row(int y, std::string& out) {
  const std::uint32_t* back = back_row(y);
  const std::uint32_t* front = front_row(y);
  if (std::memcmp(back, front, sizeof *back * columns_) == 0) return;
  int no_run_before = 0;  // no repeat worth its bytes before this column
  for (int x = 0; x < columns_;) {
    if (back[x] == front[x]) {
      ++x;
      continue;
    }
    if (y == lines_ - 1 && x == columns_ - 1 && caps_.auto_margin() &&
        !caps_.eat_newline()) {
      put_bottom_right(x, y, out);
      ++x;
      continue;
    }
    if (x >= no_run_before && x + 1 < columns_ && back[x + 1] == back[x]) {
      const int run = repeat_length(back, front, x, &no_run_before);
      if (run > 0) {
        put_run(x, y, back[x], run, out);
        x += run;
        continue;
      }
    }
    put_cell(x, y, back[x], out);
    ++x;
  }
}

void ScreenWriter::update(const ScreenModel& model, std::string& out) {
  if (lines_ == 0 || columns_ == 0) return;
  const int inside_columns = std::min(console_columns, columns_);
  for (int y = 0; y < std::min(console_rows, lines_); ++y) {
    read_row(&model.at(0, y), inside_columns, back_row(y));
  }
  for (int y = 0; y < lines_; ++y) update_row(y, out);
  move_to(std::min(model.cursor_x(), columns_ - 1),
          std::min(model.cursor_y(), lines_ - 1), out);
}

}  // namespace bellform
