// Every file the program writes, when it cannot be written: the dialogue's
// red line with the system's reason, the command line's reason and status
// 1, the old file as it was and nothing left beside it; the other files of
// the same answer are written all the same, unless every write fails. The
// cases are the rows of the table of outputs: a new output is tried here.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "design/attributes.h"
#include "dialogue.h"
#include "writers/outputs.h"

namespace bellform::testing {
namespace {

namespace fs = std::filesystem;

// Every write fails (a full disk), every close (a full network disk), a
// directory has the file's name, or the name links to /dev/full.
enum class How { write, close, directory, dev_full };
const char* const how_names[] = {"Write", "Close", "Directory", "DevFull"};
const How hows[] = {How::write, How::close, How::directory,
#ifndef _WIN32
                    How::dev_full
#endif
};

const std::string old_text = "the old file, longer than the new one\n";

class Unwritable : public Dialogue,
                   public ::testing::WithParamInterface<std::tuple<const OutputRow*, How>> {
 protected:
  const OutputRow& out() const { return *std::get<0>(GetParam()); }
  How how() const { return std::get<1>(GetParam()); }
  // This output and the others its answer writes.
  std::vector<const OutputRow*> same_answer() const { return rows_for(out().command, out().key); }

  void SetUp() override {
    Dialogue::SetUp();
    // The response's driver, beside the files and not one of them.
    fs::copy_file(std::string(BELLFORM_DOCS_DIR) + "/example-driver.txt", "driver.txt");
    if (how() == How::write || how() == How::close)
      std::ofstream(out().file, std::ios::binary) << old_text;
    if (how() == How::directory) fs::create_directory(out().file);
    if (how() == How::dev_full) fs::create_symlink("/dev/full", out().file);
    test_console::fail_writes(how() == How::write);
    test_console::fail_closes(how() == How::close);
  }

  void expect_files_left() const {
    std::set<std::string> expected = {out().file}, names;
    for (const OutputRow* o : same_answer())
      if (how() == How::directory || how() == How::dev_full) expected.insert(o->file);
    for (const auto& e : fs::directory_iterator(dir())) names.insert(e.path().filename().string());
    names.erase("driver.txt");
    EXPECT_EQ(expected, names);
    if (how() == How::write || how() == How::close) {
      EXPECT_EQ(old_text, file(out().file));
    }
    EXPECT_EQ(how() == How::directory, fs::is_directory(fs::symlink_status(out().file)));
    EXPECT_EQ(how() == How::dev_full, fs::is_symlink(out().file));
  }
};

TEST_P(Unwritable, TheDialogueSaysWhyInRed) {
  test_console::type(worked_example);
  test_console::type(answer_keys(out(), "driver.txt", "0.5"));
  ASSERT_EQ(-1, run());
  const std::string red = std::string("Could not write the ") + out().kind + " file " +
                          out().file + ": ";
  const int at = row_starting(red);
  ASSERT_GE(at, 1) << row(1);
  EXPECT_EQ(attr_red, attr_at(0, at));
  EXPECT_GT(row(at).find_last_not_of(' '), red.size() + 2) << "no reason given: " << row(at);
  // A red line for each file not written, a yellow one for each notice of
  // those written (files sharing a notice share its line), the response's
  // notes (the driver's figures, where it starts to work), then the
  // command line.
  const bool others_written = how() == How::directory || how() == How::dev_full;
  std::set<std::string> lines;
  for (const OutputRow* o : same_answer())
    lines.insert(others_written && o != &out() ? o->notice : o->file);
  const int notes = others_written && out().need == Need::response ? 2 : 0;
  EXPECT_EQ(1 + static_cast<int>(lines.size()) + notes, row_starting("<Enter>-end"));
  expect_files_left();
}

TEST_P(Unwritable, TheCommandLineSaysWhy) {
  std::vector<const char*> argv = {"bellform", "--mouth", "12x12", "--throat", "2"};
  for (const OutputRow* o : same_answer()) argv.insert(argv.end(), {o->option, o->file});
  if (out().need == Need::response) argv.insert(argv.end(), {"--driver-file", "driver.txt"});
  std::string err;
  EXPECT_EQ(1, run_command(argv, &err));
  const std::string line = std::string("bellform: cannot write '") + out().file + "': ";
  const std::size_t at = err.find(line);
  ASSERT_NE(std::string::npos, at) << err;
  EXPECT_LT(at + line.size(), err.find('\n', at)) << "no reason given";
  expect_files_left();
}

std::vector<const OutputRow*> every_row() {
  std::vector<const OutputRow*> rows;
  for (const OutputRow& row : output_rows()) rows.push_back(&row);
  return rows;
}

INSTANTIATE_TEST_SUITE_P(
    EveryOutput, Unwritable, ::testing::Combine(::testing::ValuesIn(every_row()), ::testing::ValuesIn(hows)),
    [](const auto& info) {
      std::string name;
      for (const char* c = std::get<0>(info.param)->file; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
      return name + how_names[static_cast<int>(std::get<1>(info.param))];
    });

}  // namespace
}  // namespace bellform::testing
