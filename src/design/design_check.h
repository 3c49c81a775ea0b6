// Which designs and lengths the layout can be computed for, and the answers
// that give them, the same from the dialogue and the command line.
#pragma once

#include <string>

#include "design/record.h"

namespace bellform {

// Empty when mouth W x H, throat T and driver D (inches) give a finite
// layout at the natural length; otherwise one short sentence saying why
// not. With no driver typed (driver_typed false) D is the throat side, and
// a fault of its diameter is the throat's: the sentence names what the
// user typed.
std::string design_fault(double W, double H, double T, double D, bool driver_typed = true);

// Empty when a length typed for a sound design gives a finite frame and
// adapter; otherwise the reason.
std::string length_fault(double W, double H, double T, double D, double L);

// The four answers in the user's unit as rec's design in inches, with its
// radii: a driver of 0 means the throat, as the empty answer does. Empty
// when it lays out; otherwise the reason.
std::string set_design(DesignRecord& rec, double W, double H, double T, double D);

// A length typed in the user's unit, taken as rec.L when it lays out;
// otherwise the reason, and rec.L stays.
std::string set_length(DesignRecord& rec, double typed);

}  // namespace bellform
