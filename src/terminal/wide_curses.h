// Curses with its wide-character calls (ncursesw), which the terminal's keys
// and glyphs need: every file of the terminal includes curses through here.
#pragma once

#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#include <curses.h>

#if !NCURSES_WIDECHAR
#error "the console needs the wide-character curses (ncursesw)"
#endif
