#include "key_script.h"

#include "console/test_console.h"

namespace bellform::fuzz {

namespace {

struct Special {
  std::uint8_t byte;
  std::uint16_t vk;
  bool shift;
};

// The editing keys, keys the editor ignores, and Select (0x29), which keeps
// the last special key's code and so repeats its action.
constexpr Special specials[] = {
    {0x01, 0x25, false},  // Left
    {0x02, 0x27, false},  // Right
    {0x03, 0x24, false},  // Home
    {0x04, 0x23, false},  // End
    {0x05, 0x2D, false},  // Insert
    {0x06, 0x2E, false},  // Delete
    {0x07, 0x26, false},  // Up
    {0x0B, 0x28, false},  // Down
    {0x0C, 0x21, false},  // Page Up
    {0x0E, 0x22, false},  // Page Down
    {0x0F, 0x70, false},  // F1
    {0x10, 0x7B, true},   // Shift+F12
    {0x11, 0x29, false},  // Select
};

constexpr std::uint8_t byte_click = 0x12;
constexpr std::uint8_t byte_shift_alone = 0x13;  // a key that is no key
constexpr std::uint8_t byte_mouse_move = 0x14;   // no button: not a key
constexpr std::uint8_t byte_pair = 0x15;         // next two keys in one burst
constexpr std::uint8_t byte_key_up = 0x00;       // a lone key going up

Burst press_and_release(InputEvent down) {
  InputEvent up = down;
  up.key_down = false;
  return {down, up};
}

Burst burst_for(std::uint8_t b) {
  for (const Special& s : specials) {
    if (s.byte == b) return press_and_release(InputEvent::special(s.vk, s.shift));
  }
  switch (b) {
    case byte_click:
      return {InputEvent::mouse_event(1), InputEvent::mouse_event(0)};
    case byte_shift_alone:
      return press_and_release(InputEvent::special(0x10));
    case byte_mouse_move:
      return {InputEvent::mouse_event(0)};
    case byte_key_up:
      return {InputEvent::key_release('x')};
    default:
      return press_and_release(InputEvent::key_press(static_cast<char>(b)));
  }
}

}  // namespace

std::vector<Burst> keys_from_bytes(const std::uint8_t* data, std::size_t size,
                                   std::size_t max_keys) {
  std::vector<Burst> bursts;
  for (std::size_t i = 0; i < size && bursts.size() < max_keys; ++i) {
    if (data[i] == byte_pair && i + 2 < size) {
      Burst pair = burst_for(data[i + 1]);
      const Burst second = burst_for(data[i + 2]);
      pair.insert(pair.end(), second.begin(), second.end());
      bursts.push_back(pair);
      i += 2;
    } else {
      bursts.push_back(burst_for(data[i]));
    }
  }
  return bursts;
}

void queue_bursts(const std::vector<Burst>& bursts) {
  for (const Burst& b : bursts) test_console::burst(b);
}

}  // namespace bellform::fuzz
