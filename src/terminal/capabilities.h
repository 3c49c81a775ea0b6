// What the screen writer (screen_writer.h) may send to a terminal, read once
// from the terminfo entry curses (or setupterm) has loaded and read-only from
// then on: the capabilities, each console attribute's look, and each console
// byte's glyph. No names from term.h here: it makes each capability's name a
// macro.
//
// Every byte the writer sends is one of these, the usual ANSI form in
// brackets (a terminal's own form where it differs; padding, $<n>, is
// honoured through tputs):
//   moves     cup   cursor address    (\E[row;colH)
//             hpa   column address    (\E[colG)
//             cuf   columns right     (\E[nC)     cuf1  one right  (\E[C)
//             cub   columns left      (\E[nD)     cub1  one left   (\b)
//             cr    carriage return   (\r)
//   looks     sgr0  normal attributes (\E[m, \E(B\E[m)
//             bold  (\E[1m)           rev   reverse  (\E[7m)
//             setaf / setab colours   (\E[3nm, \E[9nm, \E[38;5;nm; \E[4nm ...)
//             or setf / setb with the console's numbering
//   repeats   rep   the character before it n times more (c\E[n-1b)
//   corner    rmam / smam margins off and on (\E[?7l, \E[?7h)
//             ich1 / ich  insert a blank       (\E[@, \E[1@)
//   leaving   op    the terminal's own colours (\E[39;49m)
//             el    erase to the end of the line (\E[K), on the bottom line
//   text      each cell's glyph: printable ASCII, code page 437's glyph in
//             UTF-8, or '?' where the terminal does not speak UTF-8.
// Nothing else: no erase but the one to leave, no line feed, no scrolling.
#pragma once

#include <cstdint>
#include <string>

#include "console/console_size.h"

namespace bellform {

// A look packed in an int: bits 0-4 the foreground colour plus one (0: none,
// the terminal's own), bits 5-9 the background, bit 10 bold, bit 11 reverse.
constexpr int bold_bit = 1 << 10;
constexpr int reverse_bit = 1 << 11;
inline int foreground_of(int look) { return (look & 31) - 1; }  // -1: none
inline int background_of(int look) { return ((look >> 5) & 31) - 1; }

// A console byte as the terminal is sent it.
struct Glyph {
  char bytes[4];
  std::uint8_t length;
};

class TerminalCapabilities {
 public:
  // The capabilities of the terminal whose terminfo entry is loaded. `utf8`:
  // the terminal speaks UTF-8; elsewhere glyphs above 0x7F show as '?'.
  static TerminalCapabilities load(bool utf8);

  // A cell is the console byte and attribute as byte | attr << 8.
  const Glyph& glyph(std::uint32_t cell) const { return glyphs_[cell & 0xFF]; }
  int look(std::uint32_t cell) const { return looks_[(cell >> 8) & 0xFF]; }
  // Whether the console's grey on black is the terminal's normal look.
  bool grey_is_normal() const { return looks_[attr_normal] == 0; }

  // Appends `cap` (nothing for nullptr), its padding through tputs.
  static void emit(const char* cap, std::string& out);

  // Moves, nullptr where the terminal lacks one; a move of n cells or to
  // column x is made in `buffer` (32 bytes) or in terminfo's own buffer.
  bool can_address() const { return cup_ != nullptr; }
  void go_to(int x, int y, std::string& out) const;
  const char* step_right() const { return cuf1_; }
  const char* step_left() const { return cub1_; }
  const char* cr() const { return cr_; }
  const char* columns_right(int n, char* buffer) const;
  const char* columns_left(int n, char* buffer) const;
  const char* go_to_column(int x, char* buffer) const;

  // Looks: sgr0 (nullptr when absent), bold, rev, and a colour's string
  // (`which`: 0 the foreground, 1 the background; n an ANSI colour 0-15).
  const char* normal() const { return sgr0_; }
  const char* bold() const { return bold_; }
  const char* reverse() const { return rev_; }
  const char* colour(int which, int n) const {
    return colour_strings_[which][n].c_str();
  }
  // The terminal's own colours back (op), where colours were set at all.
  const char* own_colours() const;

  // Character `c` sent `n` times over (rep); can_repeat says whether it may.
  bool can_repeat() const { return rep_ != nullptr; }
  void repeat(char c, int n, std::string& out) const;

  // The margins: whether a character in the last column wraps (am), and
  // whether that wrap waits for the next character (xenl).
  bool auto_margin() const { return auto_margin_; }
  bool eat_newline() const { return eat_newline_; }
  // The bottom right corner's two ways: margins off and on, or a blank
  // inserted (nullptr where the terminal lacks one).
  const char* margins_off() const { return rmam_; }
  const char* margins_on() const { return smam_; }
  const char* insert_blank() const;

  const char* erase_line() const { return el_; }

 private:
  // load's steps: the strings and flags; the colour strings (true: sixteen
  // colours to use); each console attribute's look; each byte's glyph.
  void read_strings();
  bool read_colours();
  void make_looks(bool bright);
  void make_glyphs(bool utf8);

  const char* cup_ = nullptr;
  const char* hpa_ = nullptr;
  const char* cub1_ = nullptr;
  const char* cuf1_ = nullptr;
  const char* cub_ = nullptr;
  const char* cuf_ = nullptr;
  const char* cr_ = nullptr;
  const char* el_ = nullptr;
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
  bool coloured_ = false;
  // Whether cup, hpa, cuf, cub and rep are the ANSI strings nearly every
  // terminal of today has: those are formatted here, at a hundredth of the
  // cost of tparm's interpreter.
  bool ansi_cup_ = false;
  bool ansi_hpa_ = false;
  bool ansi_cuf_ = false;
  bool ansi_cub_ = false;
  bool ansi_rep_ = false;
  std::string colour_strings_[2][16];
  int looks_[256] = {};
  Glyph glyphs_[256] = {};
};

}  // namespace bellform
