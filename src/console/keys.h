// The key reader: one key or mouse click from the console's input events,
// and every key code and mouse button bit the program knows, in one place.
#pragma once

#include <cstdint>

#include "console/input_event.h"

namespace bellform {

// Key results besides a typed character.
constexpr int key_special = -1;  // the code is in extended_key
constexpr int key_mouse = -2;

// Key results of the control characters the line editor acts on.
constexpr int key_backspace = 8;
constexpr int key_tab = 9;
constexpr int key_enter = 13;
constexpr int key_esc = 27;

// extended_key codes: those the keys carry on the numeric keypad, the
// function keys from 0x3B and Shift with them from 0x5E.
constexpr unsigned char code_insert = 0x30;
constexpr unsigned char code_end = 0x31;
constexpr unsigned char code_down = 0x32;
constexpr unsigned char code_page_down = 0x33;
constexpr unsigned char code_left = 0x34;
constexpr unsigned char code_right = 0x36;
constexpr unsigned char code_home = 0x37;
constexpr unsigned char code_up = 0x38;
constexpr unsigned char code_page_up = 0x39;
constexpr unsigned char code_f1 = 0x3B;
constexpr unsigned char code_delete = 0x53;
constexpr unsigned char code_shift_f1 = 0x5E;

// Windows virtual-key codes, as the console's key events carry them; the
// POSIX console and the tests make their events with the same codes.
constexpr std::uint16_t vk_back = 0x08;
constexpr std::uint16_t vk_tab = 0x09;
constexpr std::uint16_t vk_return = 0x0D;
constexpr std::uint16_t vk_shift = 0x10;
constexpr std::uint16_t vk_escape = 0x1B;
constexpr std::uint16_t vk_prior = 0x21;  // Page Up
constexpr std::uint16_t vk_next = 0x22;   // Page Down
constexpr std::uint16_t vk_end = 0x23;
constexpr std::uint16_t vk_home = 0x24;
constexpr std::uint16_t vk_left = 0x25;
constexpr std::uint16_t vk_up = 0x26;
constexpr std::uint16_t vk_right = 0x27;
constexpr std::uint16_t vk_down = 0x28;
constexpr std::uint16_t vk_select = 0x29;
constexpr std::uint16_t vk_print = 0x2A;
constexpr std::uint16_t vk_snapshot = 0x2C;  // Print Screen
constexpr std::uint16_t vk_insert = 0x2D;
constexpr std::uint16_t vk_delete = 0x2E;
constexpr std::uint16_t vk_f1 = 0x70;
constexpr std::uint16_t vk_f12 = 0x7B;

// Windows' button-state bits, as the console's mouse events carry them; a
// wheel turn carries its direction in the high word (+120 or -120).
constexpr std::uint32_t button_left = 0x0001;
constexpr std::uint32_t button_right = 0x0002;
constexpr std::uint32_t button_middle = 0x0004;
constexpr std::uint32_t wheel_forward = 0x00780000u;
constexpr std::uint32_t wheel_back = 0xFF880000u;

// The code page's bytes 0xFE (a small square) and 0xFF (a non-breaking
// space) have the values of the two markers once sign-extended: typed, they
// are dropped, so that a character never acts as a key.
constexpr unsigned char byte_like_mouse = 0xFE;
constexpr unsigned char byte_like_special = 0xFF;

// The code of the last special key; process-wide, 0 at start.
extern unsigned char extended_key;

struct KeyTranslation {
  bool taken = false;         // false: not a key for the reader, read on
  int key = 0;                // the key result when taken
  unsigned char extended = 0; // extended_key after the event
};

// The key table, as a pure function of one event and the current
// extended_key.
KeyTranslation translate_event(const InputEvent& event, unsigned char extended);

// Drops every key and click queued so far; called once when a question
// starts, never between the keys of one answer.
void discard_typed_ahead();

// The next key or click, queued or waited for.
int read_key();

}  // namespace bellform
