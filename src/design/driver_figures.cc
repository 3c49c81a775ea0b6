#include "design/driver_figures.h"

#include <cmath>
#include <numbers>

#include "design/texts.h"

namespace bellform {

DriverFigures driver_figures(const DriverParams& d) {
  const double mms = d.Mmd + air_load_mass(d.Sd);
  const double omega = 1 / std::sqrt(mms * d.Cms);
  const double electrical = d.Bl * d.Bl / d.Re;  // the coil's damping, N s/m
  DriverFigures f;
  f.Fs = omega / (2 * std::numbers::pi);
  f.Qes = omega * mms / electrical;
  f.Qms = omega * mms / d.Rms;
  f.Qts = omega * mms / (electrical + d.Rms);
  f.Vas = data_sheet_pressure * d.Sd * d.Sd * d.Cms;
  return f;
}

namespace {

// `digits` significant digits, without an exponent while the number is of
// a sensible size; trailing zeros kept.
std::string significant(double value, int digits) {
  if (!(value >= 1e-4 && value < 1e9)) return text_of("%.*g", digits, value);
  const int magnitude = static_cast<int>(std::floor(std::log10(value)));
  const int decimals = digits - 1 - magnitude;
  return text_of("%.*f", decimals > 0 ? decimals : 0, value);
}

}  // namespace

std::string frequency_text(double hz) {
  if (hz >= 999.5) return significant(hz / 1000, 3) + " kHz";
  return significant(hz, 3) + " Hz";
}

std::string figure_text(double value) {
  std::string text = significant(value, 2);
  if (text.find('.') != std::string::npos && text.find('e') == std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

std::string figures_text(const DriverParams& driver, double start_area) {
  const DriverFigures f = driver_figures(driver);
  return "Fs " + frequency_text(f.Fs) + ", Qts " + figure_text(f.Qts) + ", Vas " +
         figure_text(f.Vas * 1e3) + " l, Sd/St " + figure_text(driver.Sd / start_area);
}

std::string xmax_line(double xmax_mm, const ResponseTable& table, double Eg) {
  double over = 0;
  for (const ResponseRow& row : table.rows)
    if (row.excursion > xmax_mm) over = row.frequency;
  if (over == 0) return text_of("Excursion stays under Xmax at %.4g V.", Eg);
  return text_of("Excursion over Xmax below %.0f Hz at %.4g V.", over, Eg);
}

}  // namespace bellform
