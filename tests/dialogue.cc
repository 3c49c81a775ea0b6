#include "dialogue.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "cli/command_line.h"
#include "cli/options.h"
#include "dialogue/design_loop.h"

namespace bellform::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::random_device seed;
  do {
    path_ = fs::temp_directory_path() / ("bellform-test-" + std::to_string(seed()));
  } while (!fs::create_directory(path_));
}

// A test may have taken its permissions away.
TempDir::~TempDir() {
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int run_command(const std::vector<const char*>& argv, std::string* messages) {
  const Options options = read_options(static_cast<int>(argv.size()), argv.data());
  if (options.action != Action::compute) {
    if (messages) *messages = refusal_text(options);
    return 2;
  }
  std::FILE* said = std::tmpfile();
  const int status = run_command_line(options, said ? said : stderr);
  if (said) {
    std::rewind(said);
    std::string text;
    for (int c; (c = std::fgetc(said)) != EOF;) text += static_cast<char>(c);
    std::fclose(said);
    if (messages) *messages = text;
  }
  return status;
}

std::string answer_keys(const OutputRow& row, const char* driver_file, const char* step) {
  if (row.command == Command::file) return std::string("F\r") + step + "\r";
  std::string keys = std::string("M\r") + row.key;
  if (row.need == Need::response || row.need == Need::adapter)
    keys += std::string(driver_file) + "\r";
  return keys;
}

std::string example_file(const char* name) {
  return read_file(fs::path(BELLFORM_DATA_DIR) / name);
}

std::vector<std::vector<double>> table_rows(const std::string& text) {
  std::vector<std::vector<double>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::vector<double> v(5);
    if (std::sscanf(line.c_str(), " %lf \t%lf \t%lf \t%lf \t%lf", &v[0], &v[1], &v[2],
                    &v[3], &v[4]) == 5)
      rows.push_back(v);
  }
  return rows;
}

std::string row(int y) { return test_console::screen().row_text(y); }

std::uint16_t attr_at(int x, int y) { return test_console::screen().at(x, y).attr; }

int row_starting(const std::string& text) {
  for (int y = 0; y < test_console::screen().height(); ++y)
    if (row(y).rfind(text, 0) == 0) return y;
  return -1;
}

int row_reading(const std::string& text) {
  for (int y = 0; y < test_console::screen().height(); ++y)
    if (row(y) == text) return y;
  return -1;
}

void Dialogue::SetUp() {
  test_console::reset();
  previous_ = fs::current_path();
  fs::current_path(dir());
}

void Dialogue::TearDown() { fs::current_path(previous_); }

int Dialogue::run(const Units& units, double print_height) {
  try {
    return design_loop(units, print_height);
  } catch (const test_console::ScriptEnded&) {
    return -1;
  }
}

}  // namespace bellform::testing
