// An in-memory console screen buffer with the semantics of a Windows console
// in processed-output mode: line feed to column 0 of the next row, carriage
// return, backspace, tabs every 8 columns, a character in the last column
// moves the cursor at once to the next row, and writing past the last row
// scrolls the buffer up. The POSIX platform draws it on the terminal; the
// test platform lets tests read it back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "console/console_size.h"

namespace bellform {

struct Cell {
  unsigned char ch = ' ';
  std::uint16_t attr = attr_normal;
};

class ScreenModel {
 public:
  ScreenModel();  // blanks in attr_normal, cursor at 0,0

  int width() const { return console_columns; }
  int height() const { return console_rows; }
  int cursor_x() const { return cursor_x_; }
  int cursor_y() const { return cursor_y_; }
  std::uint16_t attribute() const { return attr_; }

  void set_attribute(std::uint16_t attr) { attr_ = attr; }
  // Refused (false, cursor unchanged) outside the buffer.
  bool set_cursor(int x, int y);
  // Whether a window rectangle, corners inclusive, fits in the buffer, as the
  // console requires of a window (the model keeps no window of its own).
  bool window_fits(int left, int top, int right, int bottom) const;
  // Fill `count` cells from (x, y) on, row after row, stopping at the end of
  // the buffer. Neither moves the cursor.
  void fill_char(unsigned char c, int count, int x, int y);
  void fill_attr(std::uint16_t attr, int count, int x, int y);
  // Processed output of `length` bytes at the cursor in the current attribute.
  void write(const char* text, std::size_t length);

  const Cell& at(int x, int y) const { return cells_[y][x]; }
  // The row's characters with trailing blanks removed.
  std::string row_text(int y) const;

 private:
  void put(unsigned char c);
  void next_row();

  Cell cells_[console_rows][console_columns];
  int cursor_x_ = 0;
  int cursor_y_ = 0;
  std::uint16_t attr_ = attr_normal;
};

}  // namespace bellform
