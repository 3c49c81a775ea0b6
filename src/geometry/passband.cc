#include "geometry/passband.h"

namespace bellform {

double passband_start(const ResponseTable& table, double Fc) {
  const ResponseRow* rows = table.rows;
  double sum = 0;
  int count = 0;
  int top = -1;  // the last row at or below 4 Fc
  for (int i = 0; i < impedance_rows && rows[i].frequency <= 4 * Fc; ++i) {
    top = i;
    if (rows[i].frequency >= 2 * Fc) {
      sum += rows[i].spl;
      ++count;
    }
  }
  if (count == 0) return 0;
  const double floor = sum / count - 6;
  // Down from the band's top for as long as the level keeps above the floor.
  int lowest = top + 1;
  while (lowest > 0 && rows[lowest - 1].spl >= floor) --lowest;
  return lowest <= top ? rows[lowest].frequency : 0;
}

}  // namespace bellform
