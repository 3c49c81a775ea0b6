// The pages to print for horns of many sizes: the count, the map's scale,
// the last page's label, which pins the grid's last row and column, and the
// marks where printed pages meet.
#include <cstdio>
#include <map>

#include "cli/command_line.h"
#include "cli/options.h"
#include "dialogue.h"

namespace bellform::testing {
namespace {

struct Pages {
  const char* name;
  std::vector<const char*> horn;
  int pages;          // in the file, the map included
  const char* scale;  // the map's, or none
  const char* last;   // the last page's place
  const char* data = nullptr;  // the files in tests/data it writes
};

class PageCount : public Dialogue, public ::testing::WithParamInterface<Pages> {};

TEST_P(PageCount, CoverTheSheetAndLeaveOutBlankWindows) {
  const Pages& p = GetParam();
  std::vector<const char*> argv = {"bellform", "--pdf", "p.pdf", "--svg", "p.svg"};
  argv.insert(argv.end(), p.horn.begin(), p.horn.end());
  ASSERT_EQ(0, run_command(argv));
  const std::string pdf = file("p.pdf"), n = std::to_string(p.pages);
  EXPECT_NE(std::string::npos, pdf.find("/Count " + n + " >>"));
  const std::string map = p.scale ? std::string("(Map of the pages, ") + p.scale + " - not at true"
                                  : "(Map of the pages";
  EXPECT_EQ(p.scale != nullptr, pdf.find(map) != std::string::npos);
  const std::size_t last = pdf.rfind("(page ");
  EXPECT_EQ("(page " + n + " of " + n + ": " + p.last + ")",
            pdf.substr(last, pdf.find(')', last) - last + 1));
  // A half diamond where two printed pages meet, and nowhere else: each
  // page, its marks before its label, has one a printed neighbour.
  std::map<std::pair<int, int>, int> marks;  // by row and column
  for (std::size_t at = 0, from = 0; (at = pdf.find("(page ", at)) != std::string::npos;
       from = at++) {
    int row = 0, column = 0, count = 0;
    std::sscanf(pdf.c_str() + pdf.find(": row ", at), ": row %d, column %d", &row, &column);
    for (std::size_t m = pdf.find(" l S\n", from); m < at; m = pdf.find(" l S\n", m + 1)) ++count;
    marks[{row, column}] = count;
  }
  for (const auto& [place, count] : marks) {
    const auto [r, c] = place;
    EXPECT_EQ(marks.count({r - 1, c}) + marks.count({r + 1, c}) + marks.count({r, c - 1}) +
                  marks.count({r, c + 1}),
              static_cast<std::size_t>(count))
        << "row " << r << ", column " << c;
  }
  if (p.data) {
    EXPECT_EQ(read_file(std::string(BELLFORM_DATA_DIR "/") + p.data + "-pages.pdf"), pdf);
    EXPECT_EQ(read_file(std::string(BELLFORM_DATA_DIR "/") + p.data + ".svg"), file("p.svg"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageCount,
    ::testing::Values(
        Pages{"WorkedExample", {"--mouth=12x12", "--throat=2"}, 7, "1:3", "row 3, column 2"},
        Pages{"WorkedExampleOnA4", {"--mm", "--mouth=304.8x304.8", "--throat=50.8"}, 7, "1:3",
              "row 3, column 2"},
        Pages{"OneWindowNoMap", {"--mouth=3x3", "--throat=1"}, 1, nullptr, "row 1, column 1",
              "horn-small"},
        Pages{"BassHorn", {"--mouth=40x30", "--throat=3"}, 34, "1:8", "row 8, column 7"},
        // Sheets reaching a fraction of a window into another row or column.
        Pages{"Mouth8x6", {"--mouth=8x6", "--throat=2"}, 3, "1:2", "row 2, column 1"},
        Pages{"Mouth16x12", {"--mouth=16x12", "--throat=2"}, 12, "1:4", "row 4, column 3",
              "horn-16x12"},
        Pages{"Mouth30x20", {"--mouth=30x20", "--throat=2"}, 26, "1:6", "row 6, column 6"}),
    [](const ::testing::TestParamInfo<Pages>& info) { return info.param.name; });

}  // namespace
}  // namespace bellform::testing
