#include "console/console.h"

#include <gtest/gtest.h>

#include <string>

#include "design/attributes.h"
#include "test_platform/test_console.h"

namespace bellform {
namespace {

namespace tc = test_console;

class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    tc::reset();
    open_console("Bellform title");
  }
  static const ScreenModel& screen() { return tc::screen(); }
};

TEST_F(Console, OpenSetsHandlesAndTitle) {
  EXPECT_NE(console_in, null_handle);
  EXPECT_NE(console_out, null_handle);
  EXPECT_NE(console_in, console_out);
  EXPECT_EQ(tc::title(), "Bellform title");
}

TEST_F(Console, WindowMustFitTheBuffer) {
  EXPECT_FALSE(set_console_window(0, 0, 80, 25));  // what the program asks for
  EXPECT_FALSE(set_console_window(0, 0, 80, 24));
  EXPECT_FALSE(set_console_window(0, 0, 79, 25));
  EXPECT_FALSE(set_console_window(-1, 0, 79, 24));
  EXPECT_FALSE(set_console_window(10, 0, 9, 24));
  EXPECT_TRUE(set_console_window(0, 0, 79, 24));
  EXPECT_TRUE(set_console_window(5, 5, 5, 5));
}

TEST_F(Console, ClearBlanksEveryCellInAttributeSeven) {
  write_text("red\n\tx", attr_red);
  set_cursor(79, 24);
  write_text("y", attr_yellow);  // scrolls
  clear_screen();
  for (int y = 0; y < screen().height(); ++y) {
    for (int x = 0; x < screen().width(); ++x) {
      ASSERT_EQ(screen().at(x, y).ch, ' ');
      ASSERT_EQ(screen().at(x, y).attr, 7);
    }
  }
  int column = -1, row = -1;
  get_cursor(&column, &row);
  EXPECT_EQ(column, 0);
  EXPECT_EQ(row, 0);
}

TEST_F(Console, WriteTextLeavesAttributeSeven) {
  const std::uint16_t attrs[] = {attr_red, attr_green, attr_cyan, attr_yellow};
  for (std::uint16_t a : attrs) {
    write_text("", a);
    EXPECT_EQ(screen().attribute(), 7);
  }
  set_cursor(2, 3);
  write_text("ab", attr_cyan);
  write_char('c', attr_yellow);
  write_char('d', attr_normal);
  EXPECT_EQ(screen().row_text(3), "  abcd");
  EXPECT_EQ(screen().at(2, 3).attr, attr_cyan);
  EXPECT_EQ(screen().at(3, 3).attr, attr_cyan);
  EXPECT_EQ(screen().at(4, 3).attr, attr_yellow);
  EXPECT_EQ(screen().at(5, 3).attr, 7);
  int column = 0, row = 0;
  get_cursor(&column, &row);
  EXPECT_EQ(column, 6);
  EXPECT_EQ(row, 3);
}

}  // namespace
}  // namespace bellform
