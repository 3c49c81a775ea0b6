// The station step a user types for the data file: taken when the walk at
// that step fits the point list, otherwise refused with the reason and the
// smallest step that fits.
#pragma once

#include "design/record.h"
#include <string>

namespace bellform {

// A step typed in the user's unit, set in `step` in inches when it fits the
// point list at the frame of rec's last pass: empty then; otherwise the
// reason, and `step` stays.
std::string step_that_fits(const DesignRecord& rec, double typed, double& step);

}  // namespace bellform
