// The numbers that look like a slip of the unit or of the sheet: said, not
// refused, as a driver may really be so; a wrong unit must not pass
// silently into a confident chart.
#include <cmath>

#include "design/driver_figures.h"
#include "design/driver_model.h"
#include "design/texts.h"

namespace bellform {

namespace {

using namespace sheet;

constexpr int most_slips = 3;
constexpr double lowest_fs = 10, highest_fs = 5000;  // Hz
constexpr double lowest_re = 1, highest_re = 100;    // ohm
constexpr double disagreement = 0.1;

// "Cms (mm/N)": a name given, in the unit its line gave it in.
std::string with_unit(const DriverLines& r, int name) {
  const char* unit = r.unit[name];
  return std::string(name_of(name)) + (unit && *unit ? std::string(" (") + unit + ")" : "");
}

// The given values Fs was found from, compliance first: "of Cms (mm/N) and
// of Mms (g)", or Fs itself where it made Mms or Cms.
std::string fs_slip(const DriverLines& r, double fs) {
  const bool fs_used = (!r.given(Cms) && !r.given(Vas)) || (!r.given(Mms) && !r.given(Mmd));
  if (fs_used)
    return "Note: Fs is " + frequency_text(fs) + " (line " + std::to_string(r.line[Fs]) +
           "): check its unit (" + r.unit[Fs] + ").";
  int names[3], n = 0;
  if (r.given(Cms)) {
    names[n++] = Cms;
  } else {
    names[n++] = Vas;
    names[n++] = Sd;
  }
  names[n++] = r.given(Mms) ? Mms : Mmd;
  std::string text = "Note: Fs from Mms and Cms is " + frequency_text(fs) + ": check the unit";
  for (int i = 0; i < n; ++i)
    text += std::string(i == 0 ? " of " : i + 1 == n ? " and of " : ", of ") + with_unit(r, names[i]);
  return text + ".";
}

// A value the file gives against the same from the others.
struct Check {
  int name;
  const char* from;           // "from Mms and Cms"
  double DriverFigures::*figure;
  double scale;               // to the unit shown
  bool frequency;
  const char* unit;           // after a figure
};

constexpr Check checks[] = {
    {Fs, "from Mms and Cms", &DriverFigures::Fs, 1, true, ""},
    {Vas, "from Cms and Sd", &DriverFigures::Vas, 1e3, false, " l"},
    {Qes, "from Bl, Mms and Cms", &DriverFigures::Qes, 1, false, ""},
    {Qts, "from Qes and Qms", &DriverFigures::Qts, 1, false, ""},
};

std::string shown(const Check& c, double value) {
  const double v = value * c.scale;
  return c.frequency ? frequency_text(v) : figure_text(v) + c.unit;
}

}  // namespace

std::vector<std::string> slip_notes(const DriverLines& r, const DriverParams& driver) {
  const DriverFigures f = driver_figures(driver);
  std::vector<std::string> notes;
  if (!(f.Fs >= lowest_fs && f.Fs <= highest_fs)) notes.push_back(fs_slip(r, f.Fs));
  if (!(driver.Re >= lowest_re && driver.Re <= highest_re))
    notes.push_back("Note: Re is " + figure_text(driver.Re) + " ohm (line " +
                    std::to_string(r.line[Re]) + "): a voice coil's is 1 to 100 ohm.");
  for (const Check& c : checks) {
    const double given = r.value[c.name], found = f.*c.figure;
    if (!r.given(c.name) || std::fabs(found - given) <= disagreement * given) continue;
    notes.push_back("Note: " + std::string(name_of(c.name)) + " " + c.from + " is " +
                    shown(c, found) + "; the file says " + shown(c, given) + " (line " +
                    std::to_string(r.line[c.name]) + ").");
  }
  if (notes.size() > most_slips) notes.resize(most_slips);
  return notes;
}

}  // namespace bellform
