// The console primitives the console operations are written over, each
// mirroring one KERNEL32 call; one implementation is linked into a program.
// Handles and their values: platform/handle.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "console/input_event.h"
#include "platform/handle.h"

namespace bellform {

// GetStdHandle's two selectors.
enum class StdHandle { input, output };

struct ScreenBufferInfo {
  int width = 0;    // columns of the screen buffer
  int height = 0;   // rows of the screen buffer
  int cursor_x = 0;
  int cursor_y = 0;
};

// Console: FreeConsole, AllocConsole, GetStdHandle, SetConsoleTitleA.
void platform_free_console();
void platform_alloc_console();
Handle platform_std_handle(StdHandle which);
void platform_set_title(const char* title);

// SetConsoleWindowInfo in absolute coordinates, corners inclusive.
bool platform_set_window(Handle out, int left, int top, int right, int bottom);
// GetConsoleScreenBufferInfo.
bool platform_screen_info(Handle out, ScreenBufferInfo* info);
// FillConsoleOutputCharacterA / FillConsoleOutputAttribute from (x, y) on.
void platform_fill_char(Handle out, char c, int count, int x, int y);
void platform_fill_attr(Handle out, std::uint16_t attr, int count, int x, int y);
// SetConsoleCursorPosition, SetConsoleTextAttribute, WriteConsoleA.
void platform_set_cursor(Handle out, int x, int y);
void platform_set_attr(Handle out, std::uint16_t attr);
void platform_write(Handle out, const char* text, std::size_t length);
// FlushConsoleInputBuffer; ReadConsoleInputA of one record, waiting for it.
// Input gone for good (the console closed, the terminal hung up) never
// returns: the platform ends the process with input_gone on standard error
// and status 1.
void platform_flush_input(Handle in);
InputEvent platform_next_event(Handle in);
constexpr char input_gone[] = "bellform: the terminal's input is gone\n";

}  // namespace bellform
