// The console of the process: window, screen, cursor, coloured text, the
// report and macro files, and the output sink that sends a report line to
// the screen or to a file.
#pragma once

#include <cstdint>

#include "console/handle.h"

namespace bellform {

// Console attributes used by the program: foreground on black.
enum : std::uint16_t {
  attr_normal = 7,
  attr_red = 4,
  attr_green = 2,
  attr_cyan = 3,
  attr_yellow = 14,
};

// Set once by open_console; never closed.
extern Handle console_in;
extern Handle console_out;

// Equal to console_out: the screen. Any other value, null included: a file.
using OutputSink = Handle;

void open_console(const char* title);
bool set_console_window(int left, int top, int right, int bottom);
void clear_screen();
void get_cursor(int* column, int* row);
void set_cursor(int column, int row);
void write_text(const char* text, std::uint16_t attr);
void write_char(char c, std::uint16_t attr);

// The file is created, or emptied when it exists; null_handle on failure.
Handle open_output_file(const char* name);
// True when every byte of the text was written.
bool write_file_text(Handle file, const char* text);
// False when the close reports an error: what was written may be lost.
bool close_file(Handle file);

// The screen in `attr`, or the file (the attribute is dropped). Returns
// whether a file write succeeded; always true for the screen.
bool sink_write(OutputSink sink, const char* text, std::uint16_t attr);

}  // namespace bellform
