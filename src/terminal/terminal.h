// The POSIX terminal's parts behind platform_posix.cc, each in its own file
// of this folder, named in the comment above its calls. The console speaks
// code page 437 (cp437.h) on a terminal that speaks UTF-8; elsewhere the
// bytes above 0x7F show as '?'.
#pragma once

#include "console/input_event.h"

namespace bellform {

// terminal.cc. Without a usable terminal the process ends with a line
// on standard error and status 2.
void start_terminal();
bool terminal_started();
bool terminal_utf8();
int terminal_fd();  // the terminal's output, for bytes curses must not see
// The terminal's input is gone for good: its modes back, input_gone
// (platform.h) on standard error, status 1.
[[noreturn]] void input_lost();

// title.cc.
void send_title(const char* title);

// Whether a terminfo string capability is present.
inline bool usable(const char* cap) {
  return cap != nullptr && cap != reinterpret_cast<const char*>(-1);
}

// restore.cc. The terminal's modes as the shell left them, taken
// before curses changes them; false when `fd` is not a terminal.
bool remember_terminal(int fd);
// SIGINT, SIGTERM and SIGHUP give the terminal back before they end the
// process; a signal the process was started with ignored stays ignored.
void catch_fatal_signals();
// Between these two, a fatal signal restores the terminal: armed once curses
// has started, disarmed once it has given the terminal back itself. SIGTSTP
// (Ctrl+Z) gives the terminal back the same way, stops the process, and on
// its return takes the terminal again in the program's modes, taken by
// remember_program_modes once curses has set them.
void arm_restore();
void disarm_restore();
void remember_program_modes();
// Whether the process has come back from a stop since the last call: what
// the terminal shows is then unknown.
bool resumed_from_stop();

// draw.cc. Only the cells that changed since the last render are sent,
// in one write; after a resize or a stop everything is drawn again.
void start_drawing();  // once curses has made its one update
void stop_drawing();   // the terminal's normal attributes back, before endwin
void render();
// The terminal's new size once curses knows it: what it shows is then
// unknown, and the next render draws it all.
void size_changed();
void flush_drawing();  // whatever is held reaches the terminal

// input.cc. Waits for the next key or mouse event; a typed character
// outside the code page is dropped. start_input prepares the keyboard.
void start_input();
InputEvent wait_for_event();
// Forgets whatever was typed and not yet read.
void discard_input();

}  // namespace bellform
