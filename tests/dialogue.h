// Whole dialogues with the program on the test console: a scripted
// keyboard, a screen to read back, and a fresh directory for the files.
// Any test of files takes its directory and reads them back here.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "design/record.h"
#include "design/units.h"
#include "writers/outputs.h"
#include "test_platform/test_console.h"

namespace bellform::testing {

// A new directory of its own, removed with all it holds.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The text of a file, or "<missing>" when it cannot be read.
std::string read_file(const std::filesystem::path& path);
// One of the worked example's files (12 x 12, throat 2) in tests/data:
// bellform.txt, horn.scr and horn.mcr computed independently of the program;
// horn.dxf and horn-mm.* the program's own, read back by tests/readers.
std::string example_file(const char* name);
// The rows of a data file's table: dim X, W/2, height, H/W and area.
std::vector<std::vector<double>> table_rows(const std::string& text);

std::string row(int y);
std::uint16_t attr_at(int x, int y);
// The first row that starts with `text`, or -1.
int row_starting(const std::string& text);
// The first row that reads `text` exactly, trailing blanks aside, or -1.
int row_reading(const std::string& text);

// The banner as the title and the screens show it, with the version the
// build sets (CMakeLists.txt).
inline const std::string banner_text =
    std::string("** Bellform Version ") + BELLFORM_VERSION + " - 32 bit **";

// The command line on these arguments (the program's name first), in the
// current directory: its exit status, 2 for arguments it refuses; what it
// says on standard error in `messages` when asked.
int run_command(const std::vector<const char*>& argv, std::string* messages = nullptr);

// The keys that ask for a row's file at the command line under a report: F
// and the step, or M and the Macro screen's answer (R and then the driver
// file's name, as after P).
std::string answer_keys(const OutputRow& row, const char* driver_file, const char* step);

// The answers for the worked example: 12, 12, 2 and Enter for the driver.
constexpr const char* worked_example = "12\r12\r2\r\r";

class Dialogue : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs the program on the script typed so far: its exit status, or -1
  // when the script ran out while the program was still waiting.
  int run(const Units& units = inch_units, double print_height = default_print_height);
  std::string file(const char* name) const { return read_file(dir() / name); }
  const std::filesystem::path& dir() const { return dir_.path(); }

 private:
  std::filesystem::path previous_;
  TempDir dir_;
};

}  // namespace bellform::testing
