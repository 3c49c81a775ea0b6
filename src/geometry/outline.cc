#include "geometry/outline.h"

#include <cmath>

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

int clamp(int count) {
  return count > max_stations ? max_stations : count;
}

// Stations at one distance from the throat are one station: the mouth
// listed twice, or a part of no length.
bool has_length(const double* dim_x, int count) {
  for (int i = 1; i < count; ++i)
    if (dim_x[i] != dim_x[0]) return true;
  return false;
}

// Mirrors the edge already in `out` about the x axis, walking back.
void close_mirrored(Outline& out) {
  for (int i = out.count - 1; i >= 0; --i) add_vertex(out, out.x[i], 0.0 - out.y[i]);
  // The way back may end where the way out began (an edge of no width).
  while (out.count > 1 && out.x[out.count - 1] == out.x[0] &&
         out.y[out.count - 1] == out.y[0])
    --out.count;
}

}  // namespace

std::string piece_outline(const double* dim_x, const double* half_w, int count,
                          Outline& out) {
  out.count = 0;
  count = clamp(count);
  if (!has_length(dim_x, count)) return "Nothing to draw: the piece has fewer than two stations.";
  for (int i = 0; i < count; ++i) add_vertex(out, dim_x[i], half_w[i]);
  close_mirrored(out);
  return "";
}

std::string side_panel_outline(const Frame& frame, const double* dim_x,
                               const double* half_w, int count, Outline& out) {
  out.count = 0;
  count = clamp(count);
  if (!has_length(dim_x, count))
    return "Nothing to draw: the side panel has fewer than two stations.";
  double u = 0;
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      const double da = dim_x[i] * frame.cos_t - dim_x[i - 1] * frame.cos_t;
      const double dw = half_w[i] - half_w[i - 1];
      u = u + std::sqrt(da * da + dw * dw);
    }
    // The half height as the station's table row computes it.
    const double h = ((frame.s0 + dim_x[i]) * frame.cos_t) * frame.tan_t;
    add_vertex(out, u, h);
  }
  close_mirrored(out);
  return "";
}

}  // namespace bellform
