// Closed outlines of the flat parts of the horn, for the drawings: a polygon
// symmetric about the x axis, from the stations of a pass.
#pragma once

namespace bellform {

// A pass walks at most this many stations.
constexpr int outline_max_stations = 499;

// Vertices in order, the closing edge from the last back to the first
// implied. Never two consecutive equal vertices.
struct Outline {
  static constexpr int capacity = 2 * outline_max_stations;
  double x[capacity];
  double y[capacity];
  int count = 0;
};

// The top or bottom piece: (x0, +y0) ... (xn, +yn) along one side to the
// mouth, then (xn, -yn) ... (x0, -y0) back along the other, where x is the
// station's distance from the throat along the piece and y its half width.
// Only the first `count` stations are read (at most outline_max_stations).
// False, with an empty outline, when fewer than two of them stand at
// distinct distances from the throat: a piece of no length.
bool piece_outline(const double* dim_x, const double* half_w, int count,
                   Outline& out);

}  // namespace bellform
