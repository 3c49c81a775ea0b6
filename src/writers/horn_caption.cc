#include "writers/horn_caption.h"

#include "design/texts.h"
#include "geometry/horn.h"

namespace bellform {

namespace {

const char* unit_word(const Units& u) { return u.metric ? "mm" : "In."; }

std::string length_words(const Units& u, double inches) {
  return text_of(u.metric ? "%.1f %s" : "%.2f %s", u.shown(inches), unit_word(u));
}

}  // namespace

std::string horn_words(const DesignRecord& rec) {
  const Units& u = rec.units;
  return text_of("mouth %g wide x %g high, throat %g, driver %g, length %s", u.shown(rec.W),
                 u.shown(rec.H), u.shown(rec.T), u.shown(rec.D),
                 length_words(u, rec.L).c_str());
}

std::string sheet_caption(const DesignRecord& rec) {
  const Units& u = rec.units;
  const char* unit = unit_word(u);
  return text_of("Top and bottom piece (above), side panel laid flat (below): two of each. "
                 "Mouth %g x %g %s (W x H), throat %g %s, driver %g %s; "
                 "piece %s long, angle %.1f Deg.; print at 100%%",
                 u.shown(rec.W), u.shown(rec.H), unit, u.shown(rec.T), unit, u.shown(rec.D), unit,
                 length_words(u, piece_length(rec.frame)).c_str(), piece_angle(rec.frame));
}

}  // namespace bellform
