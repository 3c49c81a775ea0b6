// The console of a POSIX process: the console model (model_console.cc) on
// the process's own terminal (terminal.h), opened and read with
// ncursesw and drawn by the console's own writer over terminfo, and files on
// the file system (native_file_posix.cc).
#include "console/model_console.h"
#include "console/platform.h"
#include "terminal/terminal.h"

namespace bellform {

// A POSIX process keeps its terminal: there is no console to leave.
void platform_free_console() {}

void platform_alloc_console() { start_terminal(); }

void platform_set_title(const char* title) {
  if (terminal_started() && title != nullptr) send_title(title);
}

void platform_flush_input(Handle in) {
  if (in == model_console_in && terminal_started()) discard_input();
}

// The screen is brought up to date before every wait for a key: one write
// of what changed since the last.
InputEvent platform_next_event(Handle in) {
  if (in != model_console_in || !terminal_started()) input_lost();
  render();
  return wait_for_event();
}

}  // namespace bellform
