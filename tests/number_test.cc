#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "design/number.h"

namespace bellform {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

struct Reading {
  const char* text;
  double value;
};

TEST(NumberTest, ReadsTheDecimalPrefix) {
  const Reading cases[] = {
      {"12abc", 12},      {"  -3.5e2x", -350}, {"1.2.3", 1.2},
      {".5", 0.5},        {"5.", 5},           {"-.5", -0.5},
      {"+7", 7},          {"1E-2", 0.01},      {"2e+3", 2000},
      {"3e", 3},          {"3e+", 3},          {"3e-x", 3},
      {"4.5e2.5", 450},   {"1e5e3", 1e5},      {"\t\n\v\f\r 7", 7},
      {"e5", 0},          {".", 0},            {"-", 0},
      {"+-5", 0},         {" + 5", 0},         {"", 0},
      {"   ", 0},         {"0x10", 0},         {"INF", 0},
      {"inf", 0},         {"+inf", 0},         {"nan", 0},
      {"+IN", 0},         {"1e-999", 0},       {"1e-310", 1e-310},
      {"0e99999", 0},     {"0.1", 0.1},        {"1,5", 1},
  };
  for (const Reading& c : cases) {
    EXPECT_EQ(c.value, to_number(c.text)) << '"' << c.text << '"';
  }
}

// In millimetres a comma is a decimal point as well as a full stop; in
// inches reading stops at it.
TEST(NumberTest, ReadsADecimalCommaInMillimetresOnly) {
  const struct {
    const char* text;
    double inches, millimetres;
  } cases[] = {
      {"304,8", 304, 304.8}, {"50,8mm", 50, 50.8}, {"304.8", 304.8, 304.8},
      {",5", 0, 0.5},        {"1,5,3", 1, 1.5},    {"1.5,3", 1.5, 1.5},
      {"-2,5e1", -2, -25},   {"1,", 1, 1},         {"1 000,5", 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.inches, to_number(c.text)) << '"' << c.text << '"';
    EXPECT_EQ(c.millimetres, to_number(c.text, true)) << '"' << c.text << '"';
  }
}

// A value on the command line must be a number in full, and finite.
TEST(NumberTest, ReadsWholeNumbersOnly) {
  const struct {
    const char* text;
    bool comma;
    bool taken;
    double value;
  } cases[] = {
      {"12", false, true, 12},     {"-0.5", false, true, -0.5}, {"1e2", false, true, 100},
      {"304,8", true, true, 304.8}, {"304,8", false, false, 0}, {"2abc", false, false, 0},
      {"", false, false, 0},       {" 2", false, false, 0},     {"2 ", false, false, 0},
      {"inf", false, false, 0},    {"+INF", false, false, 0},   {"nan", false, false, 0},
      {"1e999", false, false, 0},  {"+", false, false, 0},      {"1.", false, true, 1},
  };
  for (const auto& c : cases) {
    double value = 0;
    EXPECT_EQ(c.taken, read_whole_number(c.text, c.comma, value)) << '"' << c.text << '"';
    if (c.taken) {
      EXPECT_EQ(c.value, value) << '"' << c.text << '"';
    }
  }
}

TEST(NumberTest, InfinityAndNanOnlyAfterASign) {
  EXPECT_EQ(inf, to_number("+INF"));
  EXPECT_EQ(-inf, to_number(" -INFINITY"));
  EXPECT_TRUE(std::isnan(to_number("-NAN")));
  EXPECT_TRUE(std::isnan(to_number("+NAN")));
  EXPECT_EQ(inf, to_number("1e999"));
  EXPECT_EQ(-inf, to_number("-1e999"));
  EXPECT_EQ(inf, to_number("1e99999999999999999999999"));
  EXPECT_EQ(inf, to_number(("1" + std::string(400, '0') + "e-5").c_str()));
  EXPECT_EQ(0.0, to_number(("0." + std::string(400, '0') + "1e5").c_str()));
  EXPECT_TRUE(std::signbit(to_number("-0")));
  EXPECT_TRUE(std::signbit(to_number("-1e-999")));
}

TEST(NumberTest, LongLinesRoundCorrectly) {
  // 2^53 + 1 lies halfway between two doubles: the trailing 1 decides.
  const std::string above = "9007199254740993." + std::string(61, '0') + "1";
  ASSERT_EQ(79u, above.size());
  EXPECT_EQ(9007199254740994.0, to_number(above.c_str()));
  const std::string halfway = "9007199254740993." + std::string(62, '0');
  EXPECT_EQ(9007199254740992.0, to_number(halfway.c_str()));
  const std::string digits79 = "1" + std::string(78, '0');
  EXPECT_EQ(1e78, to_number(digits79.c_str()));
}

}  // namespace
}  // namespace bellform
