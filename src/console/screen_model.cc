#include "console/screen_model.h"

#include <algorithm>

namespace bellform {

ScreenModel::ScreenModel() = default;

bool ScreenModel::set_cursor(int x, int y) {
  if (x < 0 || y < 0 || x >= console_columns || y >= console_rows) return false;
  cursor_x_ = x;
  cursor_y_ = y;
  return true;
}

bool ScreenModel::window_fits(int left, int top, int right, int bottom) const {
  return left >= 0 && top >= 0 && left <= right && top <= bottom &&
         right < console_columns && bottom < console_rows;
}

namespace {

// The cells a fill of `count` from (x, y) covers, as a linear range; empty
// when the start lies outside the buffer, as the console then fails.
struct Span {
  int first = 0;
  int last = 0;  // one past the end
};

Span fill_span(int count, int x, int y, int width, int height) {
  if (count <= 0 || x < 0 || y < 0 || x >= width || y >= height) return {};
  const int first = y * width + x;
  const int last = first + std::min(count, width * height - first);
  return {first, last};
}

}  // namespace

void ScreenModel::fill_char(unsigned char c, int count, int x, int y) {
  const Span s = fill_span(count, x, y, console_columns, console_rows);
  for (int i = s.first; i < s.last; ++i) cells_[i / console_columns][i % console_columns].ch = c;
}

void ScreenModel::fill_attr(std::uint16_t attr, int count, int x, int y) {
  const Span s = fill_span(count, x, y, console_columns, console_rows);
  for (int i = s.first; i < s.last; ++i) {
    cells_[i / console_columns][i % console_columns].attr = attr;
  }
}

void ScreenModel::write(const char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    switch (c) {
      case '\n':
        next_row();
        break;
      case '\r':
        cursor_x_ = 0;
        break;
      case '\b':
        if (cursor_x_ > 0) --cursor_x_;
        break;
      case '\a':  // the console beeps and writes nothing
        break;
      case '\t':
        // Blanks up to the next tab stop; a blank in the last column wraps,
        // and column 0 is itself a stop, so the tab ends there.
        do {
          put(' ');
        } while (cursor_x_ % 8 != 0);
        break;
      default:
        put(c);
    }
  }
}

void ScreenModel::put(unsigned char c) {
  cells_[cursor_y_][cursor_x_] = Cell{c, attr_};
  if (++cursor_x_ == console_columns) next_row();
}

// The console scrolls as soon as the cursor would leave the last row; the row
// that comes in is blank in the current attribute, as the console fills it.
void ScreenModel::next_row() {
  cursor_x_ = 0;
  if (cursor_y_ + 1 < console_rows) {
    ++cursor_y_;
    return;
  }
  std::copy(&cells_[1][0], &cells_[0][0] + console_rows * console_columns, &cells_[0][0]);
  std::fill(std::begin(cells_[console_rows - 1]), std::end(cells_[console_rows - 1]),
            Cell{' ', attr_});
}

std::string ScreenModel::row_text(int y) const {
  if (y < 0 || y >= console_rows) return {};
  std::string s;
  for (const Cell& cell : cells_[y]) s.push_back(static_cast<char>(cell.ch));
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

}  // namespace bellform
