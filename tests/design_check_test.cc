#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "design/design_check.h"

namespace bellform {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

std::string fault(double W, double H, double T, double D) { return design_fault(W, H, T, D); }

struct Refusal {
  double W, H, T, D;
  const char* reason;
};

TEST(DesignCheckTest, RefusesUndefinedDesignsNamingTheCause) {
  const std::string extreme =
      "These dimensions are too large or too small to lay out.";
  const std::string area = "The mouth area must be larger than the throat area.";
  const Refusal cases[] = {
      {12, 2, 2, 2, "The mouth height must differ from the throat side."},
      {12, 12, 0, 2, "The throat side must not be zero."},
      {12, 0, 0, 0, "The throat side must not be zero."},
      {1, 4, 2, 2, area.c_str()},   // areas equal
      {0, 12, 2, 2, area.c_str()},  // no mouth width
      {-12, 12, 2, 2, area.c_str()},
      {0.5, 4.5000000000000009, 1.5, 1.5, area.c_str()},  // radii round alike
      {12, 12, 2, -1, "The driver diameter must not be negative."},
      {12, 12, 2, 14, "The driver diameter exceeds a circle of the mouth's area."},
      {12, 12, 2, 0, "The driver diameter must be above zero."},
      {inf, 12, 2, 2, "The mouth width must be a finite number."},
      {12, -inf, 2, 2, "The mouth height must be a finite number."},
      {12, 12, nan, 2, "The throat side must be a finite number."},
      {12, 12, 2, nan, "The driver diameter must be a finite number."},
      {1e300, 1e300, 2, 2, extreme.c_str()},
      {12, 12, 1e300, 2, extreme.c_str()},
      {12, 12, 1e-170, 1e-170, extreme.c_str()},  // throat area underflows
      {12, 12, 2, 1e-320, extreme.c_str()},       // adapter is infinite
  };
  for (const Refusal& c : cases) {
    const std::string text = fault(c.W, c.H, c.T, c.D);
    EXPECT_EQ(c.reason, text) << c.W << " " << c.H << " " << c.T << " " << c.D;
    EXPECT_LT(text.size(), 70u);
    EXPECT_EQ(std::string::npos, text.find('\n'));
  }
}

TEST(DesignCheckTest, AcceptsDesignsThatRun) {
  const double cases[][4] = {
      {12, 12, 2, 2},      // the worked horn
      {12, 1, 2, 2},       // mouth height below the throat side
      {-12, -12, 2, 2},    // both negative: the area is positive
      {12, 12, 2, 13.5},   // driver just inside the mouth's circle
      {1e300, 12, 2, 2},   // huge but every derived value finite
  };
  for (const auto& c : cases) {
    EXPECT_EQ("", design_fault(c[0], c[1], c[2], c[3]))
        << c[0] << " " << c[1] << " " << c[2] << " " << c[3];
  }
}

TEST(DesignCheckTest, TypedLengths) {
  EXPECT_EQ("", length_fault(12, 12, 2, 2, 10.1));
  EXPECT_EQ("", length_fault(12, 12, 2, 2, -5));  // runs, prints what comes
  EXPECT_EQ("", length_fault(12, 1, 2, 2, 10));
  EXPECT_EQ("", length_fault(12, 12, 2, 2, 1e-320));
  // No length at all (a tiny one typed in mm comes out so) is refused.
  for (double L : {0.0, -0.0, inf, -inf, nan, 1.7e308, -1.7e308}) {
    EXPECT_NE("", length_fault(12, 12, 2, 2, L)) << L;
  }
  EXPECT_EQ("The length must be a finite number.",
               length_fault(12, 12, 2, 2, nan));
}

}  // namespace
}  // namespace bellform
