#include "design/adapter_part.h"

#include <algorithm>

#include "design/texts.h"

namespace bellform {

namespace {

std::string bolt_fault(BoltFit fit, double D) {
  switch (fit) {
    case BoltFit::fits: break;
    case BoltFit::too_close: return "the bolt holes leave less than 3 mm between each other.";
    case BoltFit::at_exit:
      return text_of("the bolt holes leave less than 3 mm round the %.1f mm passage.",
                     D * mm_per_inch);
    case BoltFit::in_wall:
      return "the bolt holes run into the adapter's wall above the flange.";
    case BoltFit::out_of_size: return "the bolt holes must be 1 mm or more, on a circle under 10 m.";
  }
  return "";
}

}  // namespace

std::string adapter_shape_of(const DesignRecord& rec, AdapterShape& shape) {
  shape = adapter_shape(rec.radii, rec.H, rec.D, rec.L);
  if (!adapter_printable(shape)) {
    return "No adapter to print: its thickness at this length is not above 0.";
  }
  if (adapter_height_mm(shape) < adapter_min_height_mm) {
    return "No adapter to print: its thickness at this length is under 3 mm, too thin.";
  }
  const double widest = std::max({shape.D, shape.W0, shape.H0}) * mm_per_inch;
  if (adapter_height_mm(shape) > adapter_max_size_mm || widest > adapter_max_size_mm) {
    return "No adapter to print: at this length it would be over 10 m tall or wide.";
  }
  return {};
}

std::string adapter_part(const DesignRecord& rec, const DriverFile& file, AdapterPart& part) {
  std::string why = adapter_shape_of(rec, part.shape);
  if (!why.empty()) return why;
  why = bolt_fault(plan_adapter(part.shape, file.bolts, rec.print_height, part.plan), part.shape.D);
  return why.empty() ? why : file.name + ": " + why;
}

}  // namespace bellform
