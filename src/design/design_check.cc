#include "design/design_check.h"

#include <cmath>

#include "geometry/horn.h"

namespace bellform {

namespace {

const char* const too_extreme =
    "These dimensions are too large or too small to lay out.";

const char* infinite_input(double W, double H, double T, double D) {
  if (!std::isfinite(W)) return "The mouth width must be a finite number.";
  if (!std::isfinite(H)) return "The mouth height must be a finite number.";
  if (!std::isfinite(T)) return "The throat side must be a finite number.";
  if (!std::isfinite(D)) {
    return "The driver diameter must be a finite number.";
  }
  return nullptr;
}

// The cases where a formula of the layout divides by zero or takes the root
// of a negative number, tested the way the formulas compute them.
const char* undefined_layout(double W, double H, double T) {
  if (T == 0) return "The throat side must not be zero.";
  if (H * 0.5 - T * 0.5 == 0) {
    return "The mouth height must differ from the throat side.";
  }
  const double mouth = W * H;
  const double throat = T * T;
  if (!std::isfinite(mouth) || !std::isfinite(throat) || throat == 0) {
    return too_extreme;
  }
  if (!(mouth > throat)) {
    return "The mouth area must be larger than the throat area.";
  }
  return nullptr;
}

const char* driver_fault(double D, double rm, bool driver_typed) {
  if (D < 0) {
    return driver_typed ? "The driver diameter must not be negative."
                        : "The throat side must not be negative.";
  }
  // A point-sized driver would need an adapter of infinite length.
  if (D == 0) return "The driver diameter must be above zero.";
  if (D * 0.5 > rm) {
    return "The driver diameter exceeds a circle of the mouth's area.";
  }
  return nullptr;
}

bool frame_is_finite(const Frame& f) {
  return std::isfinite(f.b) && std::isfinite(f.theta) &&
         std::isfinite(f.cos_t) && f.cos_t != 0 && std::isfinite(f.tan_t) &&
         std::isfinite(f.s0) && std::isfinite(f.len_ext) &&
         std::isfinite(f.sM);
}

// What a pass and its trailer print at length L, all finite.
bool layout_is_finite(const Radii& radii, double H, double D, double L) {
  const Frame f = layout_frame(radii, H, L);
  return frame_is_finite(f) && std::isfinite(piece_length(f)) &&
         std::isfinite(piece_angle(f)) &&
         std::isfinite(adapter_thickness(D, L, radii.rm));
}

const char* first_fault(double W, double H, double T, double D, bool driver_typed) {
  if (const char* fault = infinite_input(W, H, T, D)) return fault;
  if (const char* fault = undefined_layout(W, H, T)) return fault;
  const Radii radii = design_radii(W, H, T);
  if (!std::isfinite(radii.rm) || !std::isfinite(radii.rt) || radii.rt == 0) {
    return too_extreme;
  }
  if (const char* fault = driver_fault(D, radii.rm, driver_typed)) return fault;
  const double L = natural_length(radii);
  if (!std::isfinite(L)) return too_extreme;
  // Areas so close that both radii round alike give no horn at all.
  if (!(L > 0)) return "The mouth area must be larger than the throat area.";
  if (!layout_is_finite(radii, H, D, L)) return too_extreme;
  return nullptr;
}

}  // namespace

std::string design_fault(double W, double H, double T, double D, bool driver_typed) {
  const char* fault = first_fault(W, H, T, D, driver_typed);
  return fault ? fault : "";
}

std::string length_fault(double W, double H, double T, double D, double L) {
  if (!std::isfinite(L)) return "The length must be a finite number.";
  // No length at all: the apex falls on the throat and the half-angle is a
  // division by zero. Typed in millimetres, a tiny length can come out so.
  if (L == 0 || !layout_is_finite(design_radii(W, H, T), H, D, L)) {
    return "That length is too large or too small to lay out.";
  }
  return "";
}

std::string set_design(DesignRecord& rec, double W, double H, double T, double D) {
  const Units& u = rec.units;
  rec.W = u.to_inches(W);
  rec.H = u.to_inches(H);
  rec.T = u.to_inches(T);
  // Only a driver of 0 (or none given) means the throat, not a tiny
  // diameter that comes out as zero inches.
  const bool driver_typed = D != 0;
  rec.D = driver_typed ? u.to_inches(D) : rec.T;
  std::string fault = design_fault(rec.W, rec.H, rec.T, rec.D, driver_typed);
  if (fault.empty()) rec.radii = design_radii(rec.W, rec.H, rec.T);
  return fault;
}

std::string set_length(DesignRecord& rec, double typed) {
  const double L = rec.units.to_inches(typed);
  std::string fault = length_fault(rec.W, rec.H, rec.T, rec.D, L);
  if (fault.empty()) rec.L = L;
  return fault;
}

}  // namespace bellform
