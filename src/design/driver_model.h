// The driver the response plays, completed from what a data sheet gives:
// the direct values where the file has them, the rest derived as data
// sheets relate them, and the slips a file's numbers suggest.
#pragma once

#include <string>
#include <vector>

#include "design/driver_lines.h"
#include "geometry/response.h"

namespace bellform {

// The model from the lines, in this order where a value is missing:
//   Cms = Vas / (1.419e5 Pa Sd^2)
//   Mms = 1 / ((2 pi Fs)^2 Cms), or Cms = 1 / ((2 pi Fs)^2 Mms),
//         Mms = Mmd + the air load where Mmd is given
//   1/Qes = 1/Qts - 1/Qms
//   Bl = sqrt(2 pi Fs Mms Re / Qes), Fs that of the completed Mms and Cms
//   1/Qms = 1/Qts - 1/Qes, Qes from Bl where the file gives Bl
//   Rms = 2 pi Fs Mms / Qms, Mmd = Mms - the air load
//   Eg = sqrt(Pe Re), else 2.83 V
// Empty when complete, else the sentence of what the response lacks or
// which value is out of range because of which others (naming their lines).
std::string complete_driver(const DriverLines& lines, DriverParams& out);

// The notes for a file whose numbers look like a slip, the response still
// computed: an Fs outside 10 Hz to 5 kHz, an Re outside 1 to 100 ohm, a
// value the file gives that disagrees by more than 10 % with the same from
// the others. At most three.
std::vector<std::string> slip_notes(const DriverLines& lines, const DriverParams& driver);

}  // namespace bellform
