// The test platform: the screen model stands in for the console, and the
// keyboard plays a script of bursts. Files are real (file_posix.cc).
#include <deque>
#include <string>
#include <utility>

#include "console/console.h"
#include "console/keys.h"
#include "console/platform.h"
#include "console/test_console.h"

namespace bellform {

namespace {

// Negative, so they never collide with a file handle (descriptor plus one).
constexpr Handle test_input = -10;
constexpr Handle test_output = -11;

struct TestConsole {
  ScreenModel screen;
  std::deque<std::deque<InputEvent>> bursts;  // not yet reached
  std::deque<InputEvent> current;             // the burst being read
  std::string title;
};

TestConsole& state() {
  static TestConsole console;
  return console;
}

// The console refuses calls on any other handle, as a real one would; a
// test that forgets open_console then sees nothing happen.
bool is_output(Handle h) { return h == test_output; }
bool is_input(Handle h) { return h == test_input; }

}  // namespace

void platform_free_console() {}
void platform_alloc_console() {}

Handle platform_std_handle(StdHandle which) {
  return which == StdHandle::input ? test_input : test_output;
}

void platform_set_title(const char* title) {
  state().title = title != nullptr ? title : "";
}

bool platform_set_window(Handle out, int left, int top, int right,
                         int bottom) {
  return is_output(out) && state().screen.set_window(left, top, right, bottom);
}

bool platform_screen_info(Handle out, ScreenBufferInfo* info) {
  if (!is_output(out)) return false;
  const ScreenModel& s = state().screen;
  info->width = s.width();
  info->height = s.height();
  info->cursor_x = s.cursor_x();
  info->cursor_y = s.cursor_y();
  info->attribute = s.attribute();
  return true;
}

void platform_fill_char(Handle out, char c, int count, int x, int y) {
  if (is_output(out)) {
    state().screen.fill_char(static_cast<unsigned char>(c), count, x, y);
  }
}

void platform_fill_attr(Handle out, std::uint16_t attr, int count, int x,
                        int y) {
  if (is_output(out)) state().screen.fill_attr(attr, count, x, y);
}

void platform_set_cursor(Handle out, int x, int y) {
  if (is_output(out)) state().screen.set_cursor(x, y);
}

void platform_set_attr(Handle out, std::uint16_t attr) {
  if (is_output(out)) state().screen.set_attribute(attr);
}

void platform_write(Handle out, const char* text, std::size_t length) {
  if (is_output(out)) state().screen.write(text, length);
}

void platform_flush_input(Handle in) {
  if (is_input(in)) state().current.clear();
}

InputEvent platform_next_event(Handle in) {
  TestConsole& s = state();
  if (!is_input(in)) throw test_console::ScriptEnded();
  while (s.current.empty()) {
    if (s.bursts.empty()) throw test_console::ScriptEnded();
    s.current = std::move(s.bursts.front());
    s.bursts.pop_front();
  }
  const InputEvent e = s.current.front();
  s.current.pop_front();
  return e;
}

namespace test_console {

// Also forgets the process-wide console state, so that each test starts as
// the process does: no console yet, no special key seen.
void reset() {
  state() = TestConsole{};
  console_in = null_handle;
  console_out = null_handle;
  extended_key = 0;
}

void type(const std::string& text) {
  for (const char c : text) {
    burst({InputEvent::key_press(c), InputEvent::key_release(c)});
  }
}

void press(std::uint16_t vk, bool shift) {
  InputEvent up = InputEvent::special(vk, shift);
  up.key_down = false;
  burst({InputEvent::special(vk, shift), up});
}

void click(std::uint32_t buttons) {
  burst({InputEvent::mouse_event(buttons), InputEvent::mouse_event(0)});
}

void burst(const std::vector<InputEvent>& events) {
  state().bursts.emplace_back(events.begin(), events.end());
}

const ScreenModel& screen() { return state().screen; }
std::string title() { return state().title; }
std::size_t bursts_left() { return state().bursts.size(); }

}  // namespace test_console

}  // namespace bellform
