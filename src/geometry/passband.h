// Where a horn starts to work, read from its response: the cutoff Fc is
// where the contour's expansion ends the horn's loading, but the level is
// still far down there; F6 is where it has come up to its passband.
#pragma once

#include "geometry/response.h"

namespace bellform {

// F6: the lowest of the table's frequencies from which the level stays no
// more than 6 dB below its mean up to 4 Fc, the mean taken over the rows
// from 2 Fc to 4 Fc (the band clipped to the table's top). 0 when there is
// none: no row in that band (2 Fc above the table), or the level at its
// top already more than 6 dB down.
double passband_start(const ResponseTable& table, double Fc);

}  // namespace bellform
