// The report's sinks in the dialogue: the screen, and the data file with the
// screen beside it.
#pragma once

#include <cstdint>
#include <string>

#include "console/console.h"
#include "design/report.h"

namespace bellform {

// Every piece on the screen, in its colour.
class ScreenSink : public ReportSink {
 public:
  void new_page() override { clear_screen(); }
  void text(const char* text, std::uint16_t attr) override { write_text(text, attr); }
  void aside(const char* text, std::uint16_t attr) override { write_text(text, attr); }
};

// A file pass: the report's text goes to the file, while the screen is
// cleared and shows the banner and maker line alone.
class FilePassSink : public TextSink {
 public:
  explicit FilePassSink(std::string& bytes) : TextSink(bytes) {}
  void new_page() override {
    TextSink::new_page();
    clear_screen();
  }
  void aside(const char* text, std::uint16_t attr) override { write_text(text, attr); }
};

}  // namespace bellform
