#include "writers/crossover_files.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "design/texts.h"
#include "geometry/passband.h"
#include "writers/horn_caption.h"
#include "writers/text_out.h"

namespace bellform {

double printed_phase(double degrees) {
  if (!std::isfinite(degrees)) return degrees;
  // Rounded as printf rounds, so a table printing the bare phase agrees.
  char text[400];
  std::snprintf(text, sizeof text, "%.2f", std::fmod(degrees, 360.0));
  double rounded = std::strtod(text, nullptr);
  if (rounded <= -180) rounded += 360;
  if (rounded > 180) rounded -= 360;
  return rounded + 0.0;  // -0 to 0
}

std::string passband_sentence(const ResponseTable& table, double Fc) {
  const double F6 = passband_start(table, Fc);
  if (F6 == 0) return text_of("No passband within the table (Fc %.0f Hz).", Fc);
  return text_of("Within 6 dB from %.0f Hz (Fc %.0f Hz).", F6, Fc);
}

namespace {

// A name as the user gave it, on a comment line of its own: a control
// character, a line feed above all, would end the line early.
std::string comment_text(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  return out;
}

void comments(TextOut& out, const ResponseTable& table, const DriverParams& driver,
              const std::string& driver_name, const DesignRecord& rec, double Fc,
              const char* columns) {
  out.put("* Bellform %s\n", version);
  out.put("* Response: %s\n", horn_words(rec).c_str());
  out.put("* driver %s at %.4g V\n", comment_text(driver_name).c_str(), driver.Eg);
  out.add("* level: radiated power on a half space at 1 m; "
          "phase: the mouth as a point source, relative to its plane\n");
  const double F6 = passband_start(table, Fc);
  if (F6 == 0)
    out.put("* F6: no passband within the table (Fc %.0f Hz)\n", Fc);
  else
    out.put("* F6 %.0f Hz: within 6 dB of the passband from there up (Fc %.0f Hz)\n", F6, Fc);
  out.put("* %s\n", columns);
}

// One of the two files: the comments, then a line a frequency of one
// magnitude and its phase.
struct Columns {
  const char* names;
  const char* format;
  double ResponseRow::*magnitude;
  double ResponseRow::*phase;
};

void write_crossover(std::string& bytes, const Columns& columns, const ResponseTable& table,
                     const DriverParams& driver, const std::string& driver_name,
                     const DesignRecord& rec, double Fc) {
  TextOut out(bytes);
  comments(out, table, driver, driver_name, rec, Fc, columns.names);
  for (const ResponseRow& row : table.rows)
    out.put(columns.format, row.frequency, row.*columns.magnitude,
            printed_phase(row.*columns.phase));
}

}  // namespace

void write_response_frd(std::string& bytes, const ResponseTable& table, const DriverParams& driver,
                        const std::string& driver_name, const DesignRecord& rec, double Fc) {
  write_crossover(bytes,
                  {"Freq(Hz) SPL(dB) Phase(deg)", "%.2f %.2f %.2f\n", &ResponseRow::spl,
                   &ResponseRow::spl_phase},
                  table, driver, driver_name, rec, Fc);
}

void write_response_zma(std::string& bytes, const ResponseTable& table, const DriverParams& driver,
                        const std::string& driver_name, const DesignRecord& rec, double Fc) {
  write_crossover(bytes,
                  {"Freq(Hz) Impedance(ohm) Phase(deg)", "%.2f %.3f %.2f\n",
                   &ResponseRow::impedance, &ResponseRow::phase},
                  table, driver, driver_name, rec, Fc);
}

}  // namespace bellform
