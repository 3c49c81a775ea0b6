// The bytes that bring the terminal to the console model: the console's own
// writer over terminfo, in place of curses' screen updates. Curses puts the
// terminal back to its normal attributes at the end of every update, and a
// cell in the console's grey on black is never normal to it, so every key
// cost the colours twice; this writer keeps the terminal's attributes and
// cursor from one update to the next and sends only what changed: a
// character typed at the end of a line is that character alone.
//
// Two buffers of the terminal's size, as terminal libraries keep them: the
// back buffer, what the terminal should show (the model, and blanks in the
// console's grey on black outside its 80 x 25 on a larger terminal), and the
// front buffer, what it shows. An update sends the cells where they differ,
// in their explicit colours, never erased: an erased cell would take the
// terminal's own foreground (and, without back_color_erase, its background).
// Runs of one character are sent as a repeat where the terminal has one.
// What may be sent is listed in capabilities.h. Nothing here writes to the
// terminal: the bytes are appended to a string for the caller to send.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "console/screen_model.h"
#include "terminal/capabilities.h"

namespace bellform {

class ScreenWriter {
 public:
  // Reads the capabilities of the terminal whose terminfo entry is loaded
  // (capabilities.h). The terminal's contents, attributes and cursor are then
  // unknown.
  void load_capabilities(bool utf8);

  // The terminal's size in cells; its contents become unknown.
  void resize(int rows, int cols);

  // Contents, attributes and cursor position unknown: everything is written
  // again by the next update (after the terminal was given back a while).
  void forget();

  // The terminal has just been cleared in its normal attributes. Where the
  // console's grey on black is the terminal's normal look (no colours), its
  // blanks are known to be shown already.
  void cleared();

  // Appends to `out` the bytes that make the terminal show `model`: its cells
  // in their colours, and the cursor at the model's cursor.
  void update(const ScreenModel& model, std::string& out);

  // Appends the bytes that leave the terminal in its normal attributes and
  // colours, to give it back, with its bottom line cleared for the shell.
  void leave(std::string& out);

 private:
  std::uint32_t* front_row(int y) {
    return &front_[static_cast<std::size_t>(y) * columns_];
  }
  std::uint32_t* back_row(int y) {
    return &back_[static_cast<std::size_t>(y) * columns_];
  }
  void update_row(int y, std::string& out);
  void put_cell(int x, int y, std::uint32_t cell, std::string& out);
  void put_bottom_right(int x, int y, std::string& out);
  void put_run(int x, int y, std::uint32_t cell, int n, std::string& out);
  void put_glyph(std::uint32_t cell, std::string& out) const {
    const Glyph& g = caps_.glyph(cell);
    out.append(g.bytes, g.length);
  }
  void move_to(int x, int y, std::string& out);
  void move_along_row(int from, int x, int y, std::string& out);
  std::size_t rewrite_length(int from, int x, int y);
  bool shorter_move(int from, int x, std::size_t best,
                    char (&chosen)[64]) const;
  void set_look(int look, std::string& out);
  int repeat_length(const std::uint32_t* back, const std::uint32_t* front,
                    int x, int* run_end) const;

  TerminalCapabilities caps_;
  int lines_ = 0;
  int columns_ = 0;
  // Each cell as the console byte and attribute, byte | attr << 8, row after
  // row; in the front buffer unknown_cell where it is not known.
  std::vector<std::uint32_t> front_;
  std::vector<std::uint32_t> back_;
  int pen_ = -1;       // the look in force, -1: unknown
  int cursor_x_ = -1;  // -1: unknown
  int cursor_y_ = -1;
};

}  // namespace bellform
