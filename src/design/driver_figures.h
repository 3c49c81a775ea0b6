// The figures a data sheet gives for a driver, found from the model's own
// values, and the lines that show them under the response.
#pragma once

#include <string>

#include "geometry/impedance.h"
#include "geometry/response.h"

namespace bellform {

// The stiffness of air data sheets state Vas in: rho c^2 at 20 degrees C
// (1.204 kg/m^3, 343.3 m/s). The response keeps the program's own air.
constexpr double data_sheet_pressure = 1.419e5;  // Pa

struct DriverFigures {
  double Fs = 0;   // Hz, of Mms (Mmd with its air load) on Cms
  double Qes = 0;
  double Qms = 0;  // infinite for an Rms of 0
  double Qts = 0;
  double Vas = 0;  // m^3
};

DriverFigures driver_figures(const DriverParams& driver);

// Fs to three figures: "625 Hz", "1.05 kHz".
std::string frequency_text(double hz);
// A figure to two significant digits, no exponent where it is not needed:
// "0.32", "0.05", "2.2", "120".
std::string figure_text(double value);

// "Fs 1.05 kHz, Qts 0.32, Vas 0.05 l, Sd/St 2.2", St in m^2 the area
// where the impedance table's air path starts.
std::string figures_text(const DriverParams& driver, double start_area);

// Xmax's line under the response: "Excursion over Xmax below F Hz at E V."
// (F the highest of the table's frequencies where the peak excursion
// passes Xmax) or "Excursion stays under Xmax at E V.".
std::string xmax_line(double xmax_mm, const ResponseTable& table, double Eg);

}  // namespace bellform
