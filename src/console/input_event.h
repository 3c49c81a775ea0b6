// One console input event, as the platform layer delivers it: the fields of
// a Windows INPUT_RECORD that the key reader looks at, and nothing more.
#pragma once

#include <cstdint>

namespace bellform {

struct InputEvent {
  enum Kind : std::uint8_t { key, mouse, other };
  Kind kind = other;
  bool key_down = false;       // key: going down (true) or up (false)
  char ch = 0;                 // key: the 8-bit character, 0 for none
  std::uint16_t vk = 0;        // key: the virtual-key code
  bool shift = false;          // key: SHIFT_PRESSED in the control-key state
  std::uint32_t buttons = 0;   // mouse: button state (wheel turns count too)

  static InputEvent key_press(char c, std::uint16_t vk_code = 0) {
    InputEvent e;
    e.kind = key;
    e.key_down = true;
    e.ch = c;
    e.vk = vk_code;
    return e;
  }
  static InputEvent special(std::uint16_t vk_code, bool with_shift = false) {
    InputEvent e = key_press(0, vk_code);
    e.shift = with_shift;
    return e;
  }
  static InputEvent key_release(char c, std::uint16_t vk_code = 0) {
    InputEvent e = key_press(c, vk_code);
    e.key_down = false;
    return e;
  }
  static InputEvent mouse_event(std::uint32_t button_state) {
    InputEvent e;
    e.kind = mouse;
    e.buttons = button_state;
    return e;
  }
};

}  // namespace bellform
