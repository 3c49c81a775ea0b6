// The driver file's lines read into values: each name a data sheet uses,
// its value in the model's unit and the line it was on. What follows from
// the values is driver_model.h's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/driver_units.h"

namespace bellform {

namespace sheet {
enum Name : int {
  Re, Le, Bl, Sd, Mmd, Mms, Cms, Rms, Qms, Vrc, Vtc, Eg, Fs, Vas, Qes, Qts, Xmax, Pe,
  Bolts, Bolt_circle, Bolt_hole, count
};
}  // namespace sheet

// A name as messages spell it, and the kind of its unit.
const char* name_of(int name);
UnitKind unit_of(int name);

// What the lines gave: each value in the model's unit (SI; mm for Xmax and
// the bolt pattern), its line (0: not given) and the unit as shown.
struct DriverLines {
  std::string file;  // the name messages begin with
  double value[sheet::count] = {};
  int line[sheet::count] = {};
  const char* unit[sheet::count] = {};
  std::vector<std::string> unused;  // names a data sheet carries, read and not used

  bool given(int name) const { return line[name] != 0; }
  // "FILE: what" and "FILE, line N: what".
  std::string fault(const std::string& what) const;
  std::string fault(int at, const std::string& what) const;
};

// Reads every line: empty when all are good, else the first fault. A name
// given twice, or with the other of a pair that says the same (Mmd and
// Mms, Rms and Qms, Eg and Pe), is a fault; so is a name neither known nor
// one of those a data sheet carries, since a typo must not pass.
std::string read_driver_lines(std::string_view text, DriverLines& out);

}  // namespace bellform
