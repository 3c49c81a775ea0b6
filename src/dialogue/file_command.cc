#include "dialogue/file_command.h"

#include <string>

#include "console/console.h"
#include "console/line_editor.h"
#include "design/attributes.h"
#include "design/number.h"
#include "design/steps.h"
#include "dialogue/output_lines.h"
#include "writers/outputs.h"

namespace bellform {

std::string file_command(DesignRecord& rec, TextBuffer& line, TextBuffer& prompt) {
  format_text(prompt, "%s", rec.units.metric ? "  What dim X step (mm) > "
                                             : "  What dim X step (In) > ");
  write_text(prompt, attr_normal);
  read_line(line, sizeof line);
  return step_that_fits(rec, to_number(line, rec.units.metric), rec.step);
}

void file_cycle(const DesignRecord& rec) {
  OutputJob job(rec);
  job.use_data_step(rec);
  banner_lines();
  write_outputs(job, rows_for(Command::file));
}

}  // namespace bellform
