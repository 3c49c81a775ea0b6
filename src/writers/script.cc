#include "writers/script.h"

#include <cstdio>

namespace bellform {

namespace {

// A station's point as the script writes it, "x,y" in %g, formatted once
// though every segment but the first and last shares it with another.
struct Point {
  char text[64];
};

Point point(const ScriptDialect& dialect, const Units& u, double x, double y) {
  Point p;
  std::snprintf(p.text, sizeof p.text, "%g%s%g", u.shown(x), dialect.comma, u.shown(y));
  return p;
}

void segment(std::string& bytes, const ScriptDialect& dialect, const Point& a, const Point& b) {
  bytes.append(dialect.line).append(a.text).append(dialect.to).append(b.text).append(dialect.end);
}

}  // namespace

void write_script(std::string& bytes, const ScriptDialect& dialect, const PointList& points,
                  const Units& u) {
  Point from = point(dialect, u, 0.0, 0.0);
  Point to = point(dialect, u, 0.0, points.half_w[0]);
  segment(bytes, dialect, from, to);
  if (dialect.after_first) bytes += dialect.after_first;
  for (int i = 0; i + 1 < point_capacity && points.dim_x[i + 1] >= 0; ++i) {
    from = i == 0 ? point(dialect, u, points.dim_x[0], points.half_w[0]) : to;
    to = point(dialect, u, points.dim_x[i + 1], points.half_w[i + 1]);
    segment(bytes, dialect, from, to);
  }
  bytes += dialect.last;
}

}  // namespace bellform
