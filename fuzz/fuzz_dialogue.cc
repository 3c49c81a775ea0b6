// Whole dialogues on the test console, typed from random bytes (see
// key_script.h; at most 200 keys a run). An input that starts with the byte
// 0xFE, which the key reader drops when it is typed, runs in millimetres.
// The Macro screen's R finds two driver files in the run's directory:
// driver.txt, the example driver, and bolts.txt, mounting lines alone.
// Every run must end: the program returns 0, or it is waiting for a key when
// the keys run out. Every file it leaves is whole: the data file from the
// piece line to the jig dimensions, a macro from the throat edge to its last
// line, a drawing or chart from its first line to its last, the impedance
// and response tables' every row, every line ended, the pages from the PDF
// header to its end, the adapter's STL as long as its facet count says.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dialogue/design_loop.h"
#include "writers/outputs.h"
#include "key_script.h"
#include "test_platform/test_console.h"

namespace {

using namespace bellform;

std::string bytes_of(const char* name, bool& exists) {
  std::ifstream in(name, std::ios::binary);
  exists = static_cast<bool>(in);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

std::vector<std::string> lines_of(const char* name, bool& exists) {
  const std::string text = bytes_of(name, exists);
  if (exists && (text.empty() || text.back() != '\n')) {
    std::fprintf(stderr, "%s does not end with a line feed\n", name);
    std::abort();
  }
  std::vector<std::string> lines;
  std::istringstream split(text);
  for (std::string line; std::getline(split, line);) lines.push_back(line);
  return lines;
}

bool starts(const std::string& line, const char* prefix) {
  return line.rfind(prefix, 0) == 0;
}

void require(bool ok, const char* name, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "%s: %s\n", name, what);
  std::abort();
}

// Header of three lines, at least two stations, the trailer, five lines of
// construction.
void check_data_file() {
  bool exists = false;
  const auto lines = lines_of("bellform.txt", exists);
  if (!exists) return;
  const char* name = "bellform.txt";
  const std::size_t n = lines.size();
  require(n >= 3 + 2 + 1 + 5 && n <= 3 + 499 + 1 + 5, name, "line count");
  require(starts(lines[0], "Top and bottom piece length="), name, "piece line");
  require(starts(lines[1], "Mouth dimensions = "), name, "mouth line");
  require(lines[2] == " dim X \t W/2 \tHeight \t H/W \tArea \t", name, "titles");
  for (std::size_t i = 3; i < n - 6; ++i) require(starts(lines[i], " "), name, "station row");
  require(starts(lines[n - 6], "Throat to "), name, "trailer");
  require(starts(lines[n - 5], " Throat to mouth length="), name, "length line");
  require(lines[n - 3] == "Jig dimensions:", name, "jig line");
  require(starts(lines[n - 1], "  Extention (b)="), name, "extension line");
}

// The throat edge, one segment per pair of stations, the last line. A
// negative length leaves the throat alone: its edge and the last line.
void check_macro(const char* name, const char* first, const char* segment,
                 const char* extra, const char* last) {
  bool exists = false;
  const auto lines = lines_of(name, exists);
  if (!exists) return;
  const std::size_t head = extra ? 2 : 1;
  require(lines.size() >= head + 1 && lines.size() <= head + 498 + 1, name, "line count");
  require(starts(lines[0], first), name, "throat edge");
  if (extra) require(lines[1] == extra, name, "second line");
  for (std::size_t i = head; i + 1 < lines.size(); ++i) {
    require(starts(lines[i], segment), name, "segment");
  }
  require(lines.back() == last, name, "last line");
}

// A file for crossover tools: comment lines starting with '*', the last of
// them the columns, then 241 lines of three numbers between single spaces.
void check_crossover(const char* name, const std::string& columns) {
  bool exists = false;
  const auto lines = lines_of(name, exists);
  if (!exists) return;
  std::size_t first = 0;
  while (first < lines.size() && starts(lines[first], "*")) ++first;
  require(first > 0 && lines[first - 1] == columns, name, "column line");
  require(lines.size() - first == 241, name, "line count");
  for (std::size_t i = first; i < lines.size(); ++i) {
    double a, b, c;
    char end;
    require(std::sscanf(lines[i].c_str(), "%lf %lf %lf%c", &a, &b, &c, &end) == 3 &&
                std::isfinite(a) && std::isfinite(b) && std::isfinite(c),
            name, "row");
  }
}

// A table over frequency: its column names and 241 rows of as many
// numbers, never a NaN or an infinity.
void check_table(const char* name, const std::string& columns) {
  bool exists = false;
  const auto lines = lines_of(name, exists);
  if (!exists) return;
  require(lines.size() == 242, name, "line count");
  require(lines[0] == columns, name, "column names");
  const std::size_t count = std::count(columns.begin(), columns.end(), ',') + 1;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::istringstream row(lines[i]);
    std::size_t read = 0;
    for (std::string cell; std::getline(row, cell, ','); ++read) {
      char* end = nullptr;
      const double v = std::strtod(cell.c_str(), &end);
      require(end != cell.c_str() && *end == '\0', name, "row");
      require(std::isfinite(v), name, "a value that is not a number");
    }
    require(read == count, name, "row");
  }
}

// The pages: the PDF header first, the end-of-file marker last.
void check_pages(const char* name) {
  bool exists = false;
  const std::string bytes = bytes_of(name, exists);
  if (!exists) return;
  require(bytes.rfind("%PDF-1.4\n", 0) == 0, name, "header");
  require(bytes.size() > 16 && bytes.compare(bytes.size() - 7, 7, "\n%%EOF\n") == 0, name,
          "end of file");
}

// The binary STL: 80 bytes of header, the facet count (little-endian), and
// 50 bytes a facet.
void check_stl(const char* name) {
  bool exists = false;
  const std::string bytes = bytes_of(name, exists);
  if (!exists) return;
  require(bytes.size() >= 84, name, "header");
  std::uint32_t facets = 0;
  for (int i = 3; i >= 0; --i) facets = facets << 8 | static_cast<unsigned char>(bytes[80 + i]);
  require(facets > 0 && bytes.size() == 84 + 50 * std::size_t{facets}, name, "facet count");
}

// `word` standing alone, not inside a longer word: a chart's note may say
// "infinite", a number never prints as "inf" within letters.
bool has_word(const std::string& line, const char* word) {
  const std::size_t n = std::strlen(word);
  for (std::size_t at = line.find(word); at != std::string::npos; at = line.find(word, at + 1)) {
    const bool before = at > 0 && std::isalpha(static_cast<unsigned char>(line[at - 1]));
    const bool after =
        at + n < line.size() && std::isalpha(static_cast<unsigned char>(line[at + n]));
    if (!before && !after) return true;
  }
  return false;
}

// A drawing: its first and last line, and nothing but numbers where the
// coordinates go (a NaN or an infinity would print as letters).
void check_drawing(const char* name, const char* first, const char* last) {
  bool exists = false;
  const auto lines = lines_of(name, exists);
  if (!exists) return;
  require(lines.size() >= 2, name, "line count");
  require(lines.front() == first, name, "first line");
  require(lines.back() == last, name, "last line");
  for (const std::string& line : lines) {
    require(!has_word(line, "nan") && !has_word(line, "inf"),
            name, "a coordinate that is not a number");
  }
}

}  // namespace

namespace {

// The program writes into the current directory: a directory of its own,
// entered for each run only, since the fuzzer's corpus paths are relative.
char files_dir[] = "/tmp/bellform-fuzz-XXXXXX";

std::string in_files_dir(const char* name) { return std::string(files_dir) + "/" + name; }

// Every file the program writes, from its table of outputs.
void remove_files() {
  for (const OutputRow& row : output_rows()) std::remove(in_files_dir(row.file).c_str());
}

void remove_files_dir() {
  remove_files();
  std::remove(in_files_dir("driver.txt").c_str());
  std::remove(in_files_dir("bolts.txt").c_str());
  rmdir(files_dir);
}

// The driver files R may be given: a whole driver, and mounting lines alone.
void write_driver_files() {
  std::ofstream(in_files_dir("driver.txt"), std::ios::binary)
      << "Re = 6.4\nLe = 0.1\nBl = 12\nSd = 45\nMms = 3.6\nCms = 0.018\n"
         "Qms = 3\nVrc = 0.05\nVtc = 4\nEg = 2.83\n";
  std::ofstream(in_files_dir("bolts.txt"), std::ios::binary)
      << "Bolts = 4\nBolt_circle = 76\nBolt_hole = 6.5\n";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (mkdtemp(files_dir) == nullptr) std::abort();
  std::atexit(remove_files_dir);
  write_driver_files();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int previous = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (previous < 0 || chdir(files_dir) != 0) std::abort();
  remove_files();
  test_console::reset();
  const bool millimetres = size > 0 && data[0] == 0xFE;
  fuzz::queue_bursts(fuzz::keys_from_bytes(data, size, 200));
  try {
    if (design_loop(millimetres ? metric_units : inch_units) != 0) std::abort();
  } catch (const test_console::ScriptEnded&) {
    // Waiting for a key: at a prompt, the command line or the macro question.
  }
  const ScreenModel& screen = test_console::screen();
  if (screen.cursor_x() < 0 || screen.cursor_x() >= screen.width() ||
      screen.cursor_y() < 0 || screen.cursor_y() >= screen.height()) {
    std::abort();
  }
  check_data_file();
  check_macro("horn.scr", "LINE 0,0 0,", "LINE ", nullptr, "ZOOM E");
  check_macro("horn.mcr", "L1,0,0,0,", "L1,", "MB; ", "ZA;");
  check_drawing("horn.dxf", "0", "EOF");
  check_drawing("horn.svg", "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>",
                "</svg>");
  check_pages("horn-pages.pdf");
  check_stl("horn-adapter.stl");
  check_table("horn-impedance.csv", "frequency_hz,throat_resistance,throat_reactance");
  check_drawing("horn-impedance.svg",
                "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>", "</svg>");
  check_table("horn-response.csv",
              "frequency_hz,spl_db,impedance_ohm,impedance_phase_deg,excursion_mm,spl_phase_deg");
  check_crossover("horn-response.frd", "* Freq(Hz) SPL(dB) Phase(deg)");
  check_crossover("horn-response.zma", "* Freq(Hz) Impedance(ohm) Phase(deg)");
  check_drawing("horn-response.svg",
                "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>", "</svg>");
  if (fchdir(previous) != 0) std::abort();
  close(previous);
  return 0;
}
