// What the dialogue says when an answer's files are written: under the
// banner, a yellow line for each file, then the notes, then the command
// line. One row an answer (a file that cannot be written:
// write_failure_test.cc; a horn refused: bad_input_test.cc).
#include <filesystem>
#include <string>
#include <vector>

#include "design/attributes.h"
#include "dialogue.h"

namespace bellform::testing {
namespace {

struct Notices {
  const char* keys;  // typed after the worked example
  std::vector<std::string> lines;
};

void PrintTo(const Notices& n, std::ostream* os) { *os << n.lines.front(); }

class Written : public Dialogue, public ::testing::WithParamInterface<Notices> {};

TEST_P(Written, SaysEachFileInYellow) {
  std::filesystem::copy_file(std::string(BELLFORM_DOCS_DIR) + "/example-driver.txt", "driver.txt");
  test_console::type(worked_example);
  test_console::type(GetParam().keys);
  ASSERT_EQ(-1, run());
  EXPECT_EQ(banner_text + "  ** Quorvel **", row(0));
  EXPECT_EQ(attr_red, attr_at(0, 0));
  int y = 1;
  for (const std::string& line : GetParam().lines) {
    EXPECT_EQ(line, row(y));
    EXPECT_EQ(attr_yellow, attr_at(0, y));
    EXPECT_EQ(attr_yellow, attr_at(static_cast<int>(line.size()) - 1, y));
    EXPECT_EQ(attr_normal, attr_at(static_cast<int>(line.size()), y));
    ++y;
  }
  EXPECT_EQ(0, row(y).find("<Enter>-end")) << row(y);
  EXPECT_EQ(attr_green, attr_at(0, y));
}

INSTANTIATE_TEST_SUITE_P(
    EveryAnswer, Written,
    ::testing::Values(
        Notices{"F\r0.5\r", {"Data file is: bellform.txt"}},
        Notices{"M\rA", {"Macro file is: horn.scr"}},
        Notices{"M\rg", {"Macro file is: horn.mcr"}},
        Notices{"M\rD", {"Drawing file is: horn.dxf"}},
        Notices{"M\rS", {"Drawing file is: horn.svg", "Pages to print are: horn-pages.pdf"}},
        // The bolt holes of the example driver; the sections as cut.
        Notices{"M\rPdriver.txt\r",
                {"Adapter to print is: horn-adapter.stl, 1 section(s) up to 20.5 mm tall"}},
        Notices{"M\rI",
                {"Impedance table is: horn-impedance.csv", "Impedance chart is: horn-impedance.svg"}},
        // Two files of one notice on one line; where the horn starts to work.
        Notices{"M\rRdriver.txt\r",
                {"Response table is: horn-response.csv", "Response chart is: horn-response.svg",
                 "For crossover tools: horn-response.frd, horn-response.zma",
                 "Driver: Fs 625 Hz, Qts 0.52, Vas 0.052 l, Sd/St 2.2",
                 "Within 6 dB from 427 Hz (Fc 283 Hz)."}},
        // A piece too long for the outline's step: the note under the files.
        Notices{"1e6\rM\rA",
                {"Macro file is: horn.scr",
                 "Piece too long for stations 0.1 In. apart: step 2010 In. used."}}));

}  // namespace
}  // namespace bellform::testing
