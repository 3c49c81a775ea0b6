#include "design/data_file.h"

#include <cmath>

#include "console/console.h"
#include "console/line_editor.h"
#include "design/number.h"
#include "design/report.h"
#include "geometry/walk.h"

namespace bellform {

namespace {

// A step typed in the user's unit, in inches when it fits the point list;
// otherwise 0, with the reason in `fault`.
double step_that_fits(const DesignRecord& rec, double typed, TextBuffer& fault) {
  const Units& u = rec.units;
  if (!std::isfinite(typed) || typed <= 0) {
    format_text(fault, "%s", u.metric ? "The step must be a number above 0 mm."
                                      : "The step must be a number above 0 In.");
    return 0;
  }
  const double step = u.to_inches(typed);
  if (count_stations(rec.frame, step, max_stations) <= max_stations) return step;
  // The smallest step a user would type: hundredths of an inch, tenths of
  // a millimetre.
  const double smallest = smallest_fitting_step(rec.frame, u.step_grid, max_stations);
  if (!(smallest > 0))
    format_text(fault, "Step too small: over %d stations.", max_stations);
  else if (u.metric)
    format_text(fault, "Step too small: over %d stations. Smallest step that fits: %g mm.",
                max_stations, u.shown(smallest));
  else
    format_text(fault, "Step too small: over %d stations. Smallest step that fits: %g In.",
                max_stations, smallest);
  return 0;
}

}  // namespace

bool file_command(DesignRecord& rec, TextBuffer& line, TextBuffer& prompt,
                  TextBuffer& fault) {
  format_text(prompt, "%s", rec.units.metric ? "  What dim X step (mm) > "
                                             : "  What dim X step (In) > ");
  write_text(prompt, attr_normal);
  read_line(line, sizeof line);
  const double step = step_that_fits(rec, to_number(line), fault);
  if (step == 0) return false;
  rec.step = step;
  rec.sink = open_output_file(data_file_name);
  rec.sink_failed = rec.sink == null_handle;
  return true;
}

void finish_data_file(DesignRecord& rec, TextBuffer& line) {
  const Units& u = rec.units;
  if (u.metric) {
    format_text(line, " Throat to mouth length=%.1f mm\n", u.shown(rec.L));
    report_write(rec, line, attr_normal);
    format_text(line, " Throat dimensions %.1f mm square\n", u.shown(rec.T));
  } else {
    format_text(line, " Throat to mouth length=%.2f In.\n", rec.L);
    report_write(rec, line, attr_normal);
    format_text(line, " Throat dimensions %.2f In square\n", rec.T);
  }
  report_write(rec, line, attr_normal);
  report_write(rec, "Jig dimensions:\n", attr_normal);
  if (u.metric)
    format_text(line, " Center line extended (len_ext)=%g mm\n", u.shown(rec.frame.len_ext));
  else
    format_text(line, " Center line extended (len_ext)=%g In.\n", rec.frame.len_ext);
  report_write(rec, line, attr_normal);
  if (u.metric)
    format_text(line, "  Extention (b)=%g mm\n", u.shown(rec.frame.b));
  else
    format_text(line, "  Extention (b)=%g In.\n", rec.frame.b);
  report_write(rec, line, attr_normal);

  // A close can fail too, for data the system held back (a full disk on a
  // network file system): the notice waits for it.
  if (rec.sink != null_handle && !close_file(rec.sink)) rec.sink_failed = true;
  rec.sink = console_out;

  write_char('\n', attr_normal);
  if (rec.sink_failed) {
    format_text(line, "Could not write the data file %s.", data_file_name);
    write_text(line, attr_red);
  } else {
    format_text(line, "Data file is: %s", data_file_name);
    write_text(line, attr_yellow);
  }
  write_char('\n', attr_normal);
  rec.sink_failed = false;
}

}  // namespace bellform
