// The inch, the geometry's unit, in the units the files and the physics
// use: millimetres for the user who works in them and for the adapter's
// mesh, metres for the air and the driver.
#pragma once

namespace bellform {

constexpr double mm_per_inch = 25.4;
constexpr double metres_per_inch = mm_per_inch / 1000;
static_assert(metres_per_inch == 0.0254, "the inch in metres to the last bit");

}  // namespace bellform
