// The driver adapter of the horn as the user has it: the part the report's
// trailer gives the thickness of, with the driver file's bolt holes, cut to
// the user's print height; or the sentence why there is none.
#pragma once

#include <string>

#include "design/driver_file.h"
#include "design/record.h"
#include "geometry/adapter_print.h"

namespace bellform {

// The adapter's shape at the record's length (its radii, H, D and L in
// inches). Empty when it is a part to print; otherwise why not: no
// thickness, or too little to print.
std::string adapter_shape_of(const DesignRecord& rec, AdapterShape& shape);

struct AdapterPart {
  AdapterShape shape;
  AdapterPlan plan;
};

// The part with the bolt pattern of `file` (none when it gives none), in
// sections no taller than the record's print height. Empty when `part`
// holds it; otherwise the shape's refusal, or the fault of the file's
// mounting lines, after the file's name as the reader gives its faults.
std::string adapter_part(const DesignRecord& rec, const DriverFile& file, AdapterPart& part);

}  // namespace bellform
