// The station step a user types for the data file: taken when the walk at
// that step fits the point list, otherwise refused with the reason and the
// smallest step that fits.
#pragma once

#include "design/record.h"
#include "design/texts.h"

namespace bellform {

// A step typed in the user's unit, in inches when it fits the point list at
// the frame of rec's last pass; otherwise 0, with the reason in `fault`.
double step_that_fits(const DesignRecord& rec, double typed, TextBuffer& fault);

}  // namespace bellform
