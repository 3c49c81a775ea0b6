// The console model drawn on the terminal: each cell's code page 437 glyph in
// the colours of its console attribute. A front buffer remembers what the
// terminal shows, so each render hands curses only the cells that changed,
// and curses sends only what the terminal lacks.
#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#include <curses.h>

#include <algorithm>
#include <cstdint>

#include "console/cp437.h"
#include "console/model_console.h"
#include "console/terminal_posix.h"

namespace bellform {

namespace {

short pairs[256] = {};  // colour pair of each attribute byte, 0: none yet
short next_pair = 1;
Cell front[console_rows][console_columns];  // what the terminal shows
bool front_valid = false;

// A console attribute is a foreground and a background of four bits each
// (1 blue, 2 green, 4 red, 8 intensity).
short curses_colour(int console_colour) {
  return static_cast<short>(((console_colour & 1) ? COLOR_BLUE : 0) |
                            ((console_colour & 2) ? COLOR_GREEN : 0) |
                            ((console_colour & 4) ? COLOR_RED : 0));
}

short pair_of(int fg, int bg) {
  const int key = (bg << 4) | fg;
  if (pairs[key] != 0) return pairs[key];
  if (next_pair >= COLOR_PAIRS) return 0;
  const bool bright = COLORS >= 16;
  short f = curses_colour(fg), b = curses_colour(bg);
  if (bright && (fg & 8)) f = static_cast<short>(f + 8);
  if (bright && (bg & 8)) b = static_cast<short>(b + 8);
  init_pair(next_pair, f, b);
  pairs[key] = next_pair;
  return next_pair++;
}

void look_of(std::uint16_t attr, attr_t* look, short* pair) {
  const int fg = attr & 0xF, bg = (attr >> 4) & 0xF;
  *look = A_NORMAL;
  *pair = 0;
  if (!has_colors()) {
    if (fg & 8) *look |= A_BOLD;
    if (bg & 7) *look |= A_REVERSE;
    return;
  }
  // Eight colours: intensity shows as bold, as on the text consoles.
  if (COLORS < 16 && (fg & 8)) *look |= A_BOLD;
  *pair = pair_of(fg, bg);
}

void draw_cell(int x, int y, const Cell& cell) {
  wchar_t text[2] = {cp437_glyph(cell.ch), 0};
  if (!terminal_utf8() && text[0] >= 0x80) text[0] = L'?';
  attr_t look;
  short pair;
  look_of(cell.attr, &look, &pair);
  cchar_t cc;
  setcchar(&cc, text, look, pair, nullptr);
  // The bottom right cell of the terminal reports ERR because the cursor
  // cannot move past it; the cell is drawn all the same.
  mvwadd_wch(stdscr, y, x, &cc);
}

}  // namespace

// Before each wait for input.
void render() {
  const ScreenModel& model = console_model();
  const int rows = std::min(console_rows, LINES);
  const int cols = std::min(console_columns, COLS);
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < cols; ++x) {
      const Cell& cell = model.at(x, y);
      Cell& shown = front[y][x];
      if (front_valid && shown.ch == cell.ch && shown.attr == cell.attr) {
        continue;
      }
      draw_cell(x, y, cell);
      shown = cell;
    }
  }
  front_valid = true;
  wmove(stdscr, std::min(model.cursor_y(), LINES - 1),
        std::min(model.cursor_x(), COLS - 1));
  wrefresh(stdscr);
}

// At the start and after a resize, when curses has resized its windows and
// the terminal's contents are unknown. What does not fit on a terminal
// smaller than the console is simply not shown.
void redraw_all() {
  attr_t look;
  short pair;
  look_of(7, &look, &pair);
  wbkgdset(stdscr, static_cast<chtype>(' ') | look |
                       static_cast<chtype>(COLOR_PAIR(pair)));
  werase(stdscr);
  clearok(curscr, TRUE);
  front_valid = false;
}

}  // namespace bellform
