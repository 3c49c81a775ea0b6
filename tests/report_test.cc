// The report on the screen: header, rows, trailer and the command line.
#include "console/console.h"
#include "design/attributes.h"
#include "dialogue.h"

namespace bellform::testing {
namespace {

using Report = Dialogue;

TEST_F(Report, WorkedExampleOnTheScreen) {
  test_console::type(worked_example);
  ASSERT_EQ(-1, run());

  EXPECT_EQ("Top and bottom piece length=11.27 In. ** Angle=52.7 Deg.", row(0));
  EXPECT_EQ("Mouth dimensions = 12 x 12      " + banner_text, row(1));
  EXPECT_EQ(" dim X   W/2    Height   H/W    Area      ** Quorvel **", row(2));
  EXPECT_EQ(" 0.00   1.000   2.000   1.000   4.000", row(3));
  for (int i = 1; i <= 11; ++i)
    EXPECT_EQ(0, row(3 + i).find(" " + std::to_string(i) + ".00 ")) << row(3 + i);
  EXPECT_EQ(" 11.27  6.000   12.000  1.000   143.998", row(15));
  EXPECT_EQ("Throat to 2 In diameter driver adapter thickness=0.81 In. (Fc=283 Hz)", row(16));
  EXPECT_EQ("<Enter>-end  <S> Square  <F> File  <M> Macro * Throat to mouth length=10.10 In.",
            row(17));
  EXPECT_EQ(" Input new length (mouth to 2.00 x 2.00 square throat In) >", row(18));
  EXPECT_EQ("", row(19));
  // The answer is typed right after the question.
  EXPECT_EQ(60, test_console::screen().cursor_x());
  EXPECT_EQ(18, test_console::screen().cursor_y());

  EXPECT_EQ(attr_normal, attr_at(0, 0));
  EXPECT_EQ(attr_normal, attr_at(0, 1));
  EXPECT_EQ(attr_red, attr_at(32, 1));
  EXPECT_EQ(attr_green, attr_at(1, 2));
  EXPECT_EQ(attr_red, attr_at(42, 2));
  EXPECT_EQ(attr_normal, attr_at(1, 3));
  EXPECT_EQ(attr_normal, attr_at(0, 16));
  EXPECT_EQ(attr_cyan, attr_at(static_cast<int>(row(16).find("(Fc=")), 16));
  EXPECT_EQ(attr_green, attr_at(0, 17));
  EXPECT_EQ(attr_green, attr_at(46, 17));
  EXPECT_EQ(attr_normal, attr_at(47, 17));
  EXPECT_EQ(attr_normal, attr_at(1, 18));
  EXPECT_EQ(attr_normal, test_console::screen().attribute());
}

// 13 x 4 with a throat of 2 walks 18 stations at a quarter inch; 14 x 4 walks 19.
TEST_F(Report, EighteenStationsFitAtTheStartingStep) {
  test_console::type("13\r4\r2\r\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ(" 0.25", row(4).substr(0, 5));
  EXPECT_EQ(0, row(20).find(" 4.17 ")) << row(20);
  EXPECT_EQ(0, row(21).find("Throat to 2 In diameter")) << row(21);
}

TEST_F(Report, NineteenStationsDoubleTheStep) {
  test_console::type("14\r4\r2\r\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ(" 0.50", row(4).substr(0, 5));
  EXPECT_EQ(0, row(12).find(" 4.47 ")) << row(12);
  EXPECT_EQ(0, row(13).find("Throat to 2 In diameter")) << row(13);
}

TEST_F(Report, CommandLineAtALengthOf100FillsTheRow) {
  test_console::type(worked_example);
  test_console::type("100\r");
  ASSERT_EQ(-1, run());
  const int command = row_starting("<Enter>-end");
  ASSERT_GE(command, 0);
  EXPECT_EQ(80u, row(command).size());
  EXPECT_EQ("<Enter>-end  <S> Square  <F> File  <M> Macro * Throat to mouth length=100.00 In.",
            row(command));
  EXPECT_EQ("", row(command + 1));
  EXPECT_EQ(0, row(command + 2).find(" Input new length"));
}

}  // namespace
}  // namespace bellform::testing
