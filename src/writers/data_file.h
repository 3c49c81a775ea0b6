// The data file ("bellform.txt"): the report of one pass, then the
// construction lines: the length, the throat and the jig dimensions.
#pragma once

#include "design/record.h"
#include "design/report.h"

namespace bellform {

constexpr const char* data_file_name = "bellform.txt";

// Runs a pass of `kind` at rec.step through the sink, its trailer, and the
// construction lines after it: a file pass has every station at the step, a
// screen pass the stations the screen shows.
void data_file_report(DesignRecord& rec, PassKind kind, ReportSink& sink);

}  // namespace bellform
