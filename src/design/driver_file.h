// The driver file: a driver's parameters as its data sheet gives them, one
// a line, `name = value`, in the sheet's units whatever the user's unit.
//
//   Re  voice coil resistance, ohm          needed, above 0
//   Le  voice coil inductance, mH           0 when not given
//   Bl  force factor, T m                   needed, above 0
//   Sd  diaphragm area, cm^2                needed, above 0
//   Mmd moving mass without air load, g     Mmd or Mms, above 0
//   Mms moving mass with its air load, g
//   Cms suspension compliance, mm/N         needed, above 0
//   Rms mechanical resistance, N s/m        Rms (0 or above) or Qms (above 0)
//   Qms mechanical Q
//   Vrc chamber behind the diaphragm, l     none when not given or 0
//   Vtc chamber before the diaphragm, cm^3  none when not given or 0
//   Eg  voltage at the terminals, V rms     2.83 when not given
//   Bolts        the driver's bolts, 2 to 12  0 or not given: none
//   Bolt_circle  their circle's diameter, mm  needed with Bolts
//   Bolt_hole    a hole's diameter, mm        6.5 when not given
//
// From # to the end of a line is a comment; blank lines and blanks around
// the name and the value are ignored; names in any letter case; numbers in
// full, a decimal comma read as a point. A byte-order mark and CR LF line
// ends are fine. Every fault is one sentence that names the file and, where
// there is one, the line.
#pragma once

#include <string>
#include <string_view>

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
};

// The file called `name`, of these bytes. Empty on success, else the fault
// of the file, and then `file` is left as it was.
std::string parse_driver_file(std::string_view name, std::string_view bytes, DriverFile& file);

// The file's bytes, at most max_driver_file_bytes + 1 of them, so that one
// too large is known without reading it all. Empty on success, else
// "Could not read the driver file NAME."
std::string read_driver_bytes(const std::string& name, std::string& bytes);

// Both: the file called `name` read.
std::string load_driver_file(const std::string& name, DriverFile& file);

}  // namespace bellform
