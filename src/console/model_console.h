// The console model behind the POSIX terminal and the test console: one
// 80 x 25 screen model, the two console handles that name it, and the
// platform primitives that read and write it (model_console.cc). The two
// platforms add only how the model reaches a person: drawn on the terminal
// with a real keyboard, or read back by the tests with a scripted one.
#pragma once

#include "console/screen_model.h"
#include "platform/handle.h"

namespace bellform {

// Negative, so that they never collide with a file handle (its descriptor
// plus one).
constexpr Handle model_console_in = -10;
constexpr Handle model_console_out = -11;

// The screen of the process's console.
ScreenModel& console_model();

}  // namespace bellform
