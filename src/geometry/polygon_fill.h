// A flat face with holes in it as triangles: the adapter's flanges, each a
// plate with the passage and the bolt holes through it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "geometry/mesh.h"

namespace bellform {

using Triangle = std::array<std::uint32_t, 3>;

// The polygon whose outline is rings[0] and whose holes are the other
// rings, each in either direction; no ring crosses itself or another, and
// no hole touches the outline or another hole. Its triangles, each by the
// index of its corners among the rings' points taken one ring after
// another, counter-clockwise (y up), none of them flat: every corner is one
// of the rings' own points, so the face meets the facets beside it at their
// corners and leaves no crack. Ear clipping, after a bridge has joined each
// hole to the outline: n points and h holes give n + 2h - 2 triangles.
std::vector<Triangle> fill_polygon(const std::vector<std::vector<Point2>>& rings);

}  // namespace bellform
