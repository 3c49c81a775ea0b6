// A small program for the terminal test: it opens the console as the design
// loop does, shows a red and a green line (the green one with the field
// mark), edits one line, echoes it in yellow and waits for one more key.
#include <cstdio>

#include "console/console.h"
#include "console/keys.h"
#include "console/line_editor.h"
#include "design/attributes.h"

int main() {
  using namespace bellform;
  open_console("Bellform console probe");
  set_console_window(0, 0, 80, 25);
  clear_screen();
  write_text("Red line\n", attr_red);
  write_text("Green line \xC5 field mark\n", attr_green);
  write_text("Type a line: ", attr_normal);
  char line[80];
  read_line(line, sizeof line);
  char echo[100];
  std::snprintf(echo, sizeof echo, "You typed: %s\n", line);
  write_text(echo, attr_yellow);
  write_text("Press a key.", attr_normal);
  read_key();
  return 0;
}
