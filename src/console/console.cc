#include "console/console.h"

#include <cstring>

#include "console/console_size.h"
#include "console/platform.h"

namespace bellform {

Handle console_in = null_handle;
Handle console_out = null_handle;

void open_console(const char* title) {
  platform_free_console();
  platform_alloc_console();
  console_in = platform_std_handle(StdHandle::input);
  console_out = platform_std_handle(StdHandle::output);
  platform_set_title(title);
}

bool set_console_window(int left, int top, int right, int bottom) {
  return platform_set_window(console_out, left, top, right, bottom);
}

// The whole screen buffer, not only the visible window.
void clear_screen() {
  ScreenBufferInfo info;
  platform_screen_info(console_out, &info);
  const int cells = info.width * info.height;
  platform_fill_char(console_out, ' ', cells, 0, 0);
  platform_fill_attr(console_out, attr_normal, cells, 0, 0);
  set_cursor(0, 0);
}

void get_cursor(int* column, int* row) {
  ScreenBufferInfo info;
  platform_screen_info(console_out, &info);
  *column = info.cursor_x;
  *row = info.cursor_y;
}

void set_cursor(int column, int row) {
  platform_set_cursor(console_out, column, row);
}

// Back to the normal attribute afterwards, so that text written later
// without a colour of its own shows grey.
void write_text(const char* text, std::uint16_t attr) {
  platform_set_attr(console_out, attr);
  platform_write(console_out, text, std::strlen(text));
  platform_set_attr(console_out, attr_normal);
}

void write_char(char c, std::uint16_t attr) {
  const char text[2] = {c, '\0'};
  write_text(text, attr);
}

}  // namespace bellform
