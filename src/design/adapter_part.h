// The driver adapter of the horn as the user has it: the part the report's
// trailer gives the thickness of, or the reason there is none.
#pragma once

#include <string>

#include "design/record.h"
#include "geometry/adapter.h"

namespace bellform {

// The adapter at the record's length (its radii, H, D and L in inches).
// Empty when `shape` holds a part to print; otherwise the sentence why not.
std::string adapter_part(const DesignRecord& rec, AdapterShape& shape);

}  // namespace bellform
