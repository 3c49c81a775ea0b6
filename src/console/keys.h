// The key reader: one key or mouse click from the console's input events.
#pragma once

#include "console/input_event.h"

namespace bellform {

// Key results besides a typed character.
constexpr int key_special = -1;  // the code is in extended_key
constexpr int key_mouse = -2;

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

// Flushes queued input, then waits for one key or click.
int read_key();

}  // namespace bellform
