#include "console/screen_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace bellform {
namespace {

void put(ScreenModel& s, const std::string& text) {
  s.write(text.data(), text.size());
}

TEST(ScreenModel, StartsBlankInAttributeSevenWithCursorHome) {
  ScreenModel s;
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      ASSERT_EQ(s.at(x, y).ch, ' ');
      ASSERT_EQ(s.at(x, y).attr, 7);
    }
  }
  EXPECT_EQ(s.cursor_x(), 0);
  EXPECT_EQ(s.cursor_y(), 0);
  EXPECT_EQ(s.attribute(), 7);
}

TEST(ScreenModel, WritesInTheCurrentAttribute) {
  ScreenModel s;
  s.set_attribute(4);
  put(s, "ab");
  s.set_attribute(7);
  put(s, "c");
  EXPECT_EQ(s.row_text(0), "abc");
  EXPECT_EQ(s.at(0, 0).attr, 4);
  EXPECT_EQ(s.at(1, 0).attr, 4);
  EXPECT_EQ(s.at(2, 0).attr, 7);
  EXPECT_EQ(s.cursor_x(), 3);
}

TEST(ScreenModel, ControlCharacters) {
  ScreenModel s;
  put(s, "abc\rX\nde\b\bY\b\b\bZ");
  EXPECT_EQ(s.row_text(0), "Xbc");
  EXPECT_EQ(s.row_text(1), "Ze");  // backspace stops at column 0
  EXPECT_EQ(s.cursor_x(), 1);
  EXPECT_EQ(s.cursor_y(), 1);
  put(s, "\a");  // a beep writes nothing
  EXPECT_EQ(s.cursor_x(), 1);
}

TEST(ScreenModel, TabsWriteBlanksToTheNextMultipleOfEight) {
  ScreenModel s;
  s.fill_char('.', 80, 0, 0);
  s.set_attribute(2);
  const struct {
    int from;
    int to;
  } cases[] = {{0, 8}, {3, 8}, {7, 8}, {8, 16}, {71, 72}};
  for (const auto& c : cases) {
    s.set_cursor(c.from, 0);
    put(s, "\t");
    EXPECT_EQ(s.cursor_x(), c.to) << c.from;
    EXPECT_EQ(s.at(c.from, 0).ch, ' ');
    EXPECT_EQ(s.at(c.to - 1, 0).attr, 2);
  }
  EXPECT_EQ(s.at(16, 0).ch, '.');
  // From the last tab stop of the row the tab blanks to the edge and wraps.
  s.set_cursor(75, 0);
  put(s, "\t");
  EXPECT_EQ(s.cursor_x(), 0);
  EXPECT_EQ(s.cursor_y(), 1);
  EXPECT_EQ(s.at(79, 0).ch, ' ');
}

TEST(ScreenModel, LastColumnMovesTheCursorToTheNextRowAtOnce) {
  ScreenModel s;
  put(s, std::string(80, 'x'));
  EXPECT_EQ(s.cursor_x(), 0);
  EXPECT_EQ(s.cursor_y(), 1);
  // A full row followed by a line feed leaves an empty row.
  put(s, "\nnext");
  EXPECT_EQ(s.row_text(1), "");
  EXPECT_EQ(s.row_text(2), "next");
}

TEST(ScreenModel, WritingPastTheLastRowScrollsUp) {
  ScreenModel s;
  for (int i = 0; i < 25; ++i) put(s, "row" + std::to_string(i) + "\n");
  // 25 line feeds from row 0: the last one scrolled once.
  EXPECT_EQ(s.row_text(0), "row1");
  EXPECT_EQ(s.row_text(23), "row24");
  EXPECT_EQ(s.row_text(24), "");
  EXPECT_EQ(s.cursor_x(), 0);
  EXPECT_EQ(s.cursor_y(), 24);
  // A character in the bottom right cell scrolls at once; the new row is
  // blank in the attribute current at the time.
  s.set_attribute(3);
  s.set_cursor(79, 24);
  put(s, "z");
  EXPECT_EQ(s.at(79, 23).ch, 'z');
  EXPECT_EQ(s.row_text(24), "");
  EXPECT_EQ(s.at(0, 24).attr, 3);
  EXPECT_EQ(s.row_text(0), "row2");
  EXPECT_EQ(s.cursor_y(), 24);
}

TEST(ScreenModel, CursorOutsideTheBufferIsRefused) {
  ScreenModel s;
  EXPECT_TRUE(s.set_cursor(79, 24));
  const int bad[][2] = {{80, 0}, {0, 25}, {-1, 0}, {0, -1}};
  for (const auto& p : bad) {
    EXPECT_FALSE(s.set_cursor(p[0], p[1]));
    EXPECT_EQ(s.cursor_x(), 79);
    EXPECT_EQ(s.cursor_y(), 24);
  }
}

TEST(ScreenModel, FillsRunAcrossRowsAndClipAtTheEnd) {
  ScreenModel s;
  s.set_cursor(3, 3);
  s.fill_char('#', 85, 78, 0);  // 2 cells of row 0, all of row 1, 3 of row 2
  EXPECT_EQ(s.row_text(0), std::string(78, ' ') + "##");
  EXPECT_EQ(s.row_text(1), std::string(80, '#'));
  EXPECT_EQ(s.row_text(2), "###");
  s.fill_attr(4, 1000, 75, 24);  // clipped at the last cell
  EXPECT_EQ(s.at(74, 24).attr, 7);
  EXPECT_EQ(s.at(79, 24).attr, 4);
  s.fill_char('!', 5, 80, 0);  // a start outside the buffer fills nothing
  s.fill_char('!', -5, 0, 0);
  EXPECT_EQ(s.at(0, 0).ch, ' ');
  EXPECT_EQ(s.at(0, 1).ch, '#');
  // Fills do not move the cursor.
  EXPECT_EQ(s.cursor_x(), 3);
  EXPECT_EQ(s.cursor_y(), 3);
}

}  // namespace
}  // namespace bellform
