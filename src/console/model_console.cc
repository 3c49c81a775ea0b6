// The screen primitives of the platform layer over the console model. Calls
// on any handle but the console's own are refused, as a real console refuses
// them: a caller that forgot open_console sees nothing happen.
#include "console/model_console.h"

#include "console/platform.h"

namespace bellform {

ScreenModel& console_model() {
  static ScreenModel model;
  return model;
}

Handle platform_std_handle(StdHandle which) {
  return which == StdHandle::input ? model_console_in : model_console_out;
}

bool platform_set_window(Handle out, int left, int top, int right,
                         int bottom) {
  return out == model_console_out &&
         console_model().window_fits(left, top, right, bottom);
}

bool platform_screen_info(Handle out, ScreenBufferInfo* info) {
  if (out != model_console_out || info == nullptr) return false;
  const ScreenModel& model = console_model();
  info->width = model.width();
  info->height = model.height();
  info->cursor_x = model.cursor_x();
  info->cursor_y = model.cursor_y();
  return true;
}

void platform_fill_char(Handle out, char c, int count, int x, int y) {
  if (out == model_console_out) {
    console_model().fill_char(static_cast<unsigned char>(c), count, x, y);
  }
}

void platform_fill_attr(Handle out, std::uint16_t attr, int count, int x,
                        int y) {
  if (out == model_console_out) console_model().fill_attr(attr, count, x, y);
}

void platform_set_cursor(Handle out, int x, int y) {
  if (out == model_console_out) console_model().set_cursor(x, y);
}

void platform_set_attr(Handle out, std::uint16_t attr) {
  if (out == model_console_out) console_model().set_attribute(attr);
}

void platform_write(Handle out, const char* text, std::size_t length) {
  if (out == model_console_out && text != nullptr) {
    console_model().write(text, length);
  }
}

}  // namespace bellform
