// The driver on the horn for crossover and measurement tools: the sound
// level and its phase as an FRD file ("horn-response.frd"), the electrical
// impedance and its phase as a ZMA file ("horn-response.zma"). Both plain
// text, comment lines beginning with "*", then one line a frequency of
// three numbers split by single spaces, line feeds alone.
#pragma once

#include <string>

#include "design/record.h"
#include "geometry/response.h"

namespace bellform {

// A phase as the files print it: rounded to two decimals, then wrapped
// into (-180, 180], so -180.00 reads 180.00, and never -0.
double printed_phase(double degrees);

// The sentence of where the horn starts to work, F6 from the table and
// the screen report's Fc: "Within 6 dB from 427 Hz (Fc 283 Hz)." or "No
// passband within the table (Fc 283 Hz)."
std::string passband_sentence(const ResponseTable& table, double Fc);

// Appends the FRD: the comments (the program, the horn as the chart's
// title gives it, the driver file's name and its voltage, what the level
// and the phase are, F6 and the columns), then "%.2f %.2f %.2f": the
// frequency, the level and its phase.
void write_response_frd(std::string& out, const ResponseTable& table, const DriverParams& driver,
                        const std::string& driver_name, const DesignRecord& rec, double Fc);

// Appends the ZMA: the same comments but the columns', then
// "%.2f %.3f %.2f": the frequency, |Zet| and its phase.
void write_response_zma(std::string& out, const ResponseTable& table, const DriverParams& driver,
                        const std::string& driver_name, const DesignRecord& rec, double Fc);

}  // namespace bellform
