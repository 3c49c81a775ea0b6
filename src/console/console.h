// The console of the process: window, screen, cursor and coloured text.
#pragma once

#include <cstdint>

#include "platform/handle.h"

namespace bellform {

// Set once by open_console; never closed.
extern Handle console_in;
extern Handle console_out;

void open_console(const char* title);
bool set_console_window(int left, int top, int right, int bottom);
void clear_screen();
void get_cursor(int* column, int* row);
void set_cursor(int column, int row);
void write_text(const char* text, std::uint16_t attr);
void write_char(char c, std::uint16_t attr);

}  // namespace bellform
