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
