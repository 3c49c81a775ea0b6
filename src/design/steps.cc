#include "design/steps.h"

#include <cmath>

#include "geometry/walk.h"

namespace bellform {

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

}  // namespace bellform
