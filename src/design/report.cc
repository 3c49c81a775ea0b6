#include "design/report.h"

#include <cmath>

#include "design/attributes.h"
#include "geometry/walk.h"

namespace bellform {

namespace {

// Three lines: on the screen the banner and the maker line stand beside the
// mouth dimensions and the column titles; in the data file they are left out.
void page_header(const DesignRecord& rec, ReportSink& sink) {
  const Units& u = rec.units;
  sink.new_page();
  if (u.metric)
    sink.text(text_of("Top and bottom piece length=%.1f mm ** Angle=%.1f Deg.\n",
                      u.shown(piece_length(rec.frame)), piece_angle(rec.frame)),
              attr_normal);
  else
    sink.text(text_of("Top and bottom piece length=%.2f In. ** Angle=%.1f Deg.\n",
                      piece_length(rec.frame), piece_angle(rec.frame)),
              attr_normal);
  sink.text(text_of("Mouth dimensions = %g x %g \t", u.shown(rec.H), u.shown(rec.W)),
            attr_normal);
  sink.aside(banner, attr_red);
  sink.text("\n", attr_normal);
  sink.text(" dim X \t W/2 \tHeight \t H/W \tArea \t", attr_green);
  sink.aside(maker_line, attr_red);
  sink.text("\n", attr_normal);
}

// One station: its lengths in the user's unit, H/W as it is.
std::string format_row(const Units& u, const Station& st) {
  if (u.metric)
    return text_of(" %.1f \t%.2f \t%.2f \t%.3f \t%.0f\n", u.shown(st.dim_x),
                   u.shown(st.half_w), u.shown(st.height), st.h_over_w,
                   u.shown_area(st.area));
  return text_of(" %.2f \t%.3f \t%.3f \t%.3f \t%.3f\n", st.dim_x, st.half_w, st.height,
                 st.h_over_w, st.area);
}

void store_point(PointList& points, int i, const Station& station) {
  points.dim_x[i] = station.dim_x;
  points.half_w[i] = station.half_w;
  points.dim_x[i + 1] = -1.0;
}

// One walk from the throat to the mouth under its page header; false when a
// screen pass needs more rows than the screen shows, and must be redone.
bool walk_stations(DesignRecord& rec, PassKind kind, ReportSink& sink) {
  page_header(rec, sink);
  const bool screen = kind == PassKind::screen;
  Walk walk = start_walk(rec.frame);
  for (int i = 0;; ++i) {
    const Station st = station_at(rec.frame, rec.radii.rm, walk.s);
    if (kind != PassKind::outline) {
      sink.text(format_row(rec.units, st), attr_normal);
    }
    if (i == 0) rec.A0 = st.area;
    if (i == 1) rec.Fc = cutoff_frequency(rec.A0, st.area, st.dim_x);
    store_point(rec.points, i, st);
    if (!next_station(rec.frame, rec.step, walk)) return true;
    // A station beyond the screen's rows: this pass is thrown away. Stopping
    // here also ends a walk whose step no longer moves s. File and macro
    // passes are sized beforehand, so the bound below is only a last guard.
    if (screen && i + 1 >= screen_rows) return false;
    if (i + 2 >= point_capacity) return true;
  }
}

}  // namespace

void layout_pass(DesignRecord& rec, PassKind kind, ReportSink& sink) {
  rec.frame = layout_frame(rec.radii, rec.H, rec.L);
  rec.step_widened = false;
  if (kind == PassKind::outline &&
      count_stations(rec.frame, rec.step, max_stations) > max_stations) {
    const double fitting = smallest_fitting_step(rec.frame, rec.step, max_stations);
    if (fitting > 0) {
      rec.step = fitting;
      rec.step_widened = true;
    }
  }
  while (!walk_stations(rec, kind, sink)) rec.step = rec.step * 2;
}

std::string widened_step_note(const DesignRecord& rec) {
  const Units& u = rec.units;
  if (u.metric)
    return text_of("Piece too long for stations %g mm apart: step %g mm used.",
                   u.shown(u.outline_step), u.shown(rec.step));
  return text_of("Piece too long for stations %g In. apart: step %g In. used.", u.outline_step,
                 rec.step);
}

void report_trailer(const DesignRecord& rec, ReportSink& sink) {
  const Units& u = rec.units;
  const double adapter = adapter_thickness(rec.D, rec.L, rec.radii.rm);
  if (u.metric)
    sink.text(text_of("Throat to %g mm diameter driver adapter thickness=%.1f mm",
                      u.shown(rec.D), u.shown(adapter)),
              attr_normal);
  else
    sink.text(text_of("Throat to %g In diameter driver adapter thickness=%.2f In.", rec.D,
                      adapter),
              attr_normal);
  sink.text(text_of(" (Fc=%.0f Hz)\n", rec.Fc), attr_cyan);
}

double first_screen_cutoff(const DesignRecord& rec) {
  DesignRecord scratch = rec;
  scratch.step = scratch.units.first_step;
  scratch.Fc = NAN;
  NullSink sink;
  layout_pass(scratch, PassKind::screen, sink);
  return scratch.Fc;
}

}  // namespace bellform
