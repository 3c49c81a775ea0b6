// The test platform: the console model stands in for the console, the
// keyboard plays a script of bursts, and files are real, with switches that
// make their writes or their close fail.
#include <cerrno>
#include <deque>
#include <string>
#include <utility>

#include "console/model_console.h"
#include "console/platform.h"
#include "files/file_platform.h"
#include "test_platform/test_console.h"

namespace bellform {

namespace {

struct TestConsole {
  std::deque<std::deque<InputEvent>> bursts;  // not yet reached
  std::deque<InputEvent> current;             // the burst being read
  std::string title;
  bool writes_fail = false;
  bool closes_fail = false;
};

TestConsole& state() {
  static TestConsole console;
  return console;
}

}  // namespace

void platform_free_console() {}
void platform_alloc_console() {}

void platform_set_title(const char* title) {
  state().title = title != nullptr ? title : "";
}

void platform_flush_input(Handle in) {
  if (in == model_console_in) state().current.clear();
}

InputEvent platform_next_event(Handle in) {
  TestConsole& s = state();
  if (in != model_console_in) throw test_console::ScriptEnded();
  while (s.current.empty()) {
    if (s.bursts.empty()) throw test_console::ScriptEnded();
    s.current = std::move(s.bursts.front());
    s.bursts.pop_front();
  }
  const InputEvent e = s.current.front();
  s.current.pop_front();
  return e;
}

bool platform_begin_replace(const char* name, Replacement& r) {
  return native_begin_replace(name, r);
}

// A failing write has written nothing, as on a disk already full.
bool platform_write_file(Replacement& r, const char* data, std::size_t length) {
  if (state().writes_fail) {
    r.error = ENOSPC;
    return false;
  }
  return native_write_file(r, data, length);
}

// A close that fails does so before the new file takes the name.
bool platform_commit_replace(Replacement& r) {
  if (state().closes_fail) {
    r.error = EIO;
    native_abandon_replace(r);
    return false;
  }
  return native_commit_replace(r);
}

void platform_abandon_replace(Replacement& r) { native_abandon_replace(r); }
std::string platform_error_text(int error) { return native_error_text(error); }

bool platform_write_standard_output(const char* data, std::size_t length, int& error) {
  return native_write_standard_output(data, length, error);
}

namespace test_console {

void reset_platform() {
  state() = TestConsole{};
  console_model() = ScreenModel{};
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

void fail_writes(bool fail) { state().writes_fail = fail; }
void fail_closes(bool fail) { state().closes_fail = fail; }

const ScreenModel& screen() { return console_model(); }
std::string title() { return state().title; }
std::size_t bursts_left() { return state().bursts.size(); }

}  // namespace test_console

}  // namespace bellform
