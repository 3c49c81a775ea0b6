// Every file the program writes, when it cannot be written: the dialogue's
// red line, the command line's reason and status 1, the old file as it was
// and nothing left beside it; the other file of the same answer (S, I) is
// written all the same, unless every write fails. A new output is a row.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "cli/command_line.h"
#include "cli/options.h"
#include "design/attributes.h"
#include "dialogue.h"

namespace bellform::testing {
namespace {

namespace fs = std::filesystem;

struct Output {
  const char* keys;    // typed after the worked example
  const char* option;  // the command line's, given the default name
  const char* file;
  const char* red_line;
};

const Output outputs[] = {
    {"F\r0.5\r", "--txt", "bellform.txt", "Could not write the data file bellform.txt."},
    {"M\rA", "--scr", "horn.scr", "Could not write the macro file horn.scr."},
    {"M\rG", "--mcr", "horn.mcr", "Could not write the macro file horn.mcr."},
    {"M\rD", "--dxf", "horn.dxf", "Could not write the drawing file horn.dxf."},
    {"M\rS", "--svg", "horn.svg", "Could not write the drawing file horn.svg."},
    {"M\rS", "--pdf", "horn-pages.pdf", "Could not write the drawing file horn-pages.pdf."},
    {"M\rI", "--impedance-csv", "horn-impedance.csv",
     "Could not write the impedance file horn-impedance.csv."},
    {"M\rI", "--impedance-svg", "horn-impedance.svg",
     "Could not write the impedance file horn-impedance.svg."},
    {"M\rP", "--stl", "horn-adapter.stl", "Could not write the adapter file horn-adapter.stl."},
    {"M\rRdriver.txt\r", "--response-csv", "horn-response.csv",
     "Could not write the response file horn-response.csv."},
    {"M\rRdriver.txt\r", "--response-svg", "horn-response.svg",
     "Could not write the response file horn-response.svg."},
};

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
                   public ::testing::WithParamInterface<std::tuple<Output, How>> {
 protected:
  const Output& out() const { return std::get<0>(GetParam()); }
  How how() const { return std::get<1>(GetParam()); }
  // This output and the others its keys write.
  std::vector<Output> same_keys() const {
    std::vector<Output> found;
    for (const Output& o : outputs)
      if (std::string(o.keys) == out().keys) found.push_back(o);
    return found;
  }

  void SetUp() override {
    Dialogue::SetUp();
    // The response's driver, beside the files and not one of them.
    fs::copy_file(std::string(BELLFORM_DATA_DIR) + "/../../docs/example-driver.txt",
                  "driver.txt");
    if (how() == How::write || how() == How::close)
      std::ofstream(out().file, std::ios::binary) << old_text;
    if (how() == How::directory) fs::create_directory(out().file);
    if (how() == How::dev_full) fs::create_symlink("/dev/full", out().file);
    test_console::fail_writes(how() == How::write);
    test_console::fail_closes(how() == How::close);
  }

  void expect_files_left() const {
    std::set<std::string> expected = {out().file}, names;
    for (const Output& o : same_keys())
      if (how() == How::directory || how() == How::dev_full) expected.insert(o.file);
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

TEST_P(Unwritable, TheDialogueSaysSoInRed) {
  test_console::type(worked_example);
  test_console::type(out().keys);
  ASSERT_EQ(-1, run());
  const int at = row_reading(out().red_line);
  ASSERT_GE(at, 1) << row(1);
  EXPECT_EQ(attr_red, attr_at(0, at));
  // A line for each file of the answer, then the command line.
  EXPECT_EQ(1 + static_cast<int>(same_keys().size()), row_starting("<Enter>-end"));
  expect_files_left();
}

TEST_P(Unwritable, TheCommandLineSaysWhy) {
  std::vector<const char*> argv = {"bellform", "--mouth", "12x12", "--throat", "2"};
  for (const Output& o : same_keys()) argv.insert(argv.end(), {o.option, o.file});
  if (std::string(out().option).starts_with("--response"))
    argv.insert(argv.end(), {"--driver-file", "driver.txt"});
  const Options options = read_options(static_cast<int>(argv.size()), argv.data());
  ASSERT_EQ(Action::compute, options.action) << options.refusal;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(1, run_command_line(options));
  const std::string err = ::testing::internal::GetCapturedStderr();
  const std::string line = std::string("bellform: cannot write '") + out().file + "': ";
  const std::size_t at = err.find(line);
  ASSERT_NE(std::string::npos, at) << err;
  EXPECT_LT(at + line.size(), err.find('\n', at)) << "no reason given";
  expect_files_left();
}

INSTANTIATE_TEST_SUITE_P(
    EveryOutput, Unwritable,
    ::testing::Combine(::testing::ValuesIn(outputs), ::testing::ValuesIn(hows)),
    [](const auto& info) {
      std::string name;
      for (const char* c = std::get<0>(info.param).file; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
      return name + how_names[static_cast<int>(std::get<1>(info.param))];
    });

}  // namespace
}  // namespace bellform::testing
