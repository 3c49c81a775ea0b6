// How a driver plays into the horn: the lumped model of a compression
// driver (voice coil, moving mass on its suspension, the chamber behind the
// diaphragm and the one before it) driving the horn's throat impedance, at
// the impedance table's frequencies. SI units throughout.
#pragma once

#include <string>

#include "geometry/impedance.h"
#include "geometry/measures.h"

namespace bellform {

// The air, and the speed of sound the cutoff uses, in metres.
constexpr double air_density = 1.205;  // kg/m^3
constexpr double air_sound_speed = sound_speed * metres_per_inch;  // 335.28 m/s

// A driver's parameters in SI. A chamber of volume 0 is no chamber.
struct DriverParams {
  double Re = 0;   // voice coil resistance, ohm
  double Le = 0;   // voice coil inductance, H
  double Bl = 0;   // force factor, T m
  double Sd = 0;   // diaphragm area, m^2
  double Mmd = 0;  // moving mass without its air load, kg
  double Cms = 0;  // suspension compliance, m/N
  double Rms = 0;  // mechanical resistance, N s/m
  double Vrc = 0;  // closed chamber behind the diaphragm, m^3
  double Vtc = 0;  // chamber between the diaphragm and the throat, m^3
  double Eg = 2.83;  // voltage at the terminals, V rms
};

// The air a piston of area Sd carries on both its sides in a baffle,
// 16 rho a^3 / 3 with a = sqrt(Sd / pi), kg: what a data sheet's Mms adds
// to the bare Mmd.
double air_load_mass(double Sd);
// Mmd = Mms - air_load_mass(Sd); Rms = sqrt(Mms / Cms) / Qms, with
// Mms = Mmd + air_load_mass(Sd).
double mmd_from_mms(double Mms, double Sd);
double rms_from_qms(double Qms, double Mmd, double Cms, double Sd);

struct ResponseRow {
  double frequency = 0;  // Hz
  double spl = 0;        // dB at 1 m on a half space, never below -99.99
  double impedance = 0;  // |Zet|, ohm
  double phase = 0;      // of Zet, degrees
  double excursion = 0;  // peak, mm
  // Of the pressure the mouth's volume velocity gives as a point source,
  // j w rho U / (2 pi r), the time of flight removed: degrees, e^{jwt}, so
  // the travel through the horn lags and the phase falls with frequency.
  double spl_phase = 0;
};

struct ResponseTable {
  ResponseRow rows[impedance_rows];
};

constexpr double lowest_spl = -99.99;

// The driver on the horn whose normalised impedance is `throat`, starting
// at `start_area` m^2 (the table's start of the air path). Empty on
// success, else the sentence that says why there is no table: a driver
// whose numbers drive a value out of the doubles.
std::string driver_response(const ImpedanceTable& throat, double start_area,
                            const DriverParams& driver, ResponseTable& out);

}  // namespace bellform
