// Millimetres: the same horns typed and shown in mm, the geometry in inches.
#include <cstdio>
#include <string>
#include <vector>

#include "console/console.h"
#include "dialogue.h"

namespace bellform::testing {
namespace {

using Metric = Dialogue;

constexpr const char* worked_example_mm = "304.8\r304.8\r50.8\r\r";

// The texts and steps in millimetres, one dialogue each: what is typed after
// the four answers, and a row the screen must show.
TEST_F(Metric, TextsAndSteps) {
  struct Case {
    const char* answers;
    const char* commands;
    std::string row;
  } cases[] = {
      {worked_example_mm, "", "Top and bottom piece length=286.3 mm ** Angle=52.7 Deg."},
      {worked_example_mm, "", "Mouth dimensions = 304.8 x 304.8        " + banner_text},
      // From 5 mm, doubled until the 18 rows suffice: 20 mm.
      {worked_example_mm, "", " 20.0   23.26   68.55   1.473   3189"},
      {worked_example_mm, "", " 286.3  152.40  304.80  1.000   92902"},
      {worked_example_mm, "", "Throat to 50.8 mm diameter driver adapter thickness=20.5 mm (Fc=283 Hz)"},
      {worked_example_mm, "", "<Enter>-end  <S> Square  <F> File  <M> Macro * Throat to mouth length=256.6 mm"},
      {worked_example_mm, "", " Input new length (mouth to 50.8 x 50.8 square throat mm) >"},
      {"304.8\r304.8\r50.8\r", "", "Input driver throat diameter (Round - mm <Cr> = 50.8 mm) >"},
      // A driver typed is echoed as typed; its adapter is that of the same
      // horn in inches, 5.386 inches, times 25.4.
      {"300\r300\r50\r25\r", "", "Throat to 25 mm diameter driver adapter thickness=136.8 mm (Fc=287 Hz)"},
      {worked_example_mm, "76.2\r", "<Enter>-end  <S> Square  <F> File  <M> Macro * Throat to mouth length=76.2 mm"},
      // A length too small to be anything in inches is refused, not the end.
      {worked_example_mm, "1e-323\r", "That length is too large or too small to lay out."},
      {worked_example_mm, "F\r0\r", "The step must be a number above 0 mm."},
      {worked_example_mm, "F\r0.254\r", "Step too small: over 499 stations. Smallest step that fits: 0.6 mm."},
      // A bass horn: 2.5 mm apart would need some 700 stations.
      {"1524\r1016\r76.2\r\r", "M\rA", "Piece too long for stations 2.5 mm apart: step 5 mm used."},
      // A horn of 3 m: every line whole within its 80 characters.
      {"3000\r3000\r100\r\r", "", "<Enter>-end  <S> Square  <F> File  <M> Macro * Throat to mouth length=5237.9 mm"},
      {"3000\r3000\r100\r\r", "", " 5434.9         1500.00         3000.00         1.000   8999983"},
      {"3000\r3000\r100\r\r", "3000\r", "Throat to 100 mm diameter driver adapter thickness=2442.2 mm (Fc=29 Hz)"},
      {"3000\r3000\r100\r\r", "", " Input new length (mouth to 100.0 x 100.0 square throat mm) >"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    test_console::reset();
    test_console::type(c.answers);
    test_console::type(c.commands);
    ASSERT_EQ(-1, run(metric_units));
    EXPECT_GE(row_reading(c.row), 0);
  }
}

// 12.7 mm is half an inch: the stations of the example's data file, each
// length times 25.4 and each area times 645.16, to the digits printed.
TEST_F(Metric, WorkedExampleFilesInMillimetres) {
  test_console::type(worked_example_mm);
  test_console::type("F\r12.7\rM\rDm\rSm\rA");
  ASSERT_EQ(-1, run(metric_units));
  const auto inch = table_rows(example_file("bellform.txt"));
  const auto mm = table_rows(file("bellform.txt"));
  ASSERT_EQ(24u, inch.size());
  ASSERT_EQ(inch.size(), mm.size());
  // Half a unit of the last digit printed in mm, and of the inch figure.
  const double slack[] = {0.05 + 0.005 * 25.4, 0.005 + 0.0005 * 25.4,
                          0.005 + 0.0005 * 25.4, 0.0005, 0.5 + 0.0005 * 645.16};
  const double factor[] = {25.4, 25.4, 25.4, 1, 645.16};
  for (std::size_t r = 0; r < inch.size(); ++r)
    for (int k = 0; k < 5; ++k)
      EXPECT_NEAR(inch[r][k] * factor[k], mm[r][k], slack[k]) << "row " << r << " column " << k;
  const std::string text = file("bellform.txt");
  EXPECT_NE(std::string::npos, text.find("\n Throat to mouth length=256.6 mm\n"
                                         " Throat dimensions 50.8 mm square\n"
                                         "Jig dimensions:\n"
                                         " Center line extended (len_ext)=307.86 mm\n"
                                         "  Extention (b)=51.3101 mm\n"));

  EXPECT_EQ(read_file(std::string(BELLFORM_DATA_DIR) + "/horn-mm.dxf"), file("horn.dxf"));
  EXPECT_EQ(read_file(std::string(BELLFORM_DATA_DIR) + "/horn-mm.svg"), file("horn.svg"));
  EXPECT_EQ(read_file(std::string(BELLFORM_DATA_DIR) + "/horn-mm-pages.pdf"),
            file("horn-pages.pdf"));
  // The script in mm, 2.5 mm apart: from the throat's half width to the
  // mouth, where the inch example's script ends, times 25.4.
  const std::string script = file("horn.scr");
  EXPECT_EQ(0u, script.find("LINE 0,0 0,25.3992 \nLINE 0,25.3992 2.5,"));
  double x, y;
  ASSERT_EQ(2, std::sscanf(script.c_str() + script.rfind("LINE "), "LINE %*s %lf,%lf", &x, &y));
  EXPECT_NEAR(11.2702 * 25.4, x, 0.001);
  EXPECT_NEAR(5.99992 * 25.4, y, 0.001);
}

}  // namespace
}  // namespace bellform::testing
