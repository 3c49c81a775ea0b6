// Closed outlines of the flat parts of the horn, for the drawings: polygons
// symmetric about the x axis, from the stations of a pass.
#pragma once

#include <string>

#include "geometry/horn.h"
#include "geometry/walk.h"

namespace bellform {

// Vertices in order, the closing edge from the last back to the first
// implied. Never two consecutive equal vertices.
struct Outline {
  static constexpr int capacity = 2 * max_stations;
  double x[capacity];
  double y[capacity];
  int count = 0;
};

// Both read the first `count` stations (at most max_stations): x
// the distance from the throat along the piece ("dim X"), w the half width
// ("W/2"). Both go out along one edge to the mouth, (x0, +y0) ... (xn, +yn),
// and back along the other, (xn, -yn) ... (x0, -y0). Both return an empty
// sentence when drawn; with an empty outline, the sentence that says why
// not when fewer than two stations stand at distinct distances from the
// throat: a part of no length.

// The top or bottom piece: y is the half width.
std::string piece_outline(const double* dim_x, const double* half_w, int count,
                          Outline& out);

// A side panel laid flat. It stands upright over the plan curve (a, w),
// a the axial distance from the throat, between the top and bottom pieces,
// so it unrolls exactly: x is the curve's arc length from the throat, y the
// half height of the section there.
std::string side_panel_outline(const Frame& frame, const double* dim_x,
                               const double* half_w, int count, Outline& out);

}  // namespace bellform
