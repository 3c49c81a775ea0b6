// The command-line mode writes, for the same horn, the same bytes as the
// dialogue: each horn of the table is typed into the dialogue, which writes
// every file, and then given as options, and the files are compared.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/options.h"
#include "dialogue.h"
#include "writers/outputs.h"

namespace bellform::testing {
namespace {

struct Horn {
  const char* name;
  bool mm;
  const char* answers;  // the four answers and a length, as typed
  const char* file_step;  // typed after F
  const char* screen_step;  // the step of the first report, typed after F
  std::vector<const char*> options;  // the same horn as options
  bool adapter = true;  // false: no adapter at this length, no file
};

void PrintTo(const Horn& h, std::ostream* os) { *os << h.name; }

class SameBytes : public Dialogue, public ::testing::WithParamInterface<Horn> {
 protected:
  // The dialogue's files, renamed out of the way of the next command;
  // false when this horn gives none (an adapter of no thickness).
  bool dialogue(const std::string& commands, const char* written, const std::string& as) {
    test_console::reset();
    test_console::type(GetParam().answers);
    test_console::type(commands);
    EXPECT_EQ(-1, run(GetParam().mm ? metric_units : inch_units));
    if (!std::filesystem::exists(written)) return false;
    std::filesystem::rename(written, as);
    return true;
  }
  int command_line(std::vector<const char*> outputs) {
    std::vector<const char*> argv = {"bellform"};
    if (GetParam().mm) argv.push_back("--mm");
    argv.insert(argv.end(), GetParam().options.begin(), GetParam().options.end());
    argv.insert(argv.end(), outputs.begin(), outputs.end());
    std::string said;
    const int status = run_command(argv, &said);
    EXPECT_NE(2, status) << said;
    return status;
  }
};

TEST_P(SameBytes, AsTheDialogueWritesThem) {
  const Horn& h = GetParam();
  dialogue(std::string("F\r") + h.file_step + "\r", "bellform.txt", "dialogue.txt");
  dialogue(std::string("F\r") + h.screen_step + "\r", "bellform.txt", "screen.txt");
  // The response's driver, by the same name in both: the chart's title says it.
  const std::string driver = "driver.txt";
  std::filesystem::copy_file(std::string(BELLFORM_DOCS_DIR) + "/example-driver.txt",
                             driver);
  std::vector<std::string> options = {"--step", h.file_step, "--driver-file", driver};
  std::vector<const OutputRow*> written;
  for (const OutputRow& row : output_rows()) {
    if (row.command == Command::file) {
      options.insert(options.end(), {row.option, row.file});
      continue;
    }
    const bool none = row.need == Need::adapter && !h.adapter;
    EXPECT_NE(none, dialogue(answer_keys(row, driver.c_str(), h.file_step), row.file,
                             std::string("d-") + row.file)) << row.file;
    if (none) continue;
    options.insert(options.end(), {row.option, row.file});
    written.push_back(&row);
  }
  std::vector<const char*> argv;
  for (const std::string& o : options) argv.push_back(o.c_str());
  ASSERT_EQ(0, command_line(argv));
  EXPECT_EQ(file("dialogue.txt"), file("bellform.txt"));
  for (const OutputRow* row : written)
    EXPECT_EQ(file(("d-" + std::string(row->file)).c_str()), file(row->file)) << row->file;
  ASSERT_EQ(0, command_line({"--txt", "bellform.txt"}));
  EXPECT_EQ(file("screen.txt"), file("bellform.txt"));
}

// A row of the data file is written whole, however long its numbers: only
// the screen cuts at its 80 columns.
TEST_F(Dialogue, ADataFileRowIsNeverCut) {
  test_console::type("1e70\r12\r2\r\rF\r1e35\r");
  ASSERT_EQ(-1, run());
  const std::string text = file("bellform.txt");
  std::size_t longest = 0;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
       start = end + 1)
    longest = std::max(longest, end - start);
  EXPECT_GT(longest, 200u);
  ASSERT_EQ(0, run_command({"bellform", "--mouth", "1e70x12", "--throat", "2", "--step", "1e35",
                            "--txt", "cli.txt"}));
  EXPECT_EQ(text, file("cli.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, SameBytes,
    ::testing::Values(
        Horn{"WorkedExample", false, "12\r12\r2\r\r", "0.5", "1", {"--mouth", "12x12", "--throat", "2"}},
        // A driver of 0 is the throat, as the empty answer.
        Horn{"DriverZeroIsTheThroat", false, "12\r12\r2\r\r", "0.5", "1",
             {"--mouth", "12x12", "--throat", "2", "--driver", "0"}},
        Horn{"WorkedExampleInMillimetres", true, "304,8\r304,8\r50,8\r\r", "12,7", "20",
             {"--mouth", "304,8x304,8", "--throat", "50.8"}},
        Horn{"BassHornAtALength", false, "40\r30\r3\r2\r30\r", "0.25", "2",
             {"--mouth", "40X30", "--throat", "3", "--driver", "2", "--length", "30"}},
        Horn{"LongPieceWidensTheMacroStep", false, "12\r12\r2\r\r100\r", "0.5", "8",
             {"--mouth", "12x12", "--throat", "2", "--length", "1e2"}, false},
        Horn{"MetricDriverAndLength", true, "1000\r800\r75\r50\r900\r", "5", "80",
             {"--mouth", "1000x800", "--throat", "75", "--driver", "50", "--length", "900"}}),
    [](const ::testing::TestParamInfo<Horn>& info) { return info.param.name; });

}  // namespace
}  // namespace bellform::testing
