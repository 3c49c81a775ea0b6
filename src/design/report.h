// The layout pass and its report: page header, table of stations, trailer.
// The same lines make the screen's report and the data file's; a sink says
// where they go.
#pragma once

#include <cstdint>
#include <string>

#include "design/record.h"
#include "design/texts.h"

namespace bellform {

// Where the lines of a report go. The screen shows every piece in its
// colour, with the banner and maker line beside the header; a file holds
// the report's own text, the colours dropped.
class ReportSink {
 public:
  virtual ~ReportSink() = default;
  // Each pass starts a new page: the screen is cleared.
  virtual void new_page() = 0;
  // The report's own text, in its colour on the screen.
  virtual void text(const std::string& text, std::uint16_t attr) = 0;
  // What only the screen shows: the banner and the maker line.
  virtual void aside(const char* text, std::uint16_t attr) = 0;
};

// The report's text alone, as a file holds it. A new page starts the text
// again, as it clears the screen: a pass redone with a wider step leaves
// only its last attempt.
class TextSink : public ReportSink {
 public:
  explicit TextSink(std::string& bytes) : bytes_(bytes), start_(bytes.size()) {}
  void new_page() override { bytes_.resize(start_); }
  void text(const std::string& text, std::uint16_t) override { bytes_ += text; }
  void aside(const char*, std::uint16_t) override {}

 private:
  std::string& bytes_;
  std::size_t start_;
};

// A pass run for its stations and numbers alone: the report goes nowhere.
class NullSink : public ReportSink {
 public:
  void new_page() override {}
  void text(const std::string&, std::uint16_t) override {}
  void aside(const char*, std::uint16_t) override {}
};

// Computes the frame for rec.L, walks the stations from rec.step, prints the
// header and rows through the sink and fills the point list. A screen pass
// that needs more than 18 rows is redone with twice the step. An outline pass
// prints no rows and widens its step when the point list would overflow,
// and says so in rec.step_widened.
void layout_pass(DesignRecord& rec, PassKind kind, ReportSink& sink);

// The note under an outline file's notice when its pass widened the step.
std::string widened_step_note(const DesignRecord& rec);

// The driver adapter and cutoff-frequency line.
void report_trailer(const DesignRecord& rec, ReportSink& sink);

// The cutoff frequency the first report of rec's horn at rec.L shows: a
// screen pass from the unit's first step, on a copy, its text thrown away.
// It depends on the horn alone, not on the steps of the passes before.
// Not a number when the pass has a single station.
double first_screen_cutoff(const DesignRecord& rec);

}  // namespace bellform
