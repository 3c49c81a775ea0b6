// The Macro command: the piece outline as an AutoCAD script, a General
// CADD macro, a DXF drawing or an SVG template.
#include <filesystem>

#include "console/console.h"
#include "console/keys.h"
#include "design/attributes.h"
#include "dialogue.h"
#include "dialogue/macro_command.h"

namespace bellform::testing {
namespace {

using Macro = Dialogue;

int count_lines(const std::string& text) {
  int lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

// The worked example's SVG and pages as the README shows them.
std::string docs_file(const char* name) {
  return read_file(std::filesystem::path(BELLFORM_DOCS_DIR) / name);
}

TEST_F(Macro, WorkedExampleInEveryDialectMatchesTheExamples) {
  test_console::type(worked_example);
  test_console::type("M\rd");
  test_console::type("m\rS");
  test_console::type("m\ra");
  test_console::type("m\rG");
  ASSERT_EQ(-1, run());
  EXPECT_EQ(example_file("horn.scr"), file("horn.scr"));
  EXPECT_EQ(example_file("horn.mcr"), file("horn.mcr"));
  EXPECT_EQ(example_file("horn.dxf"), file("horn.dxf"));
  EXPECT_EQ(docs_file("horn.svg"), file("horn.svg"));
  EXPECT_EQ(docs_file("horn-pages.pdf"), file("horn-pages.pdf"));
  // 114 stations: the throat edge, 113 segments and the last line.
  EXPECT_EQ(115, count_lines(file("horn.scr")));
}

// Some 133,000 pages across: nobody would tape them together, so only
// the template is written (the pages of other horns: pages_test.cc; a file
// that cannot be written: write_failure_test.cc).
TEST_F(Macro, TheTemplateComesWithPagesToPrint) {
  test_console::type("12\r12\r2\r\r1e6\rM\rS");
  ASSERT_EQ(-1, run());
  EXPECT_EQ("Drawing file is: horn.svg", row(1));
  EXPECT_EQ(attr_yellow, attr_at(0, 1));
  EXPECT_EQ("Could not write the drawing file horn-pages.pdf: over 1000 pages.", row(2));
  EXPECT_EQ(attr_red, attr_at(0, 2));
  EXPECT_EQ("Piece too long for stations 0.1 In. apart: step 2010 In. used.", row(3));
  EXPECT_TRUE(std::filesystem::exists("horn.svg"));
  EXPECT_FALSE(std::filesystem::exists("horn-pages.pdf"));
}

TEST_F(Macro, OnlyTheAnswersOnTheScreenAnswerTheQuestion) {
  test_console::type(worked_example);
  test_console::type("M\r");
  test_console::type("\r");
  test_console::type("\x1b");
  test_console::press(vk_left);
  test_console::press(vk_f1, true);  // Shift+F1
  test_console::type("x");
  test_console::type("Z");
  test_console::type("\xff");
  test_console::click();
  ASSERT_EQ(-1, run());
  EXPECT_FALSE(std::filesystem::exists(dir() / "horn.scr"));
  EXPECT_FALSE(std::filesystem::exists(dir() / "horn.mcr"));
  EXPECT_EQ(banner_text + "  ** Quorvel **", row(0));
  EXPECT_EQ("Also: (D)-DXF (S)-SVG and pages (P)-STL adapter (I)-impedance (R)-response",
            row(1));
  // A new answer must not push the line past the screen's last column.
  EXPECT_LE(also_line().size(), 79u) << also_line();
  EXPECT_EQ("Macro for: (A)-AutoCAD script (G)-General CADD ?", row(2));
  EXPECT_EQ("", row(3));
  EXPECT_EQ(49, test_console::screen().cursor_x());
}

// P asks for the driver file of the bolt holes (none here), then says how
// many sections the adapter was cut into at the print height, and how tall.
TEST_F(Macro, TheAdapterIsCutToThePrintHeight) {
  test_console::type("40\r30\r3\r2\rM\rP\r");
  ASSERT_EQ(-1, run(inch_units, 300));  // 2 sections at the 180 mm of the default
  EXPECT_EQ("Adapter to print is: horn-adapter.stl, 1 section(s) up to 260.6 mm tall", row(1));
  EXPECT_EQ(attr_yellow, attr_at(0, 1));
  test_console::reset();
  test_console::type("12\r12\r2\r\rM\rP");
  ASSERT_EQ(-1, run());
  const int asked = row_reading("Driver file for the bolt holes (<Cr> = none) >");
  ASSERT_GE(asked, 1);
  EXPECT_EQ(attr_normal, attr_at(0, asked));
}

TEST_F(Macro, AVeryShortHornHasTwoStations) {
  // A mouth a tenth taller than the throat, 0.05 inch long: the piece is
  // shorter than one station step.
  test_console::type("12\r2.1\r2\r\r0.05\rM\rA");
  ASSERT_EQ(-1, run());
  const std::string script = file("horn.scr");
  EXPECT_EQ(3, count_lines(script)) << script;
  EXPECT_EQ(0u, script.find("LINE 0,0 0,"));
  EXPECT_NE(std::string::npos, script.find(" \nLINE 0,"));
  EXPECT_EQ(script.size() - 7, script.find("ZOOM E\n"));
}

TEST_F(Macro, ALongPieceWidensTheStepAndSaysSo) {
  // A bass horn whose pieces run to about 71 inches: 0.1 inch would need
  // some 713 stations.
  test_console::type("60\r40\r3\r\rM\rA");
  ASSERT_EQ(-1, run());
  EXPECT_EQ("Macro file is: horn.scr", row(1));
  EXPECT_EQ("Piece too long for stations 0.1 In. apart: step 0.2 In. used.", row(2));
  EXPECT_EQ(attr_yellow, attr_at(0, 2));
  const std::string script = file("horn.scr");
  EXPECT_LE(count_lines(script), 501);
  EXPECT_NE(std::string::npos, script.find("LINE 0,0 0,"));
  EXPECT_NE(std::string::npos, script.find(" 0.2,"));
}

// 1.7e308 mm is a length the geometry lays out in inches, but its piece,
// some 1.9e308 mm long, lies beyond the largest double: no drawing.
TEST_F(Macro, APieceBeyondTheDoublesIsNotDrawn) {
  test_console::type("304.8\r304.8\r50.8\r\r1.7e308\rM\rD");
  test_console::type("m\rS");
  ASSERT_EQ(-1, run(metric_units));
  EXPECT_FALSE(std::filesystem::exists(dir() / "horn.dxf"));
  EXPECT_FALSE(std::filesystem::exists(dir() / "horn.svg"));
  EXPECT_EQ("Nothing to draw: the piece is too large to lay out.", row(1));
  EXPECT_EQ(attr_red, attr_at(0, 1));
  EXPECT_EQ(0, row(2).find("<Enter>-end"));
}

TEST_F(Macro, APieceOfFewerThanTwoStationsIsNotDrawn) {
  // A negative length puts the mouth behind the throat: the point list
  // holds the throat alone.
  test_console::type(worked_example);
  test_console::type("-5\rM\rd");
  test_console::type("m\rs");
  test_console::type("m\ra");
  ASSERT_EQ(-1, run());
  EXPECT_FALSE(std::filesystem::exists(dir() / "horn.dxf"));
  EXPECT_FALSE(std::filesystem::exists(dir() / "horn.svg"));
  EXPECT_EQ("Macro file is: horn.scr", row(1));  // as before: the throat edge
  EXPECT_EQ(2, count_lines(file("horn.scr")));

  test_console::reset();
  test_console::type(worked_example);
  test_console::type("-5\rM\rs");
  ASSERT_EQ(-1, run());
  EXPECT_EQ("Nothing to draw: the piece has fewer than two stations.", row(1));
  EXPECT_EQ(attr_red, attr_at(0, 1));
  EXPECT_EQ(0, row(2).find("<Enter>-end"));
}

}  // namespace
}  // namespace bellform::testing
