#include "writers/horn_caption.h"

#include <cstdio>

namespace bellform {

std::string horn_words(const DesignRecord& rec) {
  const Units& u = rec.units;
  // Room for any double in full: the length is the one number in %f.
  char text[1024];
  const int n = std::snprintf(text, sizeof text, "mouth %g wide x %g high, throat %g, driver %g, ",
                              u.shown(rec.W), u.shown(rec.H), u.shown(rec.T), u.shown(rec.D));
  if (u.metric)
    std::snprintf(text + n, sizeof text - n, "length %.1f mm", u.shown(rec.L));
  else
    std::snprintf(text + n, sizeof text - n, "length %.2f In.", rec.L);
  return text;
}

}  // namespace bellform
