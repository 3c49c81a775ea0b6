// The layout pass and its report: page header, table of stations, trailer.
#pragma once

#include "design/record.h"
#include "design/texts.h"

namespace bellform {

// Computes the frame for rec.L, walks the stations from rec.step, prints the
// header and rows through rec.sink and fills the point list. A screen pass
// that needs more than 18 rows is redone with twice the step. A macro pass
// prints no rows and widens its step when the point list would overflow.
void layout_pass(DesignRecord& rec, PassKind kind, TextBuffer& line);

// The driver adapter and cutoff-frequency line, through the sink.
void report_trailer(DesignRecord& rec, TextBuffer& line);

// Writes through the sink and remembers a lost file line.
void report_write(DesignRecord& rec, const char* text, std::uint16_t attr);

}  // namespace bellform
