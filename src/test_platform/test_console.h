// The test platform's controls: a scripted keyboard and a screen to read.
//
// The script is a queue of bursts. A burst is what the user typed without
// waiting: when the program flushes its input, the rest of the current burst
// is lost; when it then waits, the next burst arrives. Running out of script
// while the program waits throws ScriptEnded.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/input_event.h"
#include "console/keys.h"
#include "console/screen_model.h"

namespace bellform::test_console {

struct ScriptEnded : std::runtime_error {
  ScriptEnded() : std::runtime_error("the scripted input ran out") {}
};

// The platform's own state afresh: blank screen, empty script, no title,
// files that work.
void reset_platform();

// A fresh console, as the process starts: the platform's state afresh, and
// the console operations' process-wide state forgotten, no console opened
// and no special key seen. Here rather than in the platform, which calls
// nothing of the console operations.
inline void reset() {
  reset_platform();
  console_in = null_handle;
  console_out = null_handle;
  extended_key = 0;
}

// Each typed character is its own burst: key down, then key up.
void type(const std::string& text);
// A special key (virtual-key code), as its own burst.
void press(std::uint16_t vk, bool shift = false);
void click(std::uint32_t buttons = button_left);
// A burst of arbitrary events.
void burst(const std::vector<InputEvent>& events);

// From now on every file write fails, as on a full disk, or every file
// closes with an error, as on a full network disk.
void fail_writes(bool fail);
void fail_closes(bool fail);

const ScreenModel& screen();
std::string title();
// Bursts not yet reached.
std::size_t bursts_left();

}  // namespace bellform::test_console
