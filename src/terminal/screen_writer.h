// What the terminal shows, kept between updates, and the bytes that bring it
// to the console model: the console's own writer over terminfo, in place of
// curses' screen updates. Curses puts the terminal back to its normal
// attributes at the end of every update, and a cell in the console's grey on
// black is never normal to it, so every key cost the colours twice; this
// writer keeps the terminal's attributes and cursor from one update to the
// next and sends only what changed: a character typed at the end of a line is
// that character alone.
//
// Every cell is written with the console's explicit colours, never erased:
// an erased cell would take the terminal's own foreground (and, without
// back_color_erase, its background). Runs of one character use repeat_char
// where the terminal has it. The terminal's cells outside the 80 x 25 console
// (a larger terminal) are blanks in the console's grey on black.
//
// The capabilities come from the terminfo entry curses (or setupterm) has
// loaded; padding is honoured through tputs. Nothing here writes to the
// terminal: the bytes are appended to a string for the caller to send.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "console/screen_model.h"

namespace bellform {

class ScreenWriter {
 public:
  // Reads the capabilities of the terminal whose terminfo entry is loaded.
  // `utf8`: the terminal speaks UTF-8; elsewhere glyphs above 0x7F show as
  // '?'. The terminal's contents, attributes and cursor are then unknown.
  void load_capabilities(bool utf8);

  // The terminal's size in cells; its contents become unknown. (No names
  // from term.h here: it makes each capability's name a macro.)
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
  // A look packed in an int: bits 0-4 the foreground colour plus one (0:
  // none, the terminal's own), bits 5-9 the background, bit 10 bold, bit 11
  // reverse.
  static constexpr int bold_bit = 1 << 10;
  static constexpr int reverse_bit = 1 << 11;

  void put_cell(int x, int y, std::uint32_t cell, std::string& out);
  void put_bottom_right(int x, int y, const std::uint32_t* want,
                        std::string& out);
  void put_run(int x, int y, std::uint32_t cell, int n, std::string& out);
  void put_glyph(std::uint32_t cell, std::string& out) {
    const Glyph& g = glyphs_[cell & 0xFF];
    out.append(g.bytes, g.length);
  }
  int look_of(std::uint32_t cell) const {
    return look_of_attr_[(cell >> 8) & 0xFF];
  }
  void move_to(int x, int y, std::string& out);
  void set_look(int look, std::string& out);
  const char* colour(int which, int n);
  int repeat_length(const std::uint32_t* want, const std::uint32_t* shown,
                    int x, int* run_end) const;
  void emit(const char* cap, std::string& out) const;
  void emit_cup(int x, int y, std::string& out) const;
  const char* format(const char* cap, bool ansi, char final, int n,
                     char* buffer) const;

  // Capabilities; nullptr where the terminal lacks one.
  const char* cup_ = nullptr;
  const char* hpa_ = nullptr;
  const char* cub1_ = nullptr;
  const char* cuf1_ = nullptr;
  const char* cub_ = nullptr;
  const char* cuf_ = nullptr;
  const char* cr_ = nullptr;
  const char* el_ = nullptr;  // only to leave: the console's cells are never erased
  const char* sgr0_ = nullptr;
  const char* op_ = nullptr;
  const char* bold_ = nullptr;
  const char* rev_ = nullptr;
  const char* rep_ = nullptr;
  const char* rmam_ = nullptr;
  const char* smam_ = nullptr;
  const char* ich1_ = nullptr;
  const char* ich_ = nullptr;
  bool auto_margin_ = false;
  bool eat_newline_ = false;
  // Whether cup, hpa, cuf, cub and rep are the ANSI strings nearly every
  // terminal of today has: those are formatted here, at a hundredth of the
  // cost of tparm's interpreter.
  bool ansi_cup_ = false;
  bool ansi_hpa_ = false;
  bool ansi_cuf_ = false;
  bool ansi_cub_ = false;
  bool ansi_rep_ = false;
  // Colours: setaf and setab, or setf and setb with the console's numbering.
  const char* set_colour_[2] = {nullptr, nullptr};
  bool ansi_numbers_ = true;
  // Each colour's string, made on first use; empty: not yet.
  std::string colour_strings_[2][16];

  int look_of_attr_[256] = {};
  // Each byte's glyph as the terminal is sent it.
  struct Glyph {
    char bytes[4];
    std::uint8_t length;
  };
  Glyph glyphs_[256] = {};

  int lines_ = 0;
  int columns_ = 0;
  // What each terminal cell shows: the console byte and attribute as
  // byte | attr << 8; unknown_cell where it is not known.
  std::vector<std::uint32_t> shown_;
  std::vector<std::uint32_t> want_;  // one row as it should be
  // Each console row as the model held it when it was last drawn whole, and
  // whether it was: a row the model has not touched since is passed over.
  Cell drawn_[console_rows][console_columns];
  std::vector<bool> row_whole_;
  int pen_ = -1;       // the look in force, -1: unknown
  int cursor_x_ = -1;  // -1: unknown
  int cursor_y_ = -1;
};

}  // namespace bellform
