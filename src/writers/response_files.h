// The driver on the horn as files: a table ("horn-response.csv") and a
// chart ("horn-response.svg") of its sound level, electrical impedance and
// diaphragm excursion over frequency.
#pragma once

#include <string>

#include "design/driver_file.h"
#include "design/record.h"
#include "geometry/response.h"

namespace bellform {

// Appends the table: a line of column names, then one line a frequency,
// "%.2f,%.2f,%.3f,%.2f,%.4f,%.2f", the last the level's phase as the FRD
// file gives it.
void write_response_csv(std::string& out, const ResponseTable& table);

// Appends the chart, 800 x 850 px: three panels over one log frequency
// axis from 20 Hz to 20 kHz (sound level in a window 50 dB tall, the
// impedance from 0 with Re dotted, the excursion from 0 with the file's
// Xmax, when it gives one, as a labelled line), the cutoff Fc the screen
// report prints and F6 from it in each, and a title with the horn as the
// user typed it, the driver file's name (as the user gave it) at the
// driver's Eg and its figures, St (m^2) the area where the air path starts.
void write_response_svg(std::string& out, const ResponseTable& table, const DriverFile& file,
                        double start_area, const DesignRecord& rec, double Fc);

}  // namespace bellform
