// The report's sink in the dialogue: the screen.
#pragma once

#include <cstdint>
#include <string>

#include "console/console.h"
#include "design/report.h"

namespace bellform {

// A piece of the report as the screen shows it: at most 79 characters, a
// line cut short keeping its line feed, so the next line starts on a row of
// its own. A file gets the piece whole.
inline std::string screen_piece(const std::string& text) {
  constexpr std::size_t room = text_buffer_size - 1;
  if (text.size() <= room) return text;
  std::string cut = text.substr(0, room);
  if (text.back() == '\n') cut.back() = '\n';
  return cut;
}

// Every piece on the screen, in its colour.
class ScreenSink : public ReportSink {
 public:
  void new_page() override { clear_screen(); }
  void text(const std::string& text, std::uint16_t attr) override {
    write_text(screen_piece(text).c_str(), attr);
  }
  void aside(const char* text, std::uint16_t attr) override { write_text(text, attr); }
};

}  // namespace bellform
