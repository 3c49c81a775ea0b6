#include "geometry/outline.h"

namespace bellform {

namespace {

void add_vertex(Outline& out, double x, double y) {
  const int n = out.count;
  if (n > 0 && out.x[n - 1] == x && out.y[n - 1] == y) return;
  if (n >= Outline::capacity) return;
  out.x[n] = x;
  out.y[n] = y;
  out.count = n + 1;
}

// Mirrors the half outline already in `out` about the x axis, walking back.
void close_mirrored(Outline& out) {
  for (int i = out.count - 1; i >= 0; --i) add_vertex(out, out.x[i], 0.0 - out.y[i]);
  // The way back may end where the way out began (a side of no width).
  while (out.count > 1 && out.x[out.count - 1] == out.x[0] &&
         out.y[out.count - 1] == out.y[0])
    --out.count;
}

}  // namespace

bool piece_outline(const double* dim_x, const double* half_w, int count,
                   Outline& out) {
  out.count = 0;
  if (count > outline_max_stations) count = outline_max_stations;
  // Stations at one distance from the throat are one station: the mouth
  // listed twice, or a piece of no length.
  bool drawable = false;
  for (int i = 0; i < count; ++i) {
    add_vertex(out, dim_x[i], half_w[i]);
    if (dim_x[i] != dim_x[0]) drawable = true;
  }
  if (drawable) close_mirrored(out);
  if (!drawable) out.count = 0;
  return drawable;
}

}  // namespace bellform
