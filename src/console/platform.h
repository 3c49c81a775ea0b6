// The platform layer: the few console and file primitives the console
// operations are written over. Each mirrors one KERNEL32 call. Exactly one
// implementation is linked into a program:
//   platform_win32.cc  the real console of a Windows process,
//   platform_posix.cc  the console model drawn on the terminal with ncursesw,
//   platform_test.cc   the console model with a scripted input queue.
// The POSIX and test platforms share the console model's screen primitives
// (model_console.cc); all three pass the file primitives on to the real
// file system (native_file.h: file_win32.cc or file_posix.cc), the test
// platform through switches that make them fail.
//
// Handle values: null_handle (0) is never a valid handle. On POSIX a file
// handle is its descriptor plus one, and the console handles are negative.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "console/handle.h"
#include "console/input_event.h"
#include "console/native_file.h"

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
void platform_flush_input(Handle in);
InputEvent platform_next_event(Handle in);

// Files, each replaced whole (native_file.h): the new file opened beside
// the old one, written, then flushed, closed and renamed over it; after a
// failure it is removed and the old file stays as it was.
bool platform_begin_replace(const char* name, Replacement& r);
bool platform_write_file(Replacement& r, const char* data, std::size_t length);
bool platform_commit_replace(Replacement& r);
void platform_abandon_replace(Replacement& r);
std::string platform_error_text(int error);
// The process's standard output, byte for byte.
bool platform_write_standard_output(const char* data, std::size_t length, int& error);

}  // namespace bellform
