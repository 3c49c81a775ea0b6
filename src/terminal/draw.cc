// The console model drawn on the terminal by the console's own writer
// (screen_writer.h): it remembers what the terminal shows, its colours
// and its cursor, so each render sends only what changed, in one write.
// Curses reads the keys; it draws nothing after its first update.
#include "terminal/wide_curses.h"

#include <string>

#include "console/model_console.h"
#include "files/write_all_posix.h"
#include "terminal/screen_writer.h"
#include "terminal/terminal.h"

namespace bellform {

namespace {

ScreenWriter writer;
std::string pending;  // bytes not yet sent
bool drawing = false;

// Sends everything pending. A terminal that cannot be written to (hung up)
// loses it: its input fails next and ends the program.
void send_pending() {
  int ignored = 0;
  write_all(terminal_fd(), pending.data(), pending.size(), ignored);
  pending.clear();
}

}  // namespace

void start_drawing() {
  writer.load_capabilities(terminal_utf8());
  writer.resize(LINES, COLS);
  writer.cleared();  // by curses' one update
  pending.reserve(4096);
  drawing = true;
}

void stop_drawing() {
  if (!drawing) return;
  writer.leave(pending);
  send_pending();
  drawing = false;
}

// Before each wait for input.
void render() {
  if (!drawing) return;
  if (resumed_from_stop()) writer.forget();
  writer.update(console_model(), pending);
  send_pending();
}

// What does not fit on a terminal smaller than the console is simply not
// shown.
void size_changed() { writer.resize(LINES, COLS); }

void flush_drawing() { send_pending(); }

}  // namespace bellform
