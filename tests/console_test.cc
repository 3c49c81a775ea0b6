#include "console/console.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "console/test_console.h"

namespace bellform {
namespace {

namespace fs = std::filesystem;
namespace tc = test_console;

class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    tc::reset();
    open_console("Bellform title");
    // A directory of its own, by std::filesystem alone (no mkdtemp on
    // Windows): create_directory is false when the name is taken.
    std::random_device seed;
    do {
      dir_ = fs::temp_directory_path() / ("console_" + std::to_string(seed()));
    } while (!fs::create_directory(dir_));
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const char* name) const { return (dir_ / name).string(); }
  static std::string contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static const ScreenModel& screen() { return tc::screen(); }
  static bool screen_blank() {
    for (int y = 0; y < screen().height(); ++y) {
      if (!screen().row_text(y).empty()) return false;
    }
    return true;
  }

  fs::path dir_;
};

TEST_F(Console, OpenSetsHandlesAndTitle) {
  EXPECT_NE(console_in, null_handle);
  EXPECT_NE(console_out, null_handle);
  EXPECT_NE(console_in, console_out);
  EXPECT_EQ(tc::title(), "Bellform title");
}

TEST_F(Console, WindowOfEightyOneColumnsIsRefusedOnAnEightyColumnBuffer) {
  EXPECT_FALSE(set_console_window(0, 0, 80, 25));
  EXPECT_TRUE(set_console_window(0, 0, 79, 24));
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

TEST_F(Console, ScreenSinkWritesTheScreenOnly) {
  EXPECT_TRUE(sink_write(console_out, "Length\t12\n", attr_green));
  EXPECT_EQ(screen().row_text(0), "Length  12");
  EXPECT_EQ(screen().at(0, 0).attr, attr_green);
  EXPECT_EQ(screen().attribute(), 7);
  EXPECT_EQ(screen().cursor_y(), 1);
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(Console, FileSinkWritesBytesAndNothingOnScreen) {
  const Handle file = open_output_file(path("bellform.txt").c_str());
  ASSERT_NE(file, null_handle);
  EXPECT_NE(file, console_out);
  EXPECT_TRUE(sink_write(file, "a\tb\n", attr_red));
  EXPECT_TRUE(sink_write(file, "\xC5\xFF\r\n", attr_normal));
  EXPECT_TRUE(sink_write(file, "", attr_normal));
  close_file(file);
  EXPECT_EQ(contents(path("bellform.txt")), "a\tb\n\xC5\xFF\r\n");
  EXPECT_TRUE(screen_blank());
  EXPECT_EQ(screen().cursor_x(), 0);
  EXPECT_EQ(screen().cursor_y(), 0);
}

TEST_F(Console, OpeningAnExistingFileEmptiesIt) {
  std::ofstream(path("horn.scr")) << "old contents, longer than the new\n";
  const Handle file = open_output_file(path("horn.scr").c_str());
  ASSERT_NE(file, null_handle);
  EXPECT_TRUE(write_file_text(file, "new\n"));
  close_file(file);
  EXPECT_EQ(contents(path("horn.scr")), "new\n");
}

TEST_F(Console, NullSinkFailsWithoutTouchingTheScreen) {
  fs::create_directory(path("horn.mcr"));
  const Handle file = open_output_file(path("horn.mcr").c_str());
  EXPECT_EQ(file, null_handle);
  EXPECT_EQ(open_output_file(path("missing/dir.txt").c_str()), null_handle);
  EXPECT_FALSE(sink_write(file, "line\n", attr_normal));
  EXPECT_FALSE(write_file_text(null_handle, "line\n"));
  EXPECT_TRUE(screen_blank());
  EXPECT_TRUE(fs::is_directory(path("horn.mcr")));
  EXPECT_FALSE(fs::exists(path("missing")));
}

TEST_F(Console, ConsoleHandlesAreNotFiles) {
  EXPECT_FALSE(write_file_text(console_in, "x"));
  EXPECT_FALSE(write_file_text(console_out, "x"));
  EXPECT_TRUE(screen_blank());
}

}  // namespace
}  // namespace bellform
