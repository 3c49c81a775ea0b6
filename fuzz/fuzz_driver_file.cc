// The driver file's reader on any bytes: either one fault sentence that
// names the file, or a bolt pattern a flange can hold and either a driver
// every value of which the model can take (the needed ones above 0, the
// rest 0 or above, all finite) or the sentence of what the response lacks;
// at most three notes of slips, and the lines under the response made from
// any driver it gives; never a crash or a hang.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "design/driver_file.h"

namespace {

bool sentence(const std::string& text, const char* start) {
  return text.rfind(start, 0) == 0 && text.back() == '.';
}

}  // namespace

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
  if (!(file.xmax >= 0) || !std::isfinite(file.xmax)) std::abort();
  if (!file.unused.empty() && !sentence(file.unused, "Note: the file's ")) std::abort();
  if (!file.response_fault.empty()) {
    if (!sentence(file.response_fault, "driver.txt") || !file.slips.empty()) std::abort();
    return 0;
  }
  if (file.slips.size() > 3) std::abort();
  for (const std::string& slip : file.slips)
    if (!sentence(slip, "Note: ")) std::abort();
  const DriverParams& driver = file.driver;
  const double above_zero[] = {driver.Re, driver.Bl, driver.Sd, driver.Mmd, driver.Cms, driver.Eg};
  const double not_negative[] = {driver.Le, driver.Rms, driver.Vrc, driver.Vtc};
  for (double v : above_zero)
    if (!(v > 0) || !std::isfinite(v)) std::abort();
  for (double v : not_negative)
    if (!(v >= 0) || !std::isfinite(v)) std::abort();
  // The figures and Xmax's line, over a table where the excursion rises.
  ResponseTable table{};
  for (int i = 0; i < impedance_rows; ++i) table.rows[i] = {20.0 * (i + 1), 0, 0, 0, 0.01 * i};
  for (const std::string& note : response_notes(file, 5e-4, table))
    if (note.empty() || note.size() > 400) std::abort();
  return 0;
}
