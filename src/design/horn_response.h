// The horn of the design record played by a driver: its throat impedance
// and, from it, the driver's sound level, impedance and excursion.
#pragma once

#include <string>

#include "design/record.h"
#include "geometry/response.h"

namespace bellform {

// The response of `driver` on rec's horn at rec.L. Empty on success, else
// the sentence that says why there is none: the throat impedance's own
// ("Nothing to compute: the horn has no length.", a horn too extreme) or a
// driver whose numbers cannot be computed.
std::string horn_response(const DesignRecord& rec, const DriverParams& driver,
                          ResponseTable& out);

// The same from the horn's impedance table, already computed.
std::string horn_response(const ImpedanceTable& throat, const DriverParams& driver,
                          ResponseTable& out);

}  // namespace bellform
