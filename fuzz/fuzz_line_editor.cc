// The line editor fed random keys into an 80-byte line buffer of its own
// heap block, so AddressSanitizer stops any write past it. A plain model of
// the editing keys runs beside it: the text must come out the same, always
// terminated and at most 79 characters long; when the text stayed free of
// the characters the console acts on (line feed, carriage return, backspace,
// tab, bell), the screen must show it and the cursor stand on the right cell,
// scrolling included.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>

#include "console/console.h"
#include "console/keys.h"
#include "console/line_editor.h"
#include "key_script.h"
#include "test_platform/test_console.h"

namespace {

using namespace bellform;
namespace tc = test_console;

constexpr std::size_t buffer_size = 80;
constexpr int W = console_columns;
constexpr int cells = W * console_rows;

// The keyboard as read_key sees it: every queued key in order. The one flush,
// when read_line starts, comes before any burst has been reached.
struct Keyboard {
  std::deque<fuzz::Burst> bursts;
  std::deque<InputEvent> current;
  unsigned char extended = 0;

  bool next(int& key) {
    for (;;) {
      while (current.empty()) {
        if (bursts.empty()) return false;
        current.assign(bursts.front().begin(), bursts.front().end());
        bursts.pop_front();
      }
      const KeyTranslation t = translate_event(current.front(), extended);
      current.pop_front();
      if (t.taken) {
        extended = t.extended;
        key = t.key;
        return true;
      }
    }
  }
};

bool console_acts_on(char c) {
  return c == '\n' || c == '\r' || c == '\b' || c == '\t' || c == '\a';
}

struct Model {
  std::string text;
  std::size_t cursor = 0;
  bool insert = true;
  int origin = 0;      // linear cell of the first character
  int at_cursor = 0;   // linear cell of the cursor after the last draw
  bool plain = true;   // no drawn text ever held a character the console acts on

  void enter() {
    text = text.substr(0, text.find('\n'));
    cursor = 0;
    insert = true;
  }
  // The text and a blank written from the origin; the screen scrolls when
  // the blank lands in the last cell.
  void draw() {
    plain = plain && std::none_of(text.begin(), text.end(), console_acts_on);
    int at = origin;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i == cursor) at_cursor = at;
      if (++at == cells) {
        at -= W;
        if (origin >= W) origin -= W;
        if (i >= cursor && at_cursor >= W) at_cursor -= W;
      }
    }
  }
  void type(char c) {
    if (!insert && cursor < text.size()) {
      text[cursor++] = c;
    } else if (text.size() + 1 < buffer_size) {
      text.insert(cursor++, 1, c);
    }
  }
  void tab() {
    if (cursor == text.size()) return;
    do ++cursor; while (cursor < text.size() && static_cast<unsigned char>(text[cursor]) != field_mark);
    if (cursor < text.size() && ++cursor < text.size()) ++cursor;
  }
  void special(unsigned char code) {
    if (code == code_insert) insert = !insert;
    if (code == code_home) cursor = 0;
    if (code == code_end) cursor = text.size();
    if (code == code_left && cursor > 0) --cursor;
    if (code == code_right && cursor < text.size()) ++cursor;
    if (code == code_delete && cursor < text.size()) text.erase(cursor, 1);
  }
  // False when the key ends the edit.
  bool act(int key, unsigned char extended) {
    if (key == key_enter || key == key_esc) return false;
    if (key == key_backspace && cursor > 0) text.erase(--cursor, 1);
    if (key == key_tab) tab();
    if (key == key_special) special(extended);
    if (key >= 0 && key != key_backspace && key != key_tab) type(static_cast<char>(key));
    if (key < key_mouse) type(static_cast<char>(key));  // 0x80 to 0xFD
    return true;
  }
  // One edit: the last key read, or 0 when the keys ran out.
  int edit(Keyboard& keys) {
    enter();
    int key = 0;
    do {
      draw();
      if (!keys.next(key)) return 0;
    } while (act(key, keys.extended));
    return key;
  }
};

[[noreturn]] void fail(const char* what, const std::string& got, const std::string& want) {
  std::fprintf(stderr, "%s: got \"%s\", expected \"%s\"\n", what, got.c_str(), want.c_str());
  std::abort();
}

void check_screen(const Model& m) {
  const ScreenModel& s = tc::screen();
  const int cursor = s.cursor_y() * W + s.cursor_x();
  if (s.cursor_x() < 0 || s.cursor_x() >= W || s.cursor_y() < 0 ||
      s.cursor_y() >= console_rows) {
    std::abort();
  }
  if (!m.plain) return;
  if (cursor != m.at_cursor) {
    fail("cursor cell", std::to_string(cursor), std::to_string(m.at_cursor));
  }
  std::string shown;
  for (std::size_t i = 0; i < m.text.size(); ++i) {
    const int at = m.origin + static_cast<int>(i);
    shown.push_back(static_cast<char>(s.at(at % W, at / W).ch));
  }
  if (shown != m.text) fail("screen", shown, m.text);
}

}  // namespace

// Input: a mode byte (read_line or edit_line), the origin's column and row,
// for edit_line a starting text of up to 80 bytes (80: no terminator in the
// buffer), then the keys.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const bool whole_line = data[0] & 1;
  const int column = data[1] % W;
  const int row = data[2] % console_rows;
  const std::size_t start = whole_line ? 0 : std::min<std::size_t>(data[3] % 81, size - 4);
  const auto keys = fuzz::keys_from_bytes(data + 4 + start, size - 4 - start, 400);

  tc::reset();
  open_console("fuzz");
  fuzz::queue_bursts(keys);
  std::unique_ptr<char[]> buffer(new char[buffer_size]);
  std::memset(buffer.get(), 0, buffer_size);
  std::memcpy(buffer.get(), data + 4, start);
  set_cursor(column, row);

  Model model;
  model.origin = row * W + column;
  model.text.assign(buffer.get(), std::min(strnlen(buffer.get(), buffer_size), buffer_size - 1));
  Keyboard keyboard{{keys.begin(), keys.end()}, {}, 0};
  int result = 0, want = 0;
  try {
    if (whole_line) {
      read_line(buffer.get(), buffer_size);
      result = key_enter;
    } else {
      result = edit_line(buffer.get(), buffer_size, column, row) == EditEnd::enter
                   ? key_enter
                   : key_esc;
    }
  } catch (const tc::ScriptEnded&) {
  }
  do {
    want = model.edit(keyboard);
  } while (whole_line && want == key_esc);

  if (std::memchr(buffer.get(), '\0', buffer_size) == nullptr) std::abort();
  if (buffer.get() != model.text) fail("text", buffer.get(), model.text);
  if (want != result) fail("result", std::to_string(result), std::to_string(want));
  if (!(whole_line && result == key_enter)) check_screen(model);
  return 0;
}
