// Input on the terminal: curses keys, mouse events and typed characters as
// the console's key events, with Windows' virtual-key codes and button bits,
// so that one key reader serves every console. Keys are read through a pad of
// one cell: curses refreshes a window it reads from, never a pad, and the
// console's writer, not curses, draws the screen.
#include "terminal/wide_curses.h"

#include <cerrno>
#include <cstring>

#include "console/keys.h"
#include "terminal/cp437.h"
#include "terminal/terminal.h"

namespace bellform {

namespace {

WINDOW* keyboard = nullptr;

struct KeyCode {
  int code;
  std::uint16_t vk;
  bool shift;
};

constexpr KeyCode key_codes[] = {
    {KEY_PPAGE, vk_prior, false},     {KEY_NPAGE, vk_next, false},
    {KEY_END, vk_end, false},         {KEY_HOME, vk_home, false},
    {KEY_LEFT, vk_left, false},       {KEY_UP, vk_up, false},
    {KEY_RIGHT, vk_right, false},     {KEY_DOWN, vk_down, false},
    {KEY_IC, vk_insert, false},       {KEY_DC, vk_delete, false},
    {KEY_A1, vk_home, false},         {KEY_A3, vk_prior, false},
    {KEY_C1, vk_end, false},          {KEY_C3, vk_next, false},
    {KEY_SPREVIOUS, vk_prior, true},  {KEY_SNEXT, vk_next, true},
    {KEY_SEND, vk_end, true},         {KEY_SHOME, vk_home, true},
    {KEY_SLEFT, vk_left, true},       {KEY_SR, vk_up, true},
    {KEY_SRIGHT, vk_right, true},     {KEY_SF, vk_down, true},
    {KEY_SIC, vk_insert, true},       {KEY_SDC, vk_delete, true},
};

// xterm's modified cursor keys come as extended capabilities named for the
// key and the modifier: kLFT5 is Ctrl+Left. The modifier digit is one plus
// a bit set of Shift (1), Alt (2) and Ctrl (4); only Shift counts.
bool modified_key(const char* name, InputEvent* event) {
  static const struct {
    const char* name;
    std::uint16_t vk;
  } names[] = {{"kPRV", vk_prior}, {"kNXT", vk_next}, {"kEND", vk_end},
               {"kHOM", vk_home},  {"kLFT", vk_left}, {"kUP", vk_up},
               {"kRIT", vk_right}, {"kDN", vk_down},  {"kIC", vk_insert},
               {"kDC", vk_delete}};
  if (name == nullptr) return false;
  for (const auto& key : names) {
    const std::size_t len = std::strlen(key.name);
    if (std::strncmp(name, key.name, len) != 0 || name[len] < '2' ||
        name[len] > '8' || name[len + 1] != '\0') {
      continue;
    }
    *event = InputEvent::special(key.vk, ((name[len] - '1') & 1) != 0);
    return true;
  }
  return false;
}

// Curses' buttons as Windows' button-state bits (keys.h).
InputEvent mouse_event_now() {
  MEVENT ev;
  if (getmouse(&ev) != OK) return InputEvent{};
  std::uint32_t buttons = 0;
  if (ev.bstate & BUTTON1_PRESSED) buttons |= button_left;
  if (ev.bstate & BUTTON3_PRESSED) buttons |= button_right;
  if (ev.bstate & BUTTON2_PRESSED) buttons |= button_middle;
  if (ev.bstate & BUTTON4_PRESSED) buttons |= wheel_forward;
#ifdef BUTTON5_PRESSED
  if (ev.bstate & BUTTON5_PRESSED) buttons |= wheel_back;
#endif
  return InputEvent::mouse_event(buttons);
}

InputEvent event_of_key(wint_t code) {
  const int c = static_cast<int>(code);
  switch (c) {
    case KEY_ENTER: return InputEvent::key_press(key_enter, vk_return);
    case KEY_BACKSPACE: return InputEvent::key_press(key_backspace, vk_back);
    case KEY_BTAB: {
      InputEvent e = InputEvent::key_press(key_tab, vk_tab);
      e.shift = true;
      return e;
    }
    case KEY_MOUSE: return mouse_event_now();
    case KEY_RESIZE: size_changed(); return InputEvent{};
    default: break;
  }
  // F13-F24 are Shift with F1-F12, F25-F36 Ctrl, F37-F48 Ctrl+Shift, and
  // so on in groups of twelve.
  if (c >= KEY_F(1) && c <= KEY_F(63)) {
    const int n = c - KEY_F(1);
    return InputEvent::special(static_cast<std::uint16_t>(vk_f1 + n % 12),
                               (n / 12) % 2 == 1);
  }
  for (const KeyCode& key : key_codes) {
    if (key.code == c) return InputEvent::special(key.vk, key.shift);
  }
  InputEvent e;
  if (modified_key(keyname(c), &e)) return e;
  return InputEvent::special(0);  // a key the reader passes over
}

// False for a character the code page lacks: it is dropped.
bool event_of_char(wint_t wc, InputEvent* event) {
  switch (wc) {
    case L'\r': *event = InputEvent::key_press(key_enter, vk_return); return true;
    case 0x7F:
    case 0x08: *event = InputEvent::key_press(key_backspace, vk_back); return true;
    case L'\t': *event = InputEvent::key_press(key_tab, vk_tab); return true;
    case 0x1B: *event = InputEvent::key_press(key_esc, vk_escape); return true;
    default: break;
  }
  const int byte = cp437_byte(wc);
  if (byte <= 0) return false;
  *event = InputEvent::key_press(static_cast<char>(byte));
  return true;
}

}  // namespace

void start_input() {
  keyboard = newpad(1, 1);  // freed with the curses screen
  if (keyboard == nullptr) input_lost();
  keypad(keyboard, TRUE);
  meta(keyboard, TRUE);
}

InputEvent wait_for_event() {
  for (int failures = 0;;) {
    wint_t wc = 0;
    errno = 0;
    const int got = wget_wch(keyboard, &wc);
    if (got == KEY_CODE_YES) return event_of_key(wc);
    InputEvent event;
    if (got == OK) {
      if (event_of_char(wc, &event)) return event;
      continue;
    }
    // A read cut short by a signal is tried again, once the screen is
    // whole (after a stop, it is drawn again); a terminal that keeps failing
    // (hung up, closed) will never deliver another key.
    if (errno == EINTR) {
      render();
    } else if (++failures >= 8) {
      input_lost();
    }
  }
}

void discard_input() { flushinp(); }

}  // namespace bellform
