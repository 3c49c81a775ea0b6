// The acoustic impedance the horn presents at its throat, over frequency:
// plane waves along the tractrix contour, cut into short cones, each a
// transfer matrix, loaded at the mouth by the air as a piston in a baffle.
// No losses. Lengths in inches, the speed of sound 13200 inches a second
// (as in the cutoff frequency); impedances over rho*c / area, so rho and
// the scale of the areas cancel.
#pragma once

#include <complex>
#include <string>

#include "geometry/horn.h"

namespace bellform {

// A stretch of horn at one frequency: [p1; U1] = T [p2; U2], 1 the end
// nearer the throat, p the pressure, U the volume velocity, rho*c = 1.
// Without losses the diagonal is real and the rest imaginary, so
// T = [a, j b; j c, d], and its determinant a d + b c is 1.
struct Transfer {
  double a = 1, b = 0, c = 0, d = 1;
};

// A cone between two sections: their areas (any unit) and the axial
// length between them. Equal areas make a straight duct.
struct Cone {
  double S1 = 0;  // at the throat end
  double S2 = 0;  // at the mouth end
  double l = 0;
};

// The cone's matrix at wave number k (radians per unit of length, above
// 0). A cone of no length is a step in area: pressure and volume velocity
// pass unchanged.
Transfer cone_transfer(const Cone& cone, double k);

// The matrix of `first` followed, towards the mouth, by `then`.
Transfer operator*(const Transfer& first, const Transfer& then);

// The impedance at the throat end of `t` with `load` at its mouth end.
std::complex<double> input_impedance(const Transfer& t, std::complex<double> load);
// The volume velocity at the mouth end of `t`, loaded by `load`, for a unit
// one at its throat end.
std::complex<double> output_flow(const Transfer& t, std::complex<double> load);

// 241 frequencies, 20 Hz * 2^(i/24): 20 Hz to 20480 Hz, 24 an octave.
constexpr int impedance_rows = 241;
double impedance_frequency(int i);

struct ImpedanceRow {
  double frequency = 0;   // Hz
  double resistance = 0;  // over rho*c / (throat area)
  double reactance = 0;
  // The volume velocity at the mouth for a unit one at the start of the
  // path: the same chain run forward, U2 = U1 / (j c Zmouth + d).
  std::complex<double> mouth_flow = 0;
};

struct ImpedanceTable {
  ImpedanceRow rows[impedance_rows];
  int segments = 0;  // cones the path was cut into
  double start_area = 0;  // square inches at the start of the air path
};

// The normalised impedance at the start of the air path of the horn laid
// out at length L with a driver of diameter D. The path follows the
// contour from the driver's diameter (the adapter continues it) or from
// the throat, whichever lies farther from the mouth, to the mouth of
// radius rm. nullptr on success, else the sentence that says why there is
// no table: a horn of no length (L <= 0), or one so large or extreme that
// the path cannot be cut finely enough or its numbers overflow. Each row
// also carries the flow through to the mouth, for the sound's phase.
std::string throat_impedance(const Radii& radii, double L, double D, ImpedanceTable& out);

}  // namespace bellform
