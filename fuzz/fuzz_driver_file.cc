// The driver file's reader on any bytes: either one fault sentence that
// names the file, or a bolt pattern a flange can hold and either a driver
// every value of which the model can take (the needed ones above 0, the
// rest 0 or above, all finite) or the sentence of what the response lacks;
// never a crash or a hang.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "design/driver_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bellform;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  DriverFile file;
  file.driver.Re = -1;  // marks a file not written
  const std::string fault = parse_driver_file("driver.txt", bytes, file);
  if (!fault.empty()) {
    if (fault.rfind("driver.txt", 0) != 0 || fault.back() != '.' || file.driver.Re != -1) std::abort();
    return 0;
  }
  const BoltPattern& bolts = file.bolts;
  if (bolts.bolts < 0 || bolts.bolts > 12 || bolts.bolts == 1 || !(bolts.hole > 0) ||
      (bolts.bolts > 0 && !(bolts.circle > 0)))
    std::abort();
  if (!file.response_fault.empty()) {
    if (file.response_fault.rfind("driver.txt", 0) != 0) std::abort();
    return 0;
  }
  const DriverParams& driver = file.driver;
  const double above_zero[] = {driver.Re, driver.Bl, driver.Sd, driver.Mmd, driver.Cms, driver.Eg};
  const double not_negative[] = {driver.Le, driver.Rms, driver.Vrc, driver.Vtc};
  for (double v : above_zero)
    if (!(v > 0) || !std::isfinite(v)) std::abort();
  for (double v : not_negative)
    if (!(v >= 0) || !std::isfinite(v)) std::abort();
  return 0;
}
