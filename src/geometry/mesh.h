// A closed surface as an indexed triangle mesh: every vertex stored once and
// named by its index in each facet that touches it, so neighbouring facets
// share their corners exactly and the surface has no cracks.
#pragma once

#include <cstdint>
#include <vector>

namespace bellform {

// A point on a plane: a face of the part seen from above, or a ring round
// its axis.
struct Point2 {
  double x = 0, y = 0;
};

struct Vertex {
  double x = 0, y = 0, z = 0;
};

// Corners counter-clockwise seen from outside the solid: the right-hand
// rule gives the outward normal.
struct Facet {
  std::uint32_t a = 0, b = 0, c = 0;
};

struct Mesh {
  std::vector<Vertex> vertices;
  std::vector<Facet> facets;
};

}  // namespace bellform
