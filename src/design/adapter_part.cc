#include "design/adapter_part.h"

namespace bellform {

std::string adapter_part(const DesignRecord& rec, AdapterShape& shape) {
  shape = adapter_shape(rec.radii, rec.H, rec.D, rec.L);
  if (!adapter_printable(shape)) {
    return "No adapter to print: its thickness at this length is not above 0.";
  }
  return {};
}

}  // namespace bellform
