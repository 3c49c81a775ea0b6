// The pieces of the crossover files and the response chart: the phase as
// printed, F6 on made-up responses, and where a chart's labels go. The
// files themselves, against the reference and read back as tools read
// them: readers/response_readers_test.py.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "design/texts.h"
#include "geometry/passband.h"
#include "writers/chart_labels.h"
#include "writers/crossover_files.h"

namespace bellform::testing {
namespace {

TEST(Crossover, PhasesPrintWrappedAfterRounding) {
  const struct {
    double degrees;
    const char* printed;
  } cases[] = {{-180, "180.00"},      {-179.996, "180.00"}, {-179.994, "-179.99"},
               {180, "180.00"},       {-0.004, "0.00"},     {359.999, "0.00"},
               {-200, "160.00"},      {12.345678, "12.35"}};
  for (const auto& c : cases)
    EXPECT_EQ(c.printed, text_of("%.2f", printed_phase(c.degrees))) << c.degrees;
}

// A response of 90 dB but where `at` says otherwise; rows 104 to 127 are
// 403 Hz to 794 Hz, the band of Fc 200 Hz.
TEST(Crossover, F6StaysWithin6dBUpTo4Fc) {
  const struct {
    const char* what;
    double Fc;
    int from, to;  // rows of `level`
    double level;
    double F6;
  } cases[] = {
      {"level throughout: the first row", 200, 0, 0, 90, 20},
      {"down below the band", 200, 0, 103, 60, impedance_frequency(104)},
      {"6 dB down is within", 200, 0, 103, 84, 20},
      {"and a little more is not", 200, 0, 103, 83.99, impedance_frequency(104)},
      {"a dip at 4 Fc: none", 200, 127, 127, 70, 0},
      {"above 4 Fc does not count", 200, 128, 240, 0, 20},
      {"the band clipped to the table", 8000, 0, 0, 90, 20},
      {"2 Fc above the table: none", 10241, 0, 0, 90, 0},
      {"no cutoff: none", NAN, 0, 0, 90, 0},
  };
  for (const auto& c : cases) {
    ResponseTable table;
    for (int i = 0; i < impedance_rows; ++i)
      table.rows[i] = {impedance_frequency(i), i >= c.from && i <= c.to ? c.level : 90};
    EXPECT_EQ(c.F6, passband_start(table, c.Fc)) << c.what;
  }
  ResponseTable table;
  EXPECT_EQ("No passband within the table (Fc 283 Hz).", passband_sentence(table, 283));
}

// Labels 50 px wide (54 with their air) in a panel from (70, 70) to
// (770, 280): beside a mark at `marks`, the last placed, or along a level.
TEST(Crossover, LabelsGoWhereNoCurvePasses) {
  std::vector<std::vector<ChartPoint>> lines;
  for (double y = 72; y < 280; y += 8) lines.push_back({{70, y}, {770, y}});
  const struct {
    const char* what;
    std::vector<std::vector<ChartPoint>> paths;
    std::vector<double> marks;
    double level;  // NAN: none
    double left, top;
  } cases[] = {
      {"free: right of the line, on top", {}, {300}, NAN, 303, 74},
      {"a curve there: left of it", {{{300, 80}, {400, 80}}}, {300}, NAN, 243, 74},
      {"a curve across: a row down", {{{70, 80}, {770, 80}}}, {300}, NAN, 303, 91},
      {"no room on the right", {}, {740}, NAN, 683, 74},
      {"labels keep apart", {}, {300, 320}, NAN, 323, 91},
      {"crossed everywhere: the first place", lines, {300}, NAN, 303, 74},
      {"a level: above its right end", {}, {}, 150, 712, 131},
      {"a curve there: leftwards", {{{740, 70}, {740, 280}}}, {}, 150, 672, 131},
      {"no room above: below", {}, {}, 75, 712, 78},
  };
  for (const auto& c : cases) {
    LabelScene scene{{70, 70, 770, 280}, c.paths, {}};
    LabelBox box{};
    for (double x : c.marks) box = mark_label(scene, x, 50);
    if (!std::isnan(c.level)) box = level_label(scene, c.level, 50);
    EXPECT_EQ(c.left, box.left) << c.what;
    EXPECT_EQ(c.top, box.top) << c.what;
    EXPECT_EQ(54, box.right - box.left) << c.what;
  }
}

}  // namespace
}  // namespace bellform::testing
