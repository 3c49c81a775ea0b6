// The horn played by a driver: against the independent reference, against
// closed forms and the way each part moves it; and the driver file's faults.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include "design/driver_file.h"
#include "design/horn_response.h"
#include "design/report.h"
#include "dialogue.h"
#include "writers/response_files.h"

namespace bellform::testing {
namespace {

namespace fs = std::filesystem;
const fs::path docs = BELLFORM_DOCS_DIR;

DesignRecord worked_example_horn() {
  DesignRecord rec;
  rec.W = rec.H = 12;
  rec.T = rec.D = 2;
  rec.radii = design_radii(12, 12, 2);
  rec.L = natural_length(rec.radii);
  return rec;
}

// The reference (tests/reference/response_reference.py, a linear solve of
// the driver's circuit) on every row; the table's file and the README's
// chart, rewritten by BELLFORM_WRITE_DOCS=1.
TEST(Response, WorkedExampleAgreesWithTheReference) {
  DriverFile file;
  ASSERT_EQ("", load_driver_file((docs / "example-driver.txt").string(), file));
  const DriverParams& driver = file.driver;
  const DesignRecord rec = worked_example_horn();
  ResponseTable table;
  ASSERT_EQ("", horn_response(rec, driver, table));
  std::istringstream want(example_file("horn-response-reference.csv"));
  std::string line, csv, svg, named;
  write_response_csv(csv, table);
  std::getline(want, line);
  EXPECT_EQ(0u, csv.find(line + "\n"));
  EXPECT_EQ(242, std::count(csv.begin(), csv.end(), '\n'));
  EXPECT_NE(std::string::npos, csv.find("\n2560.00,97.56,7.082,-11.69,0.0091,-14.53\n"));
  for (const ResponseRow& got : table.rows) {
    double f, spl, ohm, deg, mm, spl_deg;
    ASSERT_TRUE(std::getline(want, line) &&
                std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf,%lf,%lf", &f, &spl, &ohm, &deg, &mm,
                            &spl_deg) == 6);
    EXPECT_NEAR(f, got.frequency, 0.005);
    EXPECT_NEAR(spl, got.spl, 0.01) << f;
    EXPECT_NEAR(ohm, got.impedance, ohm * 1e-3) << f;
    EXPECT_NEAR(deg, got.phase, 0.06) << f;
    EXPECT_NEAR(mm, got.excursion, mm * 1e-3) << f;
    EXPECT_NEAR(0, std::remainder(spl_deg - got.spl_phase, 360), 0.06) << f;
  }
  // A name from the user is text in the picture, whatever its bytes; the
  // driver's figures beside it, Sd over the 2 inch circle (pi square inches)
  // where the air path starts; Xmax labelled on the excursion.
  const double start_area = std::numbers::pi * 0.0254 * 0.0254;
  DriverFile other = file;
  other.name = "a&b<\xff.txt";
  other.xmax = 0.05;
  write_response_svg(named, table, other, start_area, rec, 283);
  EXPECT_NE(std::string::npos, named.find(">driver a&amp;b&lt;\xef\xbf\xbd.txt at 2.83 V: Fs 625 Hz, "
                                          "Qts 0.52, Vas 0.052 l, Sd/St 2.2<"));
  EXPECT_NE(std::string::npos, named.find(">Xmax 0.05 mm<"));
  file.name = "example-driver.txt";
  write_response_svg(svg, table, file, start_area, rec, first_screen_cutoff(rec));
  if (std::getenv("BELLFORM_WRITE_DOCS")) std::ofstream(docs / "horn-response.svg") << svg;
  EXPECT_EQ(read_file(docs / "horn-response.svg"), svg);
}

// The conversions by hand, and each part of the example driver (its
// chambers and inductance taken out) moving the worked example's response
// as the physics says: a level's or phase's change, a magnitude's ratio.
// The response itself: against the reference, above.
TEST(Response, ConversionsAndWhatEachPartDoes) {
  // A 10 cm piston carries 0.80333 g of air: 16 x 1.205 x 0.05^3 / 3 kg.
  const double Sd = std::numbers::pi * 0.05 * 0.05, air = 0.80333e-3;
  EXPECT_NEAR(0.01 - air, mmd_from_mms(0.01, Sd), 1e-8);
  EXPECT_NEAR(2, rms_from_qms(5, 0.01 - air, 1e-4, Sd), 1e-5);  // sqrt(1e-2 / 1e-4) / 5

  const DesignRecord rec = worked_example_horn();
  DriverFile file;
  ASSERT_EQ("", load_driver_file((docs / "example-driver.txt").string(), file));
  DriverParams base = file.driver;
  base.Vrc = base.Vtc = base.Le = 0;
  ResponseTable before, after;
  ASSERT_EQ("", horn_response(rec, base, before));
  using Change = void (*)(DriverParams&);
  const Change rear = [](DriverParams& d) { d.Vrc = 0.05e-3; };
  const Change front = [](DriverParams& d) { d.Vtc = 4e-6; };
  const Change coil = [](DriverParams& d) { d.Le = 1e-4; };
  const Change louder = [](DriverParams& d) { d.Eg *= 2; };
  const struct {
    const char* what;
    Change change;
    int row;  // 0: 20 Hz, 40: 63 Hz, 120: 640 Hz, 240: 20480 Hz
    double ResponseRow::*value;
    double low, high;
  } cases[] = {
      {"a rear chamber stiffens the diaphragm", rear, 0, &ResponseRow::excursion, 0, 0.8},
      {"a front chamber shunts the top", front, 240, &ResponseRow::spl, -30, -1},
      {"and leaves the bottom", front, 40, &ResponseRow::spl, -0.01, 0.01},
      {"inductance lowers the top", coil, 240, &ResponseRow::spl, -30, -0.1},
      {"and turns the phase up there", coil, 240, &ResponseRow::phase, 5, 90},
      {"twice the voltage, 6.02 dB", louder, 120, &ResponseRow::spl, 6.0205, 6.0207},
      {"twice the excursion", louder, 0, &ResponseRow::excursion, 2 - 1e-12, 2 + 1e-12},
  };
  for (const auto& c : cases) {
    DriverParams d = base;
    c.change(d);
    ASSERT_EQ("", horn_response(rec, d, after));
    const double b = before.rows[c.row].*c.value, a = after.rows[c.row].*c.value;
    const bool ratio = c.value == &ResponseRow::impedance || c.value == &ResponseRow::excursion;
    const double moved = ratio ? a / b : a - b;
    EXPECT_TRUE(moved >= c.low && moved <= c.high) << c.what << ": " << moved;
  }
  base.Eg = 1e-9;  // a whisper: at the floor
  ASSERT_EQ("", horn_response(rec, base, after));
  EXPECT_EQ(lowest_spl, after.rows[0].spl);
  base.Bl = 1e200;  // a force out of the doubles
  EXPECT_EQ("This driver's numbers are too large or too small to compute its response.",
            horn_response(rec, base, after));
}

// Three drivers as data sheets give them, each three ways: the model's
// direct values; Fs, Vas, Qes and Qms; Fs, Vas, Qts and Qes with units, a
// byte-order mark and CR LF, and Pe for Eg. The same driver, so the same
// response; the values the response takes as given are pinned on each.
struct SheetDriver {
  const char* what;
  double W, H, T, D;  // its horn
  const char* ways[3];
  double Eg, Le, Vrc, Vtc;  // SI
};

const SheetDriver sheet_drivers[] = {
    {"1 inch compression driver", 12, 8, 1, 1,
     {"Re=6.25\nLe=0.04\nBl=6.5\nSd=15.5\nMms=0.6\nCms=0.0349\nQms=2.5\nVrc=0.015\nVtc=1.2\nEg=2.5",
      "Re=6.25\nLe=0.04\nSd=15.5\nFs=1099.846\nVas=0.01189792\nQes=0.6133611\nQms=2.5\n"
      "Vrc=0.015\nVtc=1.2\nEg=2.5",
      "\xef\xbb\xbfRe = 6.25 \xce\xa9\r\nLe = 40 \xb5H\r\nSd = 15.5 cm\xb2\r\nFs = 1.099846 kHz\r\n"
      "Vas = 0.01189792 L\r\nQts = 0.4925232\r\nQes = 0.6133611\r\nVrc = 0.015 dm\xc2\xb3\r\n"
      "Vtc = 1.2 cc\r\nPe = 1 W\r\nXmax = 0.02 in\r\nBolt_hole = 0.25 in\r\n"},
     2.5, 0.04e-3, 0.015e-3, 1.2e-6},
    {"2 inch compression driver", 12, 12, 2, 2,
     {"Re=7.84\nLe=0.12\nBl=16.5\nSd=60\nMmd=4.2\nCms=0.012\nRms=4.5\nVrc=0.06\nVtc=6\nEg=2.8",
      "Re=7.84\nLe=0.12\nSd=60\nFs=667.5832\nVas=0.0613008\nQes=0.5721128\nQms=4.414901\n"
      "Vrc=0.06\nVtc=6\nEg=2.8",
      "\xef\xbb\xbfRe = 7.84 ohms\r\nLe = 0.12 mH\r\nSd = 9.3000186 sq in\r\nFs = 667.5832 Hz\r\n"
      "Vas = 0.002164817 ft3\r\nQts = 0.5064797\r\nQes = 0.5721128\r\nVrc = 0.06 l\r\n"
      "Vtc = 6 cm\xc2\xb3\r\nPe = 1 W\r\n"},
     2.8, 0.12e-3, 0.06e-3, 6e-6},
    {"12 inch woofer with a rear chamber", 40, 30, 8, 10,
     {"Re=4\nLe=1.1\nBl=17\nSd=530\nMms=70\nCms=0.22\nQms=6\nVrc=30\nVtc=500\nEg=2",
      "Re=4\nLe=1.1\nSd=530\nFs=40.55643\nVas=87.69136\nQes=0.2468879\nQms=6\nVrc=30\nVtc=500\nEg=2",
      "\xef\xbb\xbfRe = 4.0\xe2\x84\xa6\r\nLe = 1.1mH\r\nSd = 0.053 m2\r\nFs = 40.55643 Hz\r\n"
      "Vas = 3.096791 cu ft\r\nQts = 0.2371305\r\nQes = 0.2468879\r\nVrc = 30 litres\r\n"
      "Vtc = 500 mL\r\nPe = 1 W\r\n"},
     2.0, 1.1e-3, 30e-3, 500e-6}};

TEST(Response, ThreeWaysOfGivingADriverPlayTheSame) {
  double widest = 0;  // dB, between the ways
  for (const SheetDriver& s : sheet_drivers) {
    SCOPED_TRACE(s.what);
    DesignRecord rec;
    rec.W = s.W, rec.H = s.H, rec.T = s.T, rec.D = s.D;
    rec.radii = design_radii(s.W, s.H, s.T);
    rec.L = natural_length(rec.radii);
    ResponseTable tables[3];
    for (int way = 0; way < 3; ++way) {
      DriverFile file;
      ASSERT_EQ("", parse_driver_file("driver.txt", s.ways[way], file)) << way;
      ASSERT_EQ("", file.response_fault) << way;
      EXPECT_TRUE(file.slips.empty()) << file.slips[0];
      const DriverParams& d = file.driver;
      EXPECT_NEAR(s.Eg, d.Eg, s.Eg * 1e-12) << way;
      EXPECT_NEAR(s.Le, d.Le, s.Le * 1e-12) << way;
      EXPECT_NEAR(s.Vrc, d.Vrc, s.Vrc * 1e-12) << way;
      EXPECT_NEAR(s.Vtc, d.Vtc, s.Vtc * 1e-12) << way;
      ASSERT_EQ("", horn_response(rec, d, tables[way]));
      if (way == 2 && s.D == 1) {
        EXPECT_NEAR(0.508, file.xmax, 1e-12);
        EXPECT_NEAR(6.35, file.bolts.hole, 1e-12);
      }
    }
    for (int way = 1; way < 3; ++way)
      for (int i = 0; i < impedance_rows; ++i)
        widest = std::max(widest, std::fabs(tables[way].rows[i].spl - tables[0].rows[i].spl));
  }
  EXPECT_LT(widest, 0.01);
  std::printf("The three ways agree within %.2g dB.\n", widest);
}

// The command line says where the horn starts to work once, however many
// response files it writes (the dialogue's lines: notices_test.cc); the
// driver file as the user named it.
using ResponseCommand = Dialogue;
TEST_F(ResponseCommand, NotesWhereTheHornStartsToWorkOnce) {
  fs::copy_file(docs / "example-driver.txt", "driver.txt");
  std::string err;
  EXPECT_EQ(0, run_command({"bellform", "--mouth", "12x12", "--throat", "2", "--driver-file",
                            "driver.txt", "--response-frd", "a", "--response-zma", "b"},
                           &err));
  EXPECT_EQ("bellform: note: Driver: Fs 625 Hz, Qts 0.52, Vas 0.052 l, Sd/St 2.2\n"
            "bellform: note: Within 6 dB from 427 Hz (Fc 283 Hz).\n",
            err);
  EXPECT_NE(std::string::npos, file("b").find("\n* driver driver.txt at 2.83 V\n"));
}

// A driver file's bytes (or, without them, a name to read from disk) and
// the one sentence it gets, empty for a driver: Re 6.4 ohm and Sd 45 cm2
// unless it gives notes, the slips and the names not used, one a line.
struct DriverCase {
  const char* bytes;
  const char* fault;
  const char* notes = "";
  std::size_t size = 0;        // when the bytes hold a NUL
  const char* disk = nullptr;  // read from there instead
};
class DriverFileTest : public ::testing::TestWithParam<DriverCase> {};
const std::string too_large(max_driver_file_bytes + 1, '#');

#define GOOD "Re=6.4\nBl=12\nSd=45\nMmd=3\nCms=0.018\nRms=1\n"
TEST_P(DriverFileTest, ReadsADriverOrSaysTheOneFault) {
  const DriverCase& c = GetParam();
  DriverFile file;
  const std::string_view bytes(c.bytes, c.size ? c.size : std::strlen(c.bytes));
  std::string fault =
      c.disk ? load_driver_file(c.disk, file) : parse_driver_file("driver.txt", bytes, file);
  if (fault.empty()) fault = file.response_fault;
  const DriverParams& d = file.driver;
  EXPECT_EQ(c.fault, fault) << c.bytes;
  std::string notes;
  for (const std::string& note : file.slips) notes += note + "\n";
  if (!file.unused.empty()) notes += file.unused + "\n";
  EXPECT_EQ(*c.notes ? c.notes + std::string("\n") : "", notes);
  EXPECT_TRUE(*c.fault || *c.notes ||
              (d.Re == 6.4 && std::fabs(d.Sd - 45e-4) < 1e-18 && d.Eg == 2.83));
}

#define KNOWN                                                                                  \
  " (Re Le Bl Sd Mmd Mms Cms Rms Qms Vrc Vtc Eg Fs Vas Qes Qts Xmax Pe Bolts Bolt_circle " \
  "Bolt_hole)."
#define SHEET "Re=6.4\nSd=45\nMms=3.6\n"
const DriverCase cases[] = {
    {GOOD, ""},
    {"\xef\xbb\xbf# Windows\r\n rE = 6,4 # ohm\r\nBL=12\r\n\r\nsd\t= 45\r\nMMS=3,6\r\n"
     "cms=1.8e-2\r\nQMS = 3", ""},
    // Units as sheets print them, UTF-8 or an old editor's single bytes.
    {"Re=6.4 \xce\xa9\nBl=12 T\xb7m\nSd=45cm\xc2\xb2\nMmd=0.003 kg\nCms=18 \xb5m/N\nRms=1 N s/m\n"
     "Le = 100uH\nVrc = 0.1 cu  ft\nVtc = 2 mL\nXmax = 0.02 in\nBolt_hole = 0.25in\n", ""},
    {"Re=6.4 ohm\nBl=12 N/A\nSd=0.0045m\xb2\nMms=3.6g\nVas=0.0517 l\nQts=0.5\nEg=2.83 V\n", ""},
    {"", "driver.txt: the file is empty."},
    {"\xef\xbb\xbf", "driver.txt: the file is empty."},
    {.bytes = "Re=6.4\0", .fault = "driver.txt: not a text file.", .size = 7},
    {.bytes = too_large.c_str(), .fault = "driver.txt: over 64 KB, too large for a driver file.",
     .size = too_large.size()},
    {GOOD "Xmas = 3", "driver.txt, line 7: unknown name Xmas" KNOWN},
    {"Rsm = 1", "driver.txt, line 1: unknown name Rsm" KNOWN},
    {"\x1b[2J = 1", "driver.txt, line 1: unknown name ?[2J" KNOWN},
    {GOOD "RE = 8", "driver.txt, line 7: Re is given twice, first on line 1."},
    {"Re=6.4\nSd=45\n\nbl = 0", "driver.txt, line 4: Bl must be a number above 0."},
    {"Bl = T 12", "driver.txt, line 1: Bl must be a number above 0."},
    {"Bl = 1e999", "driver.txt, line 1: Bl must be a number above 0."},
    {"Sd = 1e-322", "driver.txt, line 1: Sd must be a number above 0."},
    {"Xmax = 1e308 in", "driver.txt, line 1: Xmax must be a number above 0."},
    {"Re = 6.2 ohm x", "driver.txt, line 1: Re: text after the number: 6.2 ohm x."},
    {"Qes = 0.4 0.5", "driver.txt, line 1: Qes: text after the number: 0.4 0.5."},
    {"Re=6.4\nBl=12\nSd=45\nCms = 0.018 mm/kN",
     "driver.txt, line 4: Cms: unit mm/kN not known here (mm/N, m/N, um/N)."},
    {"Vtc = 4 l", "driver.txt, line 1: Vtc: unit l not known here (cm3, cc, ml)."},
    {"Re=6.4\nBl=12\nSd=45\nMms=1e308\nCms=0.018\nQms=3\n",
     "driver.txt: Rms from Mms, Cms and Qms (lines 4, 5 and 6) is out of range."},
    {"Le = -1", "driver.txt, line 1: Le must be a number, 0 or above."},
    {"Re 6.4", "driver.txt, line 1: expected name = value."},
    {"Re=6.4\nBl=12\nMmd=3\nCms=0.018\nRms=1\n", "driver.txt: Sd is missing."},
    {GOOD "Mms = 3", "driver.txt, line 7: give Mmd or Mms, not both."},
    {"Qms = 3\n" GOOD, "driver.txt, line 7: give Rms or Qms, not both."},
    {"Pe = 1\nEg = 2", "driver.txt, line 2: give Eg or Pe, not both."},
    // What the model cannot be completed without, and what would do.
    {SHEET "Bl=12\nQms=3\n", "driver.txt: Cms is missing: give Cms, or Vas, or Fs with Mms."},
    {"Re=6.4\nSd=45\nVas=0.05\nBl=12\nQms=3\n", "driver.txt: Mms is missing: give Mms, or Mmd, or Fs."},
    {SHEET "Fs=600\nQts=0.5\n", "driver.txt: Bl is missing: give Bl, or Qes, or Qts with Qms."},
    {SHEET "Fs=600\nQes=0.6\n", "driver.txt: Qms is missing: give Qms, or Rms, or Qts with Qes."},
    // A value out of range because of another names both lines.
    {"Re=6.4\nBl=12\nSd = 80000\nMms=3.6\nCms=0.018\nQms=3\n",
     "driver.txt, line 4: Mms must be above 2.612e+04 g, the air load of the Sd on line 3."},
    {"Re=6.4\nSd=45\nFs=5000\nCms=0.018\nBl=12\nQms=3\n",
     "driver.txt: Mms from Fs and Cms (lines 3 and 4) must be above 0.3484 g, the air load of the "
     "Sd on line 2."},
    {SHEET "Fs=600\nQms=3\nQts=3\n",
     "driver.txt, line 6: Qts must be below Qms (line 5), as 1/Qes = 1/Qts - 1/Qms."},
    {SHEET "Vas=0.05\nBl=12\nQts=9\n",
     "driver.txt, line 6: Qts must be below Qes from Re, Sd, Mms, Vas and Bl (lines 1, 2, 3, 4 and "
     "5), as 1/Qms = 1/Qts - 1/Qes."},
    {"bolts = 2\nBolt_circle = 76", "driver.txt: Re is missing."},
    {GOOD "Bolts = 2.5", "driver.txt, line 7: Bolts must be a whole number from 2 to 12, or 0 for none."},
    {GOOD "Bolt_hole = 5\nBolts = 4", "driver.txt, line 8: Bolts needs Bolt_circle, the diameter of their circle."},
    // Slips: said, and the driver still made.
    {SHEET "Bl=12\nCms=4.47e-5\nQms=3\n", "",
     "Note: Fs from Mms and Cms is 12.5 kHz: check the unit of Cms (mm/N) and of Mms (g)."},
    {"Re=6.4\nSd=0.008\nMms=3.6\nVas=0.05\nBl=12\nQms=3\n", "",
     "Note: Fs from Mms and Cms is 0.113 Hz: check the unit of Vas (l), of Sd (cm2) and of Mms (g)."},
    {GOOD "Fs = 1.1 kHz\n", "", "Note: Fs from Mms and Cms is 648 Hz; the file says 1.10 kHz (line 7)."},
    {"Re=0.64\nBl=12\nSd=45\nMmd=3\nCms=0.018\nRms=1\nFs=1100\nVas=0.01\nQes=0.3\n", "",
     "Note: Re is 0.64 ohm (line 1): a voice coil's is 1 to 100 ohm.\n"
     "Note: Fs from Mms and Cms is 648 Hz; the file says 1.10 kHz (line 7).\n"
     "Note: Vas from Cms and Sd is 0.052 l; the file says 0.01 l (line 8)."},
    {GOOD "Znom = 8 ohm\nSPL = 108 dB/W/m\nZNOM = 8\n", "",
     "Note: the file's Znom and SPL are not used."},
    {.bytes = "", .fault = "Could not read the driver file no-such-driver.txt: No such file or directory.",
     .disk = "no-such-driver.txt"},
    // The system's own words: Windows refuses to open a folder as a file.
#ifdef _WIN32
    {.bytes = "", .fault = "Could not read the driver file /: Permission denied.", .disk = "/"}};
#else
    {.bytes = "", .fault = "Could not read the driver file /: Is a directory.", .disk = "/"}};
#endif
INSTANTIATE_TEST_SUITE_P(Reader, DriverFileTest, ::testing::ValuesIn(cases));

}  // namespace
}  // namespace bellform::testing
