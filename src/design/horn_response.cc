#include "design/horn_response.h"

namespace bellform {

std::string horn_response(const DesignRecord& rec, const DriverParams& driver,
                          ResponseTable& out) {
  out = ResponseTable{};
  ImpedanceTable throat;
  const std::string fault = throat_impedance(rec.radii, rec.L, rec.D, throat);
  if (!fault.empty()) return fault;
  return horn_response(throat, driver, out);
}

std::string horn_response(const ImpedanceTable& throat, const DriverParams& driver,
                          ResponseTable& out) {
  const double start_area = throat.start_area * metres_per_inch * metres_per_inch;
  return driver_response(throat, start_area, driver, out);
}

}  // namespace bellform
