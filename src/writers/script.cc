#include "writers/script.h"

#include "writers/text_out.h"

namespace bellform {

void write_script(std::string& bytes, const ScriptDialect& dialect, const PointList& points,
                  const Units& u) {
  TextOut out(bytes);
  out.put(dialect.segment, 0.0, 0.0, 0.0, u.shown(points.half_w[0]));
  if (dialect.after_first) out.add(dialect.after_first);
  for (int i = 0; i + 1 < point_capacity && points.dim_x[i + 1] >= 0; ++i)
    out.put(dialect.segment, u.shown(points.dim_x[i]), u.shown(points.half_w[i]),
            u.shown(points.dim_x[i + 1]), u.shown(points.half_w[i + 1]));
  out.add(dialect.last);
}

}  // namespace bellform
