#include "design/steps.h"

#include <cmath>

#include "design/texts.h"
#include "geometry/walk.h"

namespace bellform {

std::string step_that_fits(const DesignRecord& rec, double typed, double& step) {
  const Units& u = rec.units;
  if (!std::isfinite(typed) || typed <= 0) {
    return u.metric ? "The step must be a number above 0 mm."
                    : "The step must be a number above 0 In.";
  }
  if (count_stations(rec.frame, u.to_inches(typed), max_stations) <= max_stations) {
    step = u.to_inches(typed);
    return "";
  }
  // The smallest step a user would type: hundredths of an inch, tenths of
  // a millimetre.
  const double smallest = smallest_fitting_step(rec.frame, u.step_grid, max_stations);
  if (!(smallest > 0)) return text_of("Step too small: over %d stations.", max_stations);
  if (u.metric)
    return text_of("Step too small: over %d stations. Smallest step that fits: %g mm.",
                   max_stations, u.shown(smallest));
  return text_of("Step too small: over %d stations. Smallest step that fits: %g In.",
                 max_stations, smallest);
}

}  // namespace bellform
