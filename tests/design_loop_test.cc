// The dialogue: start-up, the four questions and the command table.
#include "console/console.h"
#include "design/attributes.h"
#include "dialogue.h"

namespace bellform::testing {
namespace {

using DesignLoop = Dialogue;

TEST_F(DesignLoop, StartsWithTheBannerAndTheFourQuestions) {
  test_console::type("12\r12\r2\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ(banner_text, test_console::title());
  EXPECT_EQ(banner_text, row(0));
  EXPECT_EQ(attr_red, attr_at(0, 0));
  EXPECT_EQ("Input mouth width  (In.) > 12", row(1));
  EXPECT_EQ("Input mouth height (In.) > 12", row(2));
  EXPECT_EQ("Input throat dimension (Square, all sides - In.) > 2", row(3));
  EXPECT_EQ("Input driver throat diameter (Round - In. <Cr> = 2 In.) >", row(4));
  EXPECT_EQ(attr_normal, attr_at(0, 1));
  // The rest of the screen was cleared to blanks in attribute 7, and every
  // coloured write gave the attribute back.
  for (int y = 5; y < 25; ++y) {
    EXPECT_EQ("", row(y));
    EXPECT_EQ(attr_normal, attr_at(0, y));
    EXPECT_EQ(attr_normal, attr_at(79, y));
  }
  EXPECT_EQ(attr_normal, test_console::screen().attribute());
}

TEST_F(DesignLoop, EnterAloneEndsTheProgramWithStatusZero) {
  const char* endings[] = {"\r", "0\r", "x\r", " S\r", " F\r", "-0\r", "abc\r"};
  for (const char* ending : endings) {
    SCOPED_TRACE(ending);
    test_console::reset();
    test_console::type(worked_example);
    test_console::type(ending);
    EXPECT_EQ(0, run());
    EXPECT_EQ(0u, test_console::bursts_left());
  }
}

TEST_F(DesignLoop, ADriverDiameterIsShownInTheTrailer) {
  test_console::type("12\r12\r2\r1.5\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ(0, row(16).find("Throat to 1.5 In diameter driver adapter thickness=")) << row(16);
}

// Each refusal and its message: BadInput.UndefinedDesignsAreRefusedInRedAndAskedAgain.
TEST_F(DesignLoop, AfterARefusalTheNextAnswersAreTaken) {
  test_console::type("12\r2\r2\r\r");  // mouth height equal to the throat
  test_console::type(worked_example);
  ASSERT_EQ(-1, run());
  EXPECT_EQ("Top and bottom piece length=11.27 In. ** Angle=52.7 Deg.", row(0));
}

TEST_F(DesignLoop, NearMissesStillRun) {
  // A mouth lower than the throat, and a negative length, print what comes out.
  test_console::type("12\r1\r2\r\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ(0, row(0).find("Top and bottom piece length=")) << row(0);
  test_console::reset();
  test_console::type(worked_example);
  test_console::type("-5\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ(0, row(0).find("Top and bottom piece length=-")) << row(0);
  EXPECT_EQ(" 0.00   35.999  2.000   0.028   143.998", row(3));  // the throat still 2 high
}

TEST_F(DesignLoop, TheCommandTable) {
  // Square goes back to the natural length and the quarter-inch step.
  test_console::type(worked_example);
  test_console::type("3\rs whatever\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ(0, row(17).find("<Enter>-end")) << row(17);
  EXPECT_NE(std::string::npos, row(17).find("length=10.10 In."));
  EXPECT_EQ(0, row(4).find(" 1.00 ")) << row(4);

  // A length with leading blanks is a length.
  test_console::reset();
  test_console::type(worked_example);
  test_console::type("  3\r");
  ASSERT_EQ(-1, run());
  const int command = row_starting("<Enter>-end");
  ASSERT_GE(command, 0);
  EXPECT_NE(std::string::npos, row(command).find("length=3.00 In."));
  // A new length keeps the step the last screen pass reached.
  EXPECT_EQ(0, row(4).find(" 1.00 ")) << row(4);
}

TEST_F(DesignLoop, UnusableLengthsKeepTheLastGoodOne) {
  const char* lengths[] = {"+INF\r", "-INF\r", "+NAN\r", "1e999\r"};
  for (const char* length : lengths) {
    SCOPED_TRACE(length);
    test_console::reset();
    test_console::type(worked_example);
    test_console::type(length);
    ASSERT_EQ(-1, run());
    EXPECT_EQ("Top and bottom piece length=11.27 In. ** Angle=52.7 Deg.", row(0));
    EXPECT_EQ("The length must be a finite number.", row(17));
    EXPECT_EQ(attr_red, attr_at(0, 17));
    EXPECT_NE(std::string::npos, row(18).find("length=10.10 In."));
  }
}

// What one command leaves for the next cycle, and what it must not.
struct Carried {
  const char* name;
  const char* commands;   // after the worked example
  const char* row_start;  // the text row(at) must start with
  int at;                 // a row, or -1 for the row above the command line
};

class WhatCarries : public Dialogue, public ::testing::WithParamInterface<Carried> {};

TEST_P(WhatCarries, FromOneCycleToTheNext) {
  const Carried& c = GetParam();
  test_console::type(worked_example);
  test_console::type(c.commands);
  ASSERT_EQ(-1, run());
  const int command = row_starting("<Enter>-end");
  ASSERT_GE(command, 1);
  const int at = c.at >= 0 ? c.at : command - 1;
  EXPECT_EQ(0u, row(at).rfind(c.row_start, 0)) << row(at);
  EXPECT_EQ(attr_normal, attr_at(0, at));
}

const Carried carried[] = {
    // A refused length leaves its red line for one cycle only.
    {"ARefusalOnlyOnce", "+INF\r5\r", "Throat to 2 In diameter", -1},
    // Square after a file or macro pass starts again from a quarter inch.
    {"SquareAfterAFile", "F\r0.3\rS\r", " 1.00 ", 4},
    {"SquareAfterAMacro", "M\rAS\r", " 1.00 ", 4},
    // Without Square a new length starts from the step of the last pass.
    {"TheFileStepKept", "f\r0.3\r10\r", " 1.20 ", 4},
    {"TheMacroStepKept", "M\rA10\r", " 0.80 ", 4},  // 0.1 doubled for 11.2 inches
};

INSTANTIATE_TEST_SUITE_P(
    DesignLoop, WhatCarries, ::testing::ValuesIn(carried),
    [](const ::testing::TestParamInfo<Carried>& info) { return info.param.name; });

}  // namespace
}  // namespace bellform::testing
