// The throat impedance as files: a table ("horn-impedance.csv") and a chart
// ("horn-impedance.svg") of the normalised resistance and reactance over
// frequency.
#pragma once

#include <string>

#include "design/record.h"
#include "geometry/impedance.h"

namespace bellform {

// Appends the table: a line of column names, then one line a frequency,
// "%.2f,%.4f,%.4f".
void write_impedance_csv(std::string& out, const ImpedanceTable& table);

// Appends the chart, 800 x 500 px: frequency on a log axis from 20 Hz to
// 20 kHz, impedance from -0.5 to 2, resistance solid and reactance dashed, a
// vertical line at the cutoff frequency Fc the screen report prints, and a
// title with the horn as the user typed it, in the user's unit.
void write_impedance_svg(std::string& out, const ImpedanceTable& table, const DesignRecord& rec,
                         double Fc);

}  // namespace bellform
