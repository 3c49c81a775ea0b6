// The console of a Windows process: each primitive is the one KERNEL32 call
// it is named for, and nothing else. Results are passed back where the
// console layer wants them and otherwise not examined.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "console/platform.h"

namespace bellform {

namespace {

HANDLE native(Handle h) { return reinterpret_cast<HANDLE>(h); }
Handle portable(HANDLE h) { return reinterpret_cast<Handle>(h); }

COORD cell(int x, int y) {
  COORD c;
  c.X = static_cast<SHORT>(x);
  c.Y = static_cast<SHORT>(y);
  return c;
}

DWORD cell_count(int count) {
  return count > 0 ? static_cast<DWORD>(count) : 0;
}

InputEvent translate(const INPUT_RECORD& record) {
  InputEvent event;
  if (record.EventType == KEY_EVENT) {
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    event.kind = InputEvent::key;
    event.key_down = key.bKeyDown != FALSE;
    event.ch = key.uChar.AsciiChar;
    event.vk = key.wVirtualKeyCode;
    event.shift = (key.dwControlKeyState & SHIFT_PRESSED) != 0;
  } else if (record.EventType == MOUSE_EVENT) {
    event.kind = InputEvent::mouse;
    event.buttons = record.Event.MouseEvent.dwButtonState;
  }
  return event;
}

}  // namespace

void platform_free_console() { FreeConsole(); }

void platform_alloc_console() { AllocConsole(); }

Handle platform_std_handle(StdHandle which) {
  return portable(GetStdHandle(which == StdHandle::input ? STD_INPUT_HANDLE
                                                         : STD_OUTPUT_HANDLE));
}

void platform_set_title(const char* title) { SetConsoleTitleA(title); }

bool platform_set_window(Handle out, int left, int top, int right,
                         int bottom) {
  SMALL_RECT window;
  window.Left = static_cast<SHORT>(left);
  window.Top = static_cast<SHORT>(top);
  window.Right = static_cast<SHORT>(right);
  window.Bottom = static_cast<SHORT>(bottom);
  return SetConsoleWindowInfo(native(out), TRUE, &window) != FALSE;
}

bool platform_screen_info(Handle out, ScreenBufferInfo* info) {
  CONSOLE_SCREEN_BUFFER_INFO csbi;
  if (!GetConsoleScreenBufferInfo(native(out), &csbi)) return false;
  info->width = csbi.dwSize.X;
  info->height = csbi.dwSize.Y;
  info->cursor_x = csbi.dwCursorPosition.X;
  info->cursor_y = csbi.dwCursorPosition.Y;
  return true;
}

void platform_fill_char(Handle out, char c, int count, int x, int y) {
  DWORD written = 0;
  FillConsoleOutputCharacterA(native(out), c, cell_count(count), cell(x, y),
                              &written);
}

void platform_fill_attr(Handle out, std::uint16_t attr, int count, int x,
                        int y) {
  DWORD written = 0;
  FillConsoleOutputAttribute(native(out), attr, cell_count(count), cell(x, y),
                             &written);
}

void platform_set_cursor(Handle out, int x, int y) {
  SetConsoleCursorPosition(native(out), cell(x, y));
}

void platform_set_attr(Handle out, std::uint16_t attr) {
  SetConsoleTextAttribute(native(out), attr);
}

void platform_write(Handle out, const char* text, std::size_t length) {
  DWORD written = 0;
  WriteConsoleA(native(out), text, static_cast<DWORD>(length), &written,
                nullptr);
}

void platform_flush_input(Handle in) { FlushConsoleInputBuffer(native(in)); }

// A failed read means the console is gone and no key will ever come: the
// process says so and ends rather than spin on the failing call.
InputEvent platform_next_event(Handle in) {
  INPUT_RECORD record;
  DWORD read = 0;
  if (!ReadConsoleInputA(native(in), &record, 1, &read) || read != 1) {
    std::fputs(input_gone, stderr);
    std::exit(1);
  }
  return translate(record);
}

}  // namespace bellform
