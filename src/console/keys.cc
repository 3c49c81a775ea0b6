#include "console/keys.h"

#include "console/console.h"
#include "console/platform.h"

namespace bellform {

unsigned char extended_key = 0;

namespace {

// Page Up to Delete: the code each key carries on the numeric keypad. Select,
// Print, Execute and Print Screen carry none and keep the last code.
constexpr int keep = -1;
constexpr int keypad_codes[] = {
    code_page_up, code_page_down, code_end,   code_home,
    code_left,    code_up,        code_right, code_down,
    keep,         keep,           keep,       keep,  // Select to Print Screen
    code_insert,  code_delete,
};
static_assert(sizeof keypad_codes / sizeof keypad_codes[0] ==
              vk_delete - vk_prior + 1);

KeyTranslation special(unsigned char code) {
  return KeyTranslation{true, key_special, code};
}

KeyTranslation translate_key(const InputEvent& e, unsigned char extended) {
  if (e.ch != 0) {
    // Sign-extended: 0x80 to 0xFF come back negative, and the two bytes
    // that would read as the markers are passed over.
    const unsigned char byte = static_cast<unsigned char>(e.ch);
    if (byte == byte_like_mouse || byte == byte_like_special) {
      return KeyTranslation{false, 0, extended};
    }
    return KeyTranslation{true, static_cast<signed char>(e.ch), extended};
  }
  if (e.vk >= vk_f1 && e.vk <= vk_f12) {
    // Only Shift counts; Ctrl and Alt give the plain function key.
    const int first = e.shift ? code_shift_f1 : code_f1;
    return special(static_cast<unsigned char>(first + (e.vk - vk_f1)));
  }
  if (e.vk >= vk_prior && e.vk <= vk_delete) {
    const int code = keypad_codes[e.vk - vk_prior];
    return special(code == keep ? extended : static_cast<unsigned char>(code));
  }
  return KeyTranslation{false, 0, extended};
}

}  // namespace

KeyTranslation translate_event(const InputEvent& event, unsigned char extended) {
  if (event.kind == InputEvent::key && event.key_down) {
    return translate_key(event, extended);
  }
  if (event.kind == InputEvent::mouse && event.buttons != 0) {
    return KeyTranslation{true, key_mouse, extended};
  }
  return KeyTranslation{false, 0, extended};
}

// What was typed before a question was asked is dropped, so that a stray
// key (a second Enter after a long report) cannot answer it.
void discard_typed_ahead() { platform_flush_input(console_in); }

// Keys queued since the question began are read in order: a pasted or
// fast-typed answer arrives whole.
int read_key() {
  for (;;) {
    const KeyTranslation t =
        translate_event(platform_next_event(console_in), extended_key);
    if (t.taken) {
      extended_key = t.extended;
      return t.key;
    }
  }
}

}  // namespace bellform
