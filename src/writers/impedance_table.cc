#include "writers/impedance_files.h"
#include "writers/text_out.h"

namespace bellform {

void write_impedance_csv(std::string& bytes, const ImpedanceTable& table) {
  TextOut out(bytes);
  out.add("frequency_hz,throat_resistance,throat_reactance\n");
  for (const ImpedanceRow& row : table.rows)
    out.put("%.2f,%.4f,%.4f\n", row.frequency, row.resistance, row.reactance);
}

}  // namespace bellform
