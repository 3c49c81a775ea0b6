// Which designs the layout can be computed for.
#pragma once

namespace bellform {

// nullptr when mouth W x H, throat T and driver D give a finite layout at
// the natural length; otherwise one short sentence saying why not. With no
// driver typed (driver_typed false) D is the throat side, and a fault of
// its diameter is the throat's: the sentence names what the user typed.
const char* design_fault(double W, double H, double T, double D,
                         bool driver_typed = true);

// nullptr when a length typed for a sound design gives a finite frame and
// adapter; otherwise the reason.
const char* length_fault(double W, double H, double T, double D, double L);

}  // namespace bellform
