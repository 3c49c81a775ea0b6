#include "design/driver_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "design/driver_figures.h"
#include "design/texts.h"

namespace bellform {

namespace {

using namespace sheet;
using std::numbers::pi;

// A value of the model and the names of the file it comes from, a bit
// each: its own for a value given, the others' for one derived.
struct Value {
  double v = 0;
  unsigned from = 0;
};

unsigned bit(int name) { return 1u << name; }
bool usable(double v) { return v > 0 && std::isfinite(v); }
Value given(const DriverLines& r, int name) { return {r.value[name], bit(name)}; }

// The names and their lines, in the file's order: "Vas and Sd (lines 2
// and 3)".
std::string named(const DriverLines& r, unsigned from) {
  int ids[count], n = 0;
  for (int id = 0; id < count; ++id)
    if (from & bit(id)) ids[n++] = id;
  std::sort(ids, ids + n, [&](int a, int b) { return r.line[a] < r.line[b]; });
  std::string names, lines;
  for (int i = 0; i < n; ++i) {
    const char* between = i == 0 ? "" : i + 1 == n ? " and " : ", ";
    names += between + std::string(name_of(ids[i]));
    lines += between + std::to_string(r.line[ids[i]]);
  }
  return names + (n == 1 ? " (line " : " (lines ") + lines + ")";
}

// A value as a fault names it: "Qms (line 4)" when given, "Qes from Re,
// Bl, Mms and Cms (lines 1, 3, 4 and 5)" when derived.
std::string described(const DriverLines& r, int name, const Value& v) {
  if (v.from == bit(name)) return named(r, v.from);
  return std::string(name_of(name)) + " from " + named(r, v.from);
}

std::string checked(const DriverLines& r, int name, const Value& v) {
  return usable(v.v) ? "" : r.fault(described(r, name, v) + " is out of range.");
}

double omega2(double Fs) { return (2 * pi * Fs) * (2 * pi * Fs); }

// The model as it is completed, one value after another.
struct Completion {
  Completion(const DriverLines& lines, double air_load) : r(lines), air(air_load) {}
  const DriverLines& r;
  double air;  // the air load of Sd, kg
  Value mms, cms, qes, bl, rms;

  std::string given_mass();
  std::string compliance();
  std::string derived_mass();
  std::string electrical_q();
  std::string force();
  std::string resistance();
  std::string from_qts(int other_name, const Value& other, int name, Value& q) const;
};

// The moving mass the file gives, its air load in: Mms, or Mmd with it.
std::string Completion::given_mass() {
  if (r.given(Mmd)) {
    mms = {r.value[Mmd] + air, bit(Mmd) | bit(Sd)};
    return checked(r, Mms, mms);
  }
  if (!r.given(Mms)) return {};
  mms = given(r, Mms);
  if (mms.v > air) return {};
  return r.fault(r.line[Mms], text_of("Mms must be above %.4g g, the air load of the Sd on line %d.",
                                      air * 1e3, r.line[Sd]));
}

std::string Completion::compliance() {
  if (r.given(Cms)) {
    cms = given(r, Cms);
    return {};
  }
  if (r.given(Vas))
    cms = {r.value[Vas] / (data_sheet_pressure * r.value[Sd] * r.value[Sd]), bit(Vas) | bit(Sd)};
  else if (r.given(Fs) && mms.from)
    cms = {1 / (omega2(r.value[Fs]) * mms.v), bit(Fs) | mms.from};
  else
    return r.fault("Cms is missing: give Cms, or Vas, or Fs with Mms.");
  return checked(r, Cms, cms);
}

// The mass from Fs on the compliance, when the file gives neither Mms nor Mmd.
std::string Completion::derived_mass() {
  if (mms.from) return {};
  if (!r.given(Fs)) return r.fault("Mms is missing: give Mms, or Mmd, or Fs.");
  mms = {1 / (omega2(r.value[Fs]) * cms.v), bit(Fs) | cms.from};
  if (!std::isfinite(mms.v) || mms.v > air) return checked(r, Mms, mms);
  return r.fault(described(r, Mms, mms) +
                 text_of(" must be above %.4g g, the air load of the Sd on line %d.", air * 1e3,
                         r.line[Sd]));
}

// The Q the file lacks from Qts and the other: 1/Q = 1/Qts - 1/other.
std::string Completion::from_qts(int other_name, const Value& other, int name, Value& q) const {
  const double qts = r.value[Qts];
  if (!(qts < other.v))
    return r.fault(r.line[Qts], "Qts must be below " + described(r, other_name, other) +
                                    ", as 1/" + name_of(name) + " = 1/Qts - 1/" +
                                    name_of(other_name) + ".");
  q = {1 / (1 / qts - 1 / other.v), bit(Qts) | other.from};
  return checked(r, name, q);
}

// The electrical Q: the file's, or from Qts and Qms. None is no fault
// here: Bl may be given.
std::string Completion::electrical_q() {
  if (r.given(Qes)) qes = given(r, Qes);
  else if (r.given(Qts) && r.given(Qms)) return from_qts(Qms, given(r, Qms), Qes, qes);
  return {};
}

std::string Completion::force() {
  if (r.given(Bl)) {
    bl = given(r, Bl);
    return {};
  }
  if (!qes.from) return r.fault("Bl is missing: give Bl, or Qes, or Qts with Qms.");
  bl = {std::sqrt(std::sqrt(mms.v / cms.v) * r.value[Re] / qes.v),
        bit(Re) | mms.from | cms.from | qes.from};
  return checked(r, Bl, bl);
}

// Rms, or Qms for it: the file's, or from Qts and Qes (Qes from Bl where
// the file gives Bl and no Qes).
std::string Completion::resistance() {
  if (r.given(Rms)) {
    rms = given(r, Rms);
    return {};
  }
  Value qms;
  if (r.given(Qms)) {
    qms = given(r, Qms);
  } else if (r.given(Qts)) {
    if (!qes.from)
      qes = {std::sqrt(mms.v / cms.v) * r.value[Re] / (bl.v * bl.v),
             bit(Re) | mms.from | cms.from | bl.from};
    std::string fault = checked(r, Qes, qes);
    if (fault.empty()) fault = from_qts(Qes, qes, Qms, qms);
    if (!fault.empty()) return fault;
  } else {
    return r.fault("Qms is missing: give Qms, or Rms, or Qts with Qes.");
  }
  rms = {rms_from_qms(qms.v, mms.v - air, cms.v, r.value[Sd]), qms.from | mms.from | cms.from};
  return checked(r, Rms, rms);
}

std::string voltage(const DriverLines& r, double& volts) {
  if (r.given(Eg)) volts = r.value[Eg];
  if (!r.given(Pe)) return {};
  const Value eg = {std::sqrt(r.value[Pe] * r.value[Re]), bit(Pe) | bit(Re)};
  volts = eg.v;
  return checked(r, Eg, eg);
}

}  // namespace

std::string complete_driver(const DriverLines& r, DriverParams& out) {
  for (const int id : {Re, Sd})
    if (!r.given(id)) return r.fault(std::string(name_of(id)) + " is missing.");
  Completion c(r, air_load_mass(r.value[Sd]));
  DriverParams d;
  std::string fault = c.given_mass();
  if (fault.empty()) fault = c.compliance();
  if (fault.empty()) fault = c.derived_mass();
  if (fault.empty()) fault = c.electrical_q();
  if (fault.empty()) fault = c.force();
  if (fault.empty()) fault = c.resistance();
  if (fault.empty()) fault = voltage(r, d.Eg);
  if (!fault.empty()) return fault;
  d.Re = r.value[Re];
  d.Le = r.value[Le];
  d.Bl = c.bl.v;
  d.Sd = r.value[Sd];
  d.Mmd = r.given(Mmd) ? r.value[Mmd] : mmd_from_mms(c.mms.v, d.Sd);
  d.Cms = c.cms.v;
  d.Rms = c.rms.v;
  d.Vrc = r.value[Vrc];
  d.Vtc = r.value[Vtc];
  out = d;
  return {};
}

}  // namespace bellform
