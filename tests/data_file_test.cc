// The File command and the data file "bellform.txt".
#include <cstdio>
#include <filesystem>

#include "console/console.h"
#include "design/attributes.h"
#include "dialogue.h"

namespace bellform::testing {
namespace {

using DataFile = Dialogue;

TEST_F(DataFile, WorkedExampleAtHalfInchStepsMatchesTheExampleByteForByte) {
  test_console::type(worked_example);
  test_console::type("F\r0.5\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ(example_file("bellform.txt"), file("bellform.txt"));
}

// A refused step: no file opened, an existing one kept, and a screen cycle
// again at the step the screen pass had reached, under the reason in red.
struct RefusedStep {
  const char* name;
  const char* step;
  const char* message;
};

class RefusedSteps : public Dialogue, public ::testing::WithParamInterface<RefusedStep> {};

TEST_P(RefusedSteps, OpenNothingAndKeepTheStep) {
  const RefusedStep& c = GetParam();
  { std::FILE* f = std::fopen((dir() / "bellform.txt").string().c_str(), "wb"); std::fputs("kept", f); std::fclose(f); }
  test_console::type(worked_example);
  test_console::type(std::string("F\r") + c.step + "\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ("kept", file("bellform.txt"));
  EXPECT_EQ(0, row(4).find(" 1.00 ")) << row(4);
  EXPECT_EQ(c.message, row(17));
  EXPECT_EQ(attr_red, attr_at(0, 17));
  EXPECT_EQ(0, row(18).find("<Enter>-end"));
}

constexpr const char* above_zero = "The step must be a number above 0 In.";
constexpr const char* too_small =
    "Step too small: over 499 stations. Smallest step that fits: 0.03 In.";

INSTANTIATE_TEST_SUITE_P(
    DataFile, RefusedSteps,
    ::testing::Values(RefusedStep{"Zero", "0", above_zero},
                      RefusedStep{"Negative", "-1", above_zero},
                      RefusedStep{"Text", "abc", above_zero},
                      RefusedStep{"NotANumber", "+NAN", above_zero},
                      RefusedStep{"Infinite", "+INF", above_zero},
                      RefusedStep{"TooSmall", "0.01", too_small},
                      RefusedStep{"Tiny", "1e-300", too_small}),
    [](const ::testing::TestParamInfo<RefusedStep>& info) { return info.param.name; });

// A mouth a hair's breadth taller than the throat (the next double above 2)
// puts the apex 2^58 inches behind the throat at a length of 64 inches.
// There the doubles lie 64 apart: a step under 32 inches does not move the
// walk at all, and no multiple of a hundredth tried comes near that.
TEST_F(DataFile, WhenNoStepFitsNoneIsOffered) {
  test_console::type("12\r2.0000000000000004\r2\r\r64\rF\r0.01\r");
  ASSERT_EQ(-1, run());
  const int command = row_starting("<Enter>-end");
  ASSERT_GE(command, 1);
  EXPECT_EQ("Step too small: over 499 stations.", row(command - 1));
  EXPECT_EQ(attr_red, attr_at(0, command - 1));
  EXPECT_FALSE(std::filesystem::exists(dir() / "bellform.txt"));
}

// The walk's rule: a station that lands exactly on the mouth is followed by
// the mouth once more. At 5.25 inches the piece is 7.25 inches long (the
// apex 1.05 behind the throat, 5.25 x 1.45 / 1.05 along the piece): 29
// quarter-inch steps to the mouth, then the mouth again.
TEST_F(DataFile, AStationOnTheMouthIsFollowedByTheMouthAgain) {
  test_console::type(worked_example);
  test_console::type("5.25\rF\r0.25\r");
  ASSERT_EQ(-1, run());
  const std::string text = file("bellform.txt");
  EXPECT_EQ(31u, table_rows(text).size());
  const std::string mouth = " 7.25 \t6.000 \t12.000 \t1.000 \t143.998\n";
  EXPECT_NE(std::string::npos, text.find(mouth + mouth + "Throat to 2 In diameter")) << text;
}

TEST_F(DataFile, TheSmallestStepOfferedFits) {
  test_console::type(worked_example);
  test_console::type("F\r0.01\rF\r0.03\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ("Data file is: bellform.txt", row(1));
  const std::string text = file("bellform.txt");
  EXPECT_NE(std::string::npos, text.find("\n 11.25 \t"));
  EXPECT_NE(std::string::npos, text.find("\n 11.27 \t6.000"));
}

// Width and height apart: the mouth line gives the height first.
TEST_F(DataFile, ANonSquareMouthIsHeightByWidth) {
  test_console::type("20\r10\r2\r\r");
  test_console::type("F\r1\r");
  ASSERT_EQ(-1, run());
  const std::string text = file("bellform.txt");
  EXPECT_NE(std::string::npos, text.find("\nMouth dimensions = 10 x 20 \t\n")) << text;
  test_console::reset();
  test_console::type("20\r10\r2\r\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ("Mouth dimensions = 10 x 20      " + banner_text, row(1));
}

// 7 x 31 with a throat of 1: 0.05 inch walks exactly 499 stations, the most
// the point list holds. The step that the refusal offers is taken, and both
// the data file and a macro afterwards end at the mouth.
TEST_F(DataFile, TheStepOfferedForTheLongestWalkReachesTheMouth) {
  test_console::type("7\r31\r1\r\rF\r0.01\r");
  ASSERT_EQ(-1, run());
  const int refusal = row_starting("Step too small");
  ASSERT_GE(refusal, 0);
  EXPECT_EQ("Step too small: over 499 stations. Smallest step that fits: 0.05 In.", row(refusal));
  test_console::reset();
  test_console::type("7\r31\r1\r\rF\r0.05\rM\rA");
  ASSERT_EQ(-1, run());
  const std::string text = file("bellform.txt");
  double piece = 0;
  ASSERT_EQ(1, std::sscanf(text.c_str(), "Top and bottom piece length=%lf", &piece));
  char mouth_row[64];
  std::snprintf(mouth_row, sizeof mouth_row, "\n %.2f \t3.500 \t31.000 \t", piece);
  EXPECT_NE(std::string::npos, text.find(mouth_row)) << text.substr(text.size() - 300);
  EXPECT_EQ(499u, table_rows(text).size());

  const std::string script = file("horn.scr");
  const std::size_t last = script.rfind("LINE ");
  ASSERT_NE(std::string::npos, last);
  double x0, y0, x1, y1;
  ASSERT_EQ(4, std::sscanf(script.c_str() + last, "LINE %lf,%lf %lf,%lf", &x0, &y0, &x1, &y1));
  EXPECT_NEAR(piece, x1, 0.005);
  EXPECT_NEAR(3.5, y1, 0.0001);
}

}  // namespace
}  // namespace bellform::testing
