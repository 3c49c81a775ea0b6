#include "geometry/response.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace bellform {

namespace {

using std::numbers::pi;
using cplx = std::complex<double>;

constexpr double reference_pressure = 20e-6;  // Pa, 0 dB
const char* const too_extreme =
    "This driver's numbers are too large or too small to compute its response.";

bool finite(const ResponseRow& row) {
  return std::isfinite(row.spl) && std::isfinite(row.impedance) && std::isfinite(row.phase) &&
         std::isfinite(row.excursion) && std::isfinite(row.spl_phase);
}

// A chamber's compliance as an acoustic impedance, 1 / (j w V / (rho c^2)).
cplx chamber(double omega, double volume) {
  const double rho_c2 = air_density * air_sound_speed * air_sound_speed;
  return cplx(0, -rho_c2 / (omega * volume));
}

// One frequency: z1 the acoustic impedance at the start of the path,
// mouth_flow the share of the flow entering there that leaves the mouth.
ResponseRow row_at(double f, cplx z1, cplx mouth_flow, const DriverParams& d) {
  const double omega = 2 * pi * f;
  const cplx j(0, 1);
  const cplx ze = d.Re + j * omega * d.Le;
  const cplx zm = d.Rms + j * omega * d.Mmd + 1.0 / (j * omega * d.Cms);
  const double sd2 = d.Sd * d.Sd;
  const cplx zas = (d.Bl * d.Bl / ze + zm) / sd2;
  const cplx ps = d.Eg * d.Bl / (d.Sd * ze);
  // The front chamber shunts the throat: Z1 in parallel with it is
  // Z1 / (1 + Z1 / Zc), which leaves Z1 exactly when there is none, and
  // the share of the flow that enters the throat is 1 / (1 + Z1 / Zc).
  const cplx shunt = d.Vtc > 0 ? 1.0 + z1 / chamber(omega, d.Vtc) : cplx(1);
  const cplx zf = z1 / shunt;
  const cplx zr = d.Vrc > 0 ? chamber(omega, d.Vrc) : cplx(0);
  const cplx u = ps / (zas + zf + zr);
  const cplx uth = u / shunt;
  // A resistance that rounds below 0 far under the cutoff is no power, not
  // a fault.
  double power = std::norm(uth) * z1.real();
  if (power < 0) power = 0;
  const double rms_pressure = std::sqrt(air_density * air_sound_speed * power / (2 * pi));
  const cplx zet = ze + d.Bl * d.Bl / (sd2 * (zf + zr) + zm);
  ResponseRow row;
  row.frequency = f;
  // Below the floor, -inf for no power at all, is the floor; nan stays.
  const double spl = 20 * std::log10(rms_pressure / reference_pressure);
  row.spl = spl < lowest_spl ? lowest_spl : spl;
  row.impedance = std::abs(zet);
  row.phase = std::arg(zet) * (180 / pi);
  row.excursion = 1000 * std::numbers::sqrt2 * std::abs(u) / (omega * d.Sd);
  // j w rho is a quarter turn ahead of the mouth's flow.
  row.spl_phase = std::arg(j * uth * mouth_flow) * (180 / pi);
  return row;
}

}  // namespace

double air_load_mass(double Sd) {
  const double a = std::sqrt(Sd / pi);
  return 16 * air_density * a * a * a / 3;
}

double mmd_from_mms(double Mms, double Sd) { return Mms - air_load_mass(Sd); }

double rms_from_qms(double Qms, double Mmd, double Cms, double Sd) {
  return std::sqrt((Mmd + air_load_mass(Sd)) / Cms) / Qms;
}

std::string driver_response(const ImpedanceTable& throat, double start_area,
                            const DriverParams& driver, ResponseTable& out) {
  out = ResponseTable{};
  const double scale = air_density * air_sound_speed / start_area;
  for (int i = 0; i < impedance_rows; ++i) {
    const ImpedanceRow& r = throat.rows[i];
    out.rows[i] =
        row_at(r.frequency, cplx(r.resistance, r.reactance) * scale, r.mouth_flow, driver);
    if (!finite(out.rows[i])) {
      out = ResponseTable{};
      return too_extreme;
    }
  }
  return {};
}

}  // namespace bellform
