// The tractrix whose constant R is the equivalent mouth radius.
#pragma once

namespace bellform {

// Axial distance from the mouth to where the contour's radius is y.
double tractrix_length(double y, double R);

#ifdef BELLFORM_COUNT_TRACTRIX
// Calls of tractrix_length so far: only in the benchmarks' own build of
// the core (bench/), so the program pays nothing for it.
extern long tractrix_length_calls;
#endif

// Radius of the contour at axial distance x from the mouth, by bisection
// between 0 and R to 0.0001 inch; the last midpoint evaluated.
double tractrix_radius(double x, double R);

}  // namespace bellform
