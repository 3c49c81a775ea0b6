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
  EXPECT_NE(std::string::npos, csv.find("\n2560.00,97.54,7.083,-11.74,0.0091,-14.51\n"));
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
  // A name from the user is text in the picture, whatever its bytes.
  write_response_svg(named, table, driver, "a&b<\xff.txt", rec, 283);
  EXPECT_NE(std::string::npos, named.find(">driver a&amp;b&lt;\xef\xbf\xbd.txt at 2.83 V<"));
  write_response_svg(svg, table, driver, "example-driver.txt", rec, first_screen_cutoff(rec));
  if (std::getenv("BELLFORM_WRITE_DOCS")) std::ofstream(docs / "horn-response.svg") << svg;
  EXPECT_EQ(read_file(docs / "horn-response.svg"), svg);
}

// Closed forms, the conversions, and each part of the example driver (its
// chambers and inductance taken out) moving the worked example's response
// as the physics says: a level's or phase's change, a magnitude's ratio.
TEST(Response, ClosedFormsAndWhatEachPartDoes) {
  const double Sd = std::numbers::pi * 0.05 * 0.05, air = 16 * 1.205 * 0.05 * 0.05 * 0.05 / 3;
  EXPECT_NEAR(0.01 - air, mmd_from_mms(0.01, Sd), 1e-15);
  EXPECT_NEAR(2, rms_from_qms(5, 0.01 - air, 1e-4, Sd), 1e-12);  // sqrt(1e-2 / 1e-4) / 5
  // A load of rho c / S1 and the diaphragm at its resonance (row 120, 640 Hz):
  // all real, R = Bl^2/Re + Rms + Sd^2 rho c / S1 against Eg Bl / Re.
  ImpedanceTable flat;
  for (int i = 0; i < impedance_rows; ++i) flat.rows[i] = {impedance_frequency(i), 1, 0, 1};
  const double w = 2 * std::numbers::pi * 640, S1 = 5e-4, rho_c = 1.205 * 335.28;
  ResponseTable t;
  ASSERT_EQ("", driver_response(flat, S1, {8, 0, 10, 1e-3, 2e-3, 1 / (w * w * 2e-3), 1}, t));
  const double load = 1e-6 * rho_c / S1, v = 2.83 * 10 / 8 / (100.0 / 8 + 1 + load);
  const double pressure2 = rho_c * v * v * 1e-6 * rho_c / S1 / (2 * std::numbers::pi);
  EXPECT_NEAR(10 * std::log10(pressure2 / 4e-10), t.rows[120].spl, 1e-9);
  EXPECT_NEAR(8 + 100 / (1 + load), t.rows[120].impedance, 1e-9);
  EXPECT_NEAR(0, t.rows[120].phase, 1e-9);
  EXPECT_NEAR(1000 * std::sqrt(2) * v / w, t.rows[120].excursion, 1e-12);
  EXPECT_NEAR(90, t.rows[120].spl_phase, 1e-9);  // j w rho on a real flow

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
  EXPECT_EQ("bellform: note: Within 6 dB from 427 Hz (Fc 283 Hz).\n", err);
  EXPECT_NE(std::string::npos, file("b").find("\n* driver driver.txt at 2.83 V\n"));
}

// A driver file's bytes (or, without them, a name to read from disk) and
// the one sentence it gets, empty for a driver: Re 6.4 ohm and Sd 45 cm2.
struct DriverCase {
  const char* bytes;
  const char* fault;
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
  EXPECT_TRUE(*c.fault || (d.Re == 6.4 && std::fabs(d.Sd - 45e-4) < 1e-18 && d.Eg == 2.83));
}

#define KNOWN " (Re Le Bl Sd Mmd Mms Cms Rms Qms Vrc Vtc Eg Bolts Bolt_circle Bolt_hole)."
const DriverCase cases[] = {
    {GOOD, ""},
    {"\xef\xbb\xbf# Windows\r\n rE = 6,4 # ohm\r\nBL=12\r\n\r\nsd\t= 45\r\nMMS=3,6\r\n"
     "cms=1.8e-2\r\nQMS = 3", ""},
    {"", "driver.txt: the file is empty."},
    {"\xef\xbb\xbf", "driver.txt: the file is empty."},
    {"Re=6.4\0", "driver.txt: not a text file.", 7},
    {too_large.c_str(), "driver.txt: over 64 KB, too large for a driver file.", too_large.size()},
    {GOOD "Xmax = 3", "driver.txt, line 7: unknown name Xmax" KNOWN},
    {"Rsm = 1", "driver.txt, line 1: unknown name Rsm" KNOWN},
    {"\x1b[2J = 1", "driver.txt, line 1: unknown name ?[2J" KNOWN},
    {GOOD "RE = 8", "driver.txt, line 7: Re is given twice, first on line 1."},
    {"Re=6.4\nSd=45\n\nbl = 0", "driver.txt, line 4: Bl must be a number above 0."},
    {"Bl = 12 T m", "driver.txt, line 1: Bl must be a number above 0."},
    {"Bl = 1e999", "driver.txt, line 1: Bl must be a number above 0."},
    {"Sd = 1e-322", "driver.txt, line 1: Sd must be a number above 0."},
    {"Re=6.4\nBl=12\nSd=45\nMms=1e308\nCms=0.018\nQms=3\n",
     "driver.txt, line 6: Qms gives no Rms with this Mms and Cms: out of range."},
    {"Le = -1", "driver.txt, line 1: Le must be a number, 0 or above."},
    {"Re 6.4", "driver.txt, line 1: expected name = value."},
    {"Re=6.4\nBl=12\nMmd=3\nCms=0.018\nRms=1\n", "driver.txt: Sd is missing."},
    {GOOD "Mms = 3", "driver.txt, line 7: give Mmd or Mms, not both."},
    {"Re=6.4\nBl=12\nSd=45\nCms=0.018\nRms=1\n", "driver.txt: Mmd or Mms is missing."},
    {"Qms = 3\n" GOOD, "driver.txt, line 7: give Rms or Qms, not both."},
    {"Re=6.4\nBl=12\nSd=45\nMmd=3\nCms=0.018\n", "driver.txt: Rms or Qms is missing."},
    {"Re=6.4\nBl=12\nMms=0.3\nSd=45\nCms=0.018\nRms=1\n",
     "driver.txt, line 3: Mms must be above 0.3484 g, the air load of the diaphragm."},
    {"bolts = 2\nBolt_circle = 76", "driver.txt: Re is missing."},
    {GOOD "Bolts = 2.5", "driver.txt, line 7: Bolts must be a whole number from 2 to 12, or 0 for none."},
    {GOOD "Bolt_hole = 5\nBolts = 4", "driver.txt, line 8: Bolts needs Bolt_circle, the diameter of their circle."},
    {"", "Could not read the driver file no-such-driver.txt.", 0, "no-such-driver.txt"},
    {"", "Could not read the driver file /.", 0, "/"}};
INSTANTIATE_TEST_SUITE_P(Reader, DriverFileTest, ::testing::ValuesIn(cases));

}  // namespace
}  // namespace bellform::testing
