// The load the air puts on the mouth: a flat circular piston in an infinite
// baffle (the horn set in a wall, radiating into half space).
#pragma once

#include <complex>

namespace bellform {

// The Struve function H1 at z >= 0, to about 1e-9: its power series below
// z = 20, its large-argument expansion about Y1 above.
double struve_h1(double z);

// The radiation impedance of a piston of radius a at wave number k, over
// rho*c / (pi a^2): 1 - J1(2ka)/(ka) + j H1(2ka)/(ka). Near 0 + j 8ka/(3 pi)
// for a small piston, near 1 + j0 for a large one.
std::complex<double> piston_impedance(double ka);

}  // namespace bellform
