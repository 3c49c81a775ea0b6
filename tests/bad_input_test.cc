// Bad input through the whole dialogue: what the user sees for each kind.
// docs/bad-input.md lists these with the other tests behind its rows.
#include <filesystem>
#include <fstream>
#include <vector>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#endif

#include "console/console.h"
#include "console/keys.h"
#include "design/attributes.h"
#include "cli/command_line.h"
#include "cli/options.h"
#include "dialogue.h"

namespace bellform::testing {
namespace {

namespace fs = std::filesystem;

class BadInput : public Dialogue {
 protected:
  // The worked example, then F 0.5: the line under the banner, and what the
  // data file holds.
  std::string file_cycle() {
    test_console::type(worked_example);
    test_console::type("F\r0.5\r");
    run();
    return row(1) + "|" + read_file("bellform.txt");
  }
};

// Each refusal's sentence: DesignCheckTest. Here what is the dialogue's: the
// red line, the question asked again, each answer read as its number.
TEST_F(BadInput, UndefinedDesignsAreRefusedInRedAndAskedAgain) {
  struct Case {
    const char* answers;
    const char* message;
  } cases[] = {
      {"12\r2\r2\r\r", "The mouth height must differ from the throat side."},
      // With the driver left to the throat, a negative throat is the throat's
      // fault; a negative driver typed is the driver's.
      {"12\r12\r-2\r\r", "The throat side must not be negative."},
      {"12\r12\r-2\r-2\r", "The driver diameter must not be negative."},
      {"+INF\r12\r2\r\r", "The mouth width must be a finite number."},
      {"12\r12\r2\r1e999\r", "The driver diameter must be a finite number."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    test_console::reset();
    test_console::type(c.answers);
    ASSERT_EQ(-1, run());
    EXPECT_EQ(c.message, row(5));
    EXPECT_EQ(attr_red, attr_at(0, 5));
    EXPECT_EQ("Input mouth width  (In.) >", row(6));
  }
}

TEST_F(BadInput, ADriverOfZeroIsTheThroat) {
  for (const char* driver : {"0\r", "-0\r", "0.0e5\r"}) {
    SCOPED_TRACE(driver);
    test_console::reset();
    test_console::type(std::string("12\r12\r2\r") + driver);
    ASSERT_EQ(-1, run());
    EXPECT_EQ(0, row(16).find("Throat to 2 In diameter driver adapter thickness=0.81 In.")) << row(16);
  }
}

TEST_F(BadInput, AnAnswerStopsAt79CharactersAndWrapsOnTheScreen) {
  // 81 characters typed: the last two are dropped.
  test_console::type("12" + std::string(77, 'x') + "99\r");
  test_console::type("12\r2\r\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ("Mouth dimensions = 12 x 12      " + banner_text, row(1));

  test_console::reset();
  test_console::type("12" + std::string(77, 'x') + "99\r");
  ASSERT_EQ(-1, run());
  // The prompt's 27 characters and 53 of the answer fill the row; the
  // other 26 follow, and the next question starts below them.
  EXPECT_EQ("Input mouth width  (In.) > 12" + std::string(51, 'x'), row(1));
  EXPECT_EQ(std::string(26, 'x'), row(2));
  EXPECT_EQ("Input mouth height (In.) >", row(3));
}

TEST_F(BadInput, SeventyNineDigitsRunToTheCommandLine) {
  // A width of 1e78: every number is finite, the lines are cut to fit.
  test_console::type("1" + std::string(78, '0') + "\r12\r2\r\r");
  ASSERT_EQ(-1, run());
  const int command = row_starting("<Enter>-end");
  ASSERT_GE(command, 0);
  EXPECT_EQ(0, row(command + 2).find(" Input new length")) << row(command + 2);
}

TEST_F(BadInput, TabInAnAnswerAndANumberEndedByTheFieldMark) {
  // Tab from the start of "1" goes to its end, so the 2 comes after it (the
  // line editor's test has every case of Tab). The field mark is a
  // character like any other: the number stops there.
  test_console::type("1");
  test_console::press(vk_home);
  test_console::type("\t2\r12\xC5\r2\r\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ("Top and bottom piece length=11.27 In. ** Angle=52.7 Deg.", row(0));
}

TEST_F(BadInput, ExtremeLengthsStillLayOut) {
  // Finite lengths, however odd, give a report, its trailer (the adapter is
  // the natural 10.10 inches plus 0.81 less the length) and the command
  // line; the length a file or macro pass needs more stations for widens
  // its step.
  const struct {
    const char* length;
    const char* above_command;  // the row above the command line
    std::uint16_t attr;
  } cases[] = {
      {"1e300", "(Fc=0 Hz)", attr_cyan},  // the trailer wraps
      {"-1e300", "(Fc=-0 Hz)", attr_cyan},
      {"1e-300", "Throat to 2 In diameter driver adapter thickness=10.91 In. (Fc=0 Hz)",
       attr_normal},
      {"-0.001", "Throat to 2 In diameter driver adapter thickness=10.91 In. (Fc=-0 Hz)",
       attr_normal},
      {"1e6", "Throat to 2 In diameter driver adapter thickness=-999989.09 In. (Fc=0 Hz)",
       attr_normal},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    test_console::reset();
    test_console::type(worked_example);
    test_console::type(std::string(c.length) + "\r");
    ASSERT_EQ(-1, run());
    const int command = row_starting("<Enter>-end");
    ASSERT_GE(command, 1);
    EXPECT_EQ(attr_green, attr_at(0, command));
    EXPECT_EQ(c.above_command, row(command - 1));
    EXPECT_EQ(c.attr, attr_at(0, command - 1));
  }
}

TEST_F(BadInput, AHugeStepGivesTheThroatAndTheMouth) {
  test_console::type(worked_example);
  test_console::type("F\r1e300\r");
  ASSERT_EQ(-1, run());
  EXPECT_EQ("Data file is: bellform.txt", row(1));
  const std::string text = file("bellform.txt");
  EXPECT_NE(std::string::npos, text.find("\n 0.00 \t1.000 \t2.000 \t1.000 \t4.000\n"
                                         " 11.27 \t6.000 \t12.000 \t1.000 \t143.998\n"
                                         "Throat to 2 In diameter"));
}

#ifndef _WIN32
// Runs `dialogue` as a user the permission bits apply to, and returns what it
// saw. Root writes through them, so as root the dialogue runs in a child
// process that has become the user nobody. Only a child that cannot become
// nobody gives nothing (the test is then skipped); a child that ends any
// other way than with its answer (a crash, a sanitizer's report) fails.
constexpr int cannot_become_nobody = 77;

template <typename Run>
std::optional<std::string> as_ordinary_user(Run dialogue) {
  if (geteuid() != 0) return dialogue();
  int out[2];
  if (pipe(out) != 0) {
    ADD_FAILURE() << "pipe: " << std::strerror(errno);
    return "";
  }
  const pid_t child = fork();
  if (child == 0) {
    close(out[0]);
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(cannot_become_nobody);
    const std::string seen = dialogue();
    _exit(write(out[1], seen.data(), seen.size()) ==
                  static_cast<ssize_t>(seen.size()) ? 0 : 1);
  }
  close(out[1]);
  std::string seen;
  char chunk[256];
  for (ssize_t n; child > 0 && (n = read(out[0], chunk, sizeof chunk)) > 0;)
    seen.append(chunk, n);
  close(out[0]);
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) {
    ADD_FAILURE() << "the child process: " << std::strerror(errno);
    return seen;
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == cannot_become_nobody) return std::nullopt;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    ADD_FAILURE() << "the dialogue as nobody ended with "
                  << (WIFSIGNALED(status) ? "signal " : "status ")
                  << (WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status));
  }
  return seen;
}

TEST_F(BadInput, AReadOnlyDataFileIsReportedAndKept) {
  const fs::path data = dir() / "bellform.txt";
  { std::FILE* f = std::fopen(data.string().c_str(), "wb"); std::fputs("kept", f); std::fclose(f); }
  fs::permissions(data, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::permissions(dir(), fs::perms::all);
  const std::optional<std::string> seen = as_ordinary_user([this] { return file_cycle(); });
  if (!seen) GTEST_SKIP() << "no user to whom the permission bits apply";
  EXPECT_EQ("Could not write the data file bellform.txt: Permission denied.|kept", *seen);
}

// Everyone may read and enter the directory, no one may add to it.
void make_read_only(const fs::path& dir) {
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec |
                           fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec);
}

TEST_F(BadInput, AReadOnlyDirectoryIsReportedForEveryFile) {
  make_read_only(dir());
  const std::optional<std::string> seen = as_ordinary_user([this] {
    test_console::type(worked_example);
    test_console::type("F\r0.5\r");
    run();
    std::string rows = row(1) + "|" + std::to_string(attr_at(0, 1));
    test_console::reset();
    test_console::type(worked_example);
    test_console::type("M\rg");
    run();
    return rows + "|" + row(1) + "|" + std::to_string(fs::exists("horn.mcr"));
  });
  if (!seen) GTEST_SKIP() << "no user to whom the permission bits apply";
  EXPECT_EQ("Could not write the data file bellform.txt: Permission denied.|4|"
            "Could not write the macro file horn.mcr: Permission denied.|0", *seen);
}

// A directory that takes no new file, holding a file that may be written:
// the file is written in place, as it always was.
TEST_F(BadInput, AWritableFileInAReadOnlyDirectoryIsWrittenInPlace) {
  const fs::path data = dir() / "bellform.txt";
  { std::FILE* f = std::fopen(data.string().c_str(), "wb"); std::fputs("old", f); std::fclose(f); }
  fs::permissions(data, fs::perms::all);
  make_read_only(dir());
  const std::optional<std::string> seen = as_ordinary_user([this] { return file_cycle(); });
  if (!seen) GTEST_SKIP() << "no user to whom the permission bits apply";
  EXPECT_EQ("Data file is: bellform.txt|" + example_file("bellform.txt"), *seen);
}
#endif

// The impedance, the response and the adapter refuse a horn that gives
// none or a faulty driver file, in red in the dialogue and with status 1 on
// the command line; nothing is written either way. The reader's every
// fault: response_test.cc.
struct Refused {
  const char* keys;      // after the worked example: a length, M and the answer
  const char* driver;    // the driver file's text; nullptr: no file
  const char* red_line;
  std::vector<const char*> options;  // after the worked example's
};

void PrintTo(const Refused& r, std::ostream* os) { *os << r.red_line; }

// The row a line starts on, wrapped at the screen's 80 columns; -1 for none.
int line_row(const std::string& text) {
  if (text.size() <= 80) return row_reading(text);
  const int at = row_starting(text.substr(0, 80));
  return at >= 0 && row(at + 1) == text.substr(80) ? at : -1;
}

class RefusedOutputs : public Dialogue, public ::testing::WithParamInterface<Refused> {};

TEST_P(RefusedOutputs, SayWhyAndWriteNothing) {
  const Refused& r = GetParam();
  if (r.driver) std::ofstream("driver.txt", std::ios::binary) << r.driver;
  test_console::type(std::string(worked_example) + r.keys);
  ASSERT_EQ(-1, run());
  const int at = line_row(r.red_line);
  ASSERT_GE(at, 1) << row(1);
  EXPECT_EQ(attr_red, attr_at(0, at));
  std::vector<const char*> argv = {"bellform", "--mouth", "12x12", "--throat", "2"};
  argv.insert(argv.end(), r.options.begin(), r.options.end());
  std::string said;
  EXPECT_EQ(1, run_command(argv, &said));
  EXPECT_EQ(std::string("bellform: ") + r.red_line + "\n", said);
  for (const auto& e : fs::directory_iterator(dir()))
    EXPECT_EQ("driver.txt", e.path().filename().string());
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, RefusedOutputs,
    ::testing::Values(
        Refused{"-5\rM\rI", nullptr, "Nothing to compute: the horn has no length.",
                {"--length", "-5", "--impedance-csv", "i.csv"}},
        Refused{"1e300\rM\rI", nullptr,
                "This horn is too large or too small to compute its impedance.",
                {"--length", "1e300", "--impedance-svg", "i.svg"}},
        Refused{"M\rRdriver.txt\r", "Re=6\nBl=0\n",
                "driver.txt, line 2: Bl must be a number above 0.",
                {"--driver-file", "driver.txt", "--response-csv", "r.csv"}},
        Refused{"M\rRdriver.txt\r", "Re=6\nBl=9\nSd=20\nCms = 0.02 mm/kN\n",
                "driver.txt, line 4: Cms: unit mm/kN not known here (mm/N, m/N, um/N).",
                {"--driver-file", "driver.txt", "--response-csv", "r.csv"}},
        Refused{"M\rRdriver.txt\r", "Re = 6.2 ohm x\n",
                "driver.txt, line 1: Re: text after the number: 6.2 ohm x.",
                {"--driver-file", "driver.txt", "--response-svg", "r.svg"}},
        Refused{"M\rRdriver.txt\r", "Re=6\nBl=9\nSd=20\nMms=2\nRms=1\n",
                "driver.txt: Cms is missing: give Cms, or Vas, or Fs with Mms.",
                {"--driver-file", "driver.txt", "--response-csv", "r.csv"}},
        Refused{"M\rRdriver.txt\r", "Re=6\nBl=9\nSd=80000\nMms=2\nCms=0.02\nRms=1\n",
                "driver.txt, line 4: Mms must be above 2.612e+04 g, the air load of the Sd on line 3.",
                {"--driver-file", "driver.txt", "--response-csv", "r.csv"}},
        Refused{"M\rRdrivr.txt\r", nullptr,
                "Could not read the driver file drivr.txt: No such file or directory.",
                {"--driver-file", "drivr.txt", "--response-svg", "r.svg"}},
        Refused{"-5\rM\rR", "Re=6\nBl=9\nSd=20\nMmd=2\nCms=0.02\nRms=1\n",
                "Nothing to compute: the horn has no length.",
                {"--length", "-5", "--driver-file", "driver.txt", "--response-csv", "r.csv"}},
        Refused{"100\rM\rP", nullptr,
                "No adapter to print: its thickness at this length is not above 0.",
                {"--length", "100", "--stl", "a.stl"}},
        Refused{"10.81\rM\rP", nullptr,
                "No adapter to print: its thickness at this length is under 3 mm, too thin.",
                {"--length", "10.81", "--stl", "a.stl"}},
        Refused{"M\rPdriver.txt\r", "Bolts = 2\n",
                "driver.txt, line 1: Bolts needs Bolt_circle, the diameter of their circle.",
                {"--driver-file", "driver.txt", "--stl", "a.stl"}},
        Refused{"M\rPdriver.txt\r", "Bolts = 2\nBolt_circle = 60\n",
                "driver.txt: the bolt holes leave less than 3 mm round the 50.8 mm passage.",
                {"--driver-file", "driver.txt", "--stl", "a.stl"}}));

// A driver file whose numbers look like a slip is said in yellow, under the
// driver's figures, and the response is still written; the command line
// says the same as notes, status 0. The worked example's 2 inch driver
// starts the air path: St is 20.27 cm2.
struct Noted {
  const char* driver;  // after the example driver's Re, Le, Sd, Vrc and Vtc
  const char* note;
  const char* figures = "Driver: Fs 625 Hz, Qts 0.52, Vas 0.052 l, Sd/St 2.2";
};

void PrintTo(const Noted& n, std::ostream* os) { *os << n.note; }

class NotedDrivers : public Dialogue, public ::testing::WithParamInterface<Noted> {};

TEST_P(NotedDrivers, SayTheSlipAndStillWrite) {
  const Noted& n = GetParam();
  std::ofstream("driver.txt", std::ios::binary)
      << "Re=6.4\nLe=0.1\nSd=45\nVrc=0.05\nVtc=4\n" << n.driver;
  test_console::type(std::string(worked_example) + "M\rRdriver.txt\r");
  ASSERT_EQ(-1, run());
  const int figures = row_reading(n.figures);
  ASSERT_GT(figures, row_starting("Response chart is: ")) << row(1);
  EXPECT_EQ(attr_yellow, attr_at(0, figures));
  EXPECT_EQ(figures + 1, line_row(n.note)) << row(figures + 1);
  EXPECT_EQ(attr_yellow, attr_at(0, figures + 1));
  EXPECT_NE("<missing>", file("horn-response.svg"));
  std::string said;
  EXPECT_EQ(0, run_command({"bellform", "--mouth", "12x12", "--throat", "2", "--driver-file",
                            "driver.txt", "--response-csv", "r.csv"},
                           &said));
  const std::string note = std::string(n.note).substr(std::string(n.note).starts_with("Note: ") * 6);
  EXPECT_EQ(0u, said.find(std::string("bellform: note: ") + n.figures + "\nbellform: note: " +
                          note + "\n"))
      << said;
  EXPECT_NE("<missing>", file("r.csv"));
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, NotedDrivers,
    ::testing::Values(
        Noted{"Bl=12\nMms=3.6\nCms=4.47e-5\nQms=3\n",
              "Note: Fs from Mms and Cms is 12.5 kHz: check the unit of Cms (mm/N) and of Mms (g).",
              "Driver: Fs 12.5 kHz, Qts 2.4, Vas 0.00013 l, Sd/St 2.2"},
        Noted{"Fs=625\nVas=0.052\nQes=0.63\nQms=3\nQts = 0.3\n",
              "Note: Qts from Qes and Qms is 0.52; the file says 0.3 (line 10)."},
        Noted{"Fs=625 Hz\nVas=0.052 l\nQes=0.63\nQms=3\nXmax = 0.05 mm\n",
              "Excursion over Xmax below 761 Hz at 2.83 V."},
        Noted{"Fs=625\nVas=0.052\nQes=0.63\nQms=3\nXmax = 1 mm\nPe = 2 W\n",
              "Excursion stays under Xmax at 3.578 V."},
        Noted{"Fs=625\nVas=0.052\nQes=0.63\nQms=3\nZnom = 8 ohm\nSPL = 108 dB\n",
              "Note: the file's Znom and SPL are not used."}));

}  // namespace
}  // namespace bellform::testing
