// The driver file: a driver's parameters as its data sheet gives them, one
// a line, `name = value`, the value a number and, after it, a unit of those
// driver_units.cc lists (without one, the unit shown here).
//
//   Re  voice coil resistance, ohm          needed, above 0
//   Le  voice coil inductance, mH           0 when not given
//   Bl  force factor, T m                   or Qes, or Qts with Qms
//   Sd  diaphragm area, cm2                 needed, above 0
//   Mmd moving mass without air load, g     Mmd or Mms, or Fs with Cms
//   Mms moving mass with its air load, g
//   Cms suspension compliance, mm/N         or Vas, or Fs with Mms
//   Rms mechanical resistance, N s/m        Rms (0 or above) or Qms, or Qts
//   Qms mechanical Q                        with Qes
//   Fs  resonance, Hz; Vas compliance as a volume of air, l; Qes, Qts
//   Vrc chamber behind the diaphragm, l     none when not given or 0
//   Vtc chamber before the diaphragm, cm3   none when not given or 0
//   Eg  voltage at the terminals, V rms     2.83 when not given
//   Pe  power into Re, W                    instead of Eg: Eg = sqrt(Pe Re)
//   Xmax one way, mm                        the excursion compared with it
//   Bolts        the driver's bolts, 2 to 12  0 or not given: none
//   Bolt_circle  their circle's diameter, mm  needed with Bolts
//   Bolt_hole    a hole's diameter, mm        6.5 when not given
//
// Names a data sheet carries that the model does not use (Qtc, SPL, Znom
// ...) are read and named in a note. From # to the end of a line is a
// comment; blank lines and blanks around the name and the value are
// ignored; names in any letter case; a decimal comma read as a point. A
// byte-order mark and CR LF line ends are fine. Every fault is one sentence
// that names the file and, where there is one, the line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geometry/adapter.h"
#include "geometry/response.h"

namespace bellform {

// Larger than this is not a driver file; the reader refuses it unread.
constexpr std::size_t max_driver_file_bytes = 64 * 1024;

// What a driver file gives: the driver for the response, its bolt pattern
// for the adapter. A file may give either alone: one of mounting lines only
// makes an adapter, and says what the response lacks.
struct DriverFile {
  std::string name;             // as the user gave it
  DriverParams driver;          // the response's driver, when response_fault is empty
  std::string response_fault;   // why the lines make no driver for the response
  BoltPattern bolts;            // no bolts when the file gives none
  double xmax = 0;              // mm, one way; 0: not given
  std::vector<std::string> slips;  // numbers that look like a slip, at most three
  std::string unused;           // the note naming what was read and not used
};

// The file called `name`, of these bytes. Empty on success, else the fault
// of the file, and then `file` is left as it was.
std::string parse_driver_file(std::string_view name, std::string_view bytes, DriverFile& file);

// The file's bytes, at most max_driver_file_bytes + 1 of them, so that one
// too large is known without reading it all. Empty on success, else
// "Could not read the driver file NAME: " and the system's reason.
std::string read_driver_bytes(const std::string& name, std::string& bytes);

// Both: the file called `name` read.
std::string load_driver_file(const std::string& name, DriverFile& file);

// The lines under the response's notices, in the order shown: the driver's
// figures (St, m^2, the area where the horn's air path starts), the slips,
// Xmax's, the names not used.
std::vector<std::string> response_notes(const DriverFile& file, double start_area,
                                        const ResponseTable& table);

}  // namespace bellform
