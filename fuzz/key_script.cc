#include "key_script.h"

#include "console/keys.h"
#include "test_platform/test_console.h"

namespace bellform::fuzz {

namespace {

struct Special {
  std::uint8_t byte;
  std::uint16_t vk;
  bool shift;
};

// The editing keys, keys the editor ignores, and Select, which keeps
// the last special key's code and so repeats its action.
constexpr Special specials[] = {
    {0x01, vk_left, false},  {0x02, vk_right, false}, {0x03, vk_home, false},
    {0x04, vk_end, false},   {0x05, vk_insert, false}, {0x06, vk_delete, false},
    {0x07, vk_up, false},    {0x0B, vk_down, false},  {0x0C, vk_prior, false},
    {0x0E, vk_next, false},  {0x0F, vk_f1, false},    {0x10, vk_f12, true},
    {0x11, vk_select, false},
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
      return press_and_release(InputEvent::special(vk_shift));
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
