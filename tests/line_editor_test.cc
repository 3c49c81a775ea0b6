#include "console/line_editor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>
#include <string>

#include "console/console.h"
#include "console/keys.h"
#include "design/attributes.h"
#include "test_platform/test_console.h"

namespace bellform {
namespace {

namespace tc = test_console;

// A key of the script: a special key by its virtual-key code, or typed text.
struct Key {
  Key(const char* typed) : text(typed) {}
  explicit Key(std::uint16_t vk_code, bool with_shift = false)
      : vk(vk_code), shift(with_shift) {}
  std::uint16_t vk = 0;
  bool shift = false;
  std::string text;
};

const Key pg_up(vk_prior), pg_down(vk_next), end(vk_end), home(vk_home),
    left(vk_left), up(vk_up), right(vk_right), down(vk_down), print(vk_print),
    ins(vk_insert), del(vk_delete), f1(vk_f1), shift_f12(vk_f12, true);
const Key bksp("\b"), tab("\t"), enter("\r"), esc("\x1B");

void script(std::vector<Key> keys) {
  for (const Key& k : keys) {
    if (k.vk != 0) {
      tc::press(k.vk, k.shift);
    } else {
      tc::type(k.text);
    }
  }
}

class LineEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    tc::reset();
    open_console("editor");
  }
  static const ScreenModel& screen() { return tc::screen(); }
  // Runs the script to its end inside edit_line, which leaves the text and
  // the cursor as the last key made them.
  std::string edit_until_script_ends(const char* initial, int column, int row,
                                     std::vector<Key> keys) {
    std::strcpy(buffer_, initial);
    script(keys);
    EXPECT_THROW(edit_line(buffer_, sizeof buffer_, column, row),
                 tc::ScriptEnded);
    return buffer_;
  }
  std::string read(std::vector<Key> keys) {
    script(keys);
    read_line(buffer_, sizeof buffer_);
    return buffer_;
  }

  char buffer_[80] = {};
};

struct EditCase {
  const char* initial;
  std::vector<Key> keys;
  const char* text;
  int cursor;
};

TEST_F(LineEditor, KeysActOnTextAndCursor) {
  const EditCase cases[] = {
      // Nothing to do at the edges.
      {"abc", {bksp}, "abc", 0},
      {"abc", {end, del}, "abc", 3},
      {"abc", {left}, "abc", 0},
      {"abc", {end, right}, "abc", 3},
      {"abc", {end, home}, "abc", 0},
      // Deleting.
      {"abc", {right, right, bksp}, "ac", 1},
      {"abc", {right, del}, "ac", 1},
      {"abc", {end, bksp}, "ab", 2},
      // Insert and overwrite.
      {"abc", {"xy"}, "xyabc", 2},
      {"abc", {ins, "xy"}, "xyc", 2},
      {"abc", {end, ins, "xy"}, "abcxy", 5},
      {"abc", {right, ins, "xyz"}, "axyz", 4},
      {"abc", {ins, ins, "x"}, "xabc", 1},
      {"abc", {"\x80\xFD"}, "\x80\xFD" "abc", 2},
      // Tab and the field mark.
      {"abcd", {tab}, "abcd", 4},
      {"ab\xC5" "cd", {tab}, "ab\xC5" "cd", 4},
      {"ab\xC5" "cd", {end, tab}, "ab\xC5" "cd", 5},
      {"ab\xC5", {tab}, "ab\xC5", 3},
      {"\xC5" "abc", {tab}, "\xC5" "abc", 4},  // the mark under the cursor
      {"a\xC5" "b\xC5" "cd", {tab}, "a\xC5" "b\xC5" "cd", 3},
      // Keys without an editing meaning.
      {"abc", {right, up, down, pg_up, pg_down, f1, shift_f12}, "abc", 1},
      {"abc", {print}, "abc", 0},  // no special key seen yet
      // Print repeats the last special key.
      {"abc", {right, print, print}, "abc", 3},
      // The bytes 0xFE and 0xFF, typed, are dropped: never a key.
      {"abc", {right, "\xFE"}, "abc", 1},
      {"abc", {right, "\xFF"}, "abc", 1},
      {"abcd", {del, "\xFF\xFF"}, "bcd", 0},
  };
  for (const EditCase& c : cases) {
    SetUp();
    const std::string text = edit_until_script_ends(c.initial, 10, 5, c.keys);
    EXPECT_EQ(text, c.text) << "from " << c.initial;
    EXPECT_EQ(screen().cursor_x(), 10 + c.cursor) << "from " << c.initial;
    EXPECT_EQ(screen().cursor_y(), 5);
    EXPECT_EQ(screen().row_text(5), std::string(10, ' ') + c.text);
  }
}

TEST_F(LineEditor, ClicksChangeNothing) {
  tc::click();
  tc::click(button_middle);
  EXPECT_EQ(edit_until_script_ends("abc", 0, 0, {right}), "abc");
  EXPECT_EQ(screen().cursor_x(), 1);
}

TEST_F(LineEditor, DeletedCellIsRedrawnBlank) {
  edit_until_script_ends("abc", 4, 2, {end, bksp});
  EXPECT_EQ(screen().row_text(2), "    ab");
  EXPECT_EQ(screen().at(6, 2).ch, ' ');
  EXPECT_EQ(screen().at(6, 2).attr, 7);
}

TEST_F(LineEditor, EnterAndEscEndTheEdit) {
  std::strcpy(buffer_, "abc");
  script({right, enter});
  EXPECT_EQ(edit_line(buffer_, sizeof buffer_, 0, 0), EditEnd::enter);
  script({"x", esc});
  EXPECT_EQ(edit_line(buffer_, sizeof buffer_, 0, 0), EditEnd::escape);
  EXPECT_STREQ(buffer_, "xabc");
}

TEST_F(LineEditor, ReadLineReturnsTheWholeTextAndMovesToTheNextRow) {
  write_text("Length? ", attr_cyan);
  EXPECT_EQ(read({"12", home, enter}), "12");
  EXPECT_EQ(screen().row_text(0), "Length? 12");
  EXPECT_EQ(screen().at(8, 0).attr, 7);
  EXPECT_EQ(screen().cursor_x(), 0);
  EXPECT_EQ(screen().cursor_y(), 1);
}

TEST_F(LineEditor, EscKeepsTheTextAndResetsCursorAndInsert) {
  EXPECT_EQ(read({"abc", left, ins, esc, "x", enter}), "xabc");
}

TEST_F(LineEditor, ReadLineStartsEmpty) {
  std::strcpy(buffer_, "old");
  EXPECT_EQ(read({enter}), "");
}

TEST_F(LineEditor, LineFeedStaysUntilReentryCutsIt) {
  EXPECT_EQ(read({"ab\ncd", enter}), "ab\ncd");
  tc::reset();
  open_console("editor");
  set_cursor(5, 2);
  script({"ab\ncd"});
  EXPECT_THROW(read_line(buffer_, sizeof buffer_), tc::ScriptEnded);
  // The console drew the line feed: the rest went on the next row.
  EXPECT_EQ(screen().row_text(2), "     ab");
  EXPECT_EQ(screen().row_text(3), "cd");
  EXPECT_EQ(screen().cursor_x(), 2);
  EXPECT_EQ(screen().cursor_y(), 3);
  tc::reset();
  open_console("editor");
  EXPECT_EQ(read({"ab\ncd", esc, end, "x", enter}), "abx");
}

TEST_F(LineEditor, FullBufferIgnoresFurtherCharacters) {
  const std::string many(100, 'z');
  EXPECT_EQ(read({many.c_str(), enter}), std::string(79, 'z'));
  // Overwriting inside a full text still works; inserting does not.
  char small[4] = "abc";
  script({"x", ins, "y", end, "w", enter});
  EXPECT_EQ(edit_line(small, sizeof small, 0, 10), EditEnd::enter);
  EXPECT_STREQ(small, "ybc");
  EXPECT_EQ(small[3], '\0');
}

TEST_F(LineEditor, UnterminatedBufferIsCutToFit) {
  char raw[4] = {'a', 'b', 'c', 'd'};
  script({enter});
  edit_line(raw, sizeof raw, 0, 0);
  EXPECT_STREQ(raw, "abc");
}

// Keys typed in one burst (a paste, fast typing) are queued: within one
// answer every one of them arrives, in order; whatever is still queued when
// the next question starts is dropped.
TEST_F(LineEditor, QueuedKeysArriveWholeWithinOneAnswer) {
  const auto paste = [](const char* text) {
    std::vector<InputEvent> events;
    for (const char* c = text; *c; ++c) events.push_back(InputEvent::key_press(*c));
    tc::burst(events);
  };
  const struct {
    const char* burst;  // typed at once while the first question waits
    const char* then;   // typed afterwards, key by key
    const char* first;  // the first answer
    const char* second; // the next question's answer
  } cases[] = {
      {"304.8\r", "5\r", "304.8", "5"},
      {"12\r\r", "5\r", "12", "5"},        // the second Enter is dropped
      {"12\r34\r", "5\r", "12", "5"},      // so is a second answer typed ahead
      {"ab\b\bcd\r", "\r", "cd", ""},     // editing keys act in order
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.burst);
    tc::reset();
    open_console("editor");
    paste(c.burst);
    tc::type(c.then);
    read_line(buffer_, sizeof buffer_);
    EXPECT_EQ(c.first, std::string(buffer_));
    read_line(buffer_, sizeof buffer_);
    EXPECT_EQ(c.second, std::string(buffer_));
  }
}

TEST_F(LineEditor, LongLineWrapsAndTheCursorFollowsIt) {
  set_cursor(70, 3);
  script({"abcdefghijklmnopqrst", home});
  for (int i = 0; i < 12; ++i) script({right});
  EXPECT_THROW(read_line(buffer_, sizeof buffer_), tc::ScriptEnded);
  EXPECT_EQ(screen().row_text(3), std::string(70, ' ') + "abcdefghij");
  EXPECT_EQ(screen().row_text(4), "klmnopqrst");
  EXPECT_EQ(screen().cursor_x(), 2);  // on the 'm'
  EXPECT_EQ(screen().cursor_y(), 4);
}

TEST_F(LineEditor, WrappingAtTheBottomRowScrollsOnceAndKeepsTheOrigin) {
  set_cursor(0, 5);
  write_text("marker", attr_normal);
  set_cursor(70, 24);
  EXPECT_EQ(read({"abcdefghijkl", home, right, enter}), "abcdefghijkl");
  // One scroll for the wrap while typing, one for the final line feed.
  EXPECT_EQ(screen().row_text(3), "marker");
  EXPECT_EQ(screen().row_text(22), std::string(70, ' ') + "abcdefghij");
  EXPECT_EQ(screen().row_text(23), "kl");
  EXPECT_EQ(screen().row_text(24), "");
  EXPECT_EQ(screen().cursor_x(), 0);
  EXPECT_EQ(screen().cursor_y(), 24);
}

TEST_F(LineEditor, CursorStaysOnItsCharacterAfterAScroll) {
  set_cursor(0, 24);
  script({std::string(79, 'q').c_str(), home, right, right});
  EXPECT_THROW(read_line(buffer_, sizeof buffer_), tc::ScriptEnded);
  // The blank after 79 characters filled the last column and scrolled.
  EXPECT_EQ(screen().row_text(22), "");
  EXPECT_EQ(screen().row_text(23), std::string(79, 'q'));
  EXPECT_EQ(screen().cursor_x(), 2);
  EXPECT_EQ(screen().cursor_y(), 23);
}

}  // namespace
}  // namespace bellform
