#include "dialogue/file_command.h"

#include <string>

#include "console/console.h"
#include "console/line_editor.h"
#include "design/attributes.h"
#include "design/number.h"
#include "design/steps.h"
#include "dialogue/screen_sink.h"
#include "files/files.h"
#include "writers/data_file.h"

namespace bellform {

std::string file_command(DesignRecord& rec, TextBuffer& line, TextBuffer& prompt) {
  format_text(prompt, "%s", rec.units.metric ? "  What dim X step (mm) > "
                                             : "  What dim X step (In) > ");
  write_text(prompt, attr_normal);
  read_line(line, sizeof line);
  return step_that_fits(rec, to_number(line, rec.units.metric), rec.step);
}

void file_cycle(DesignRecord& rec, TextBuffer& line) {
  std::string bytes;
  FilePassSink sink(bytes);
  data_file_report(rec, PassKind::file, sink);
  const bool written = replace_file(data_file_name, bytes).empty();
  write_char('\n', attr_normal);
  if (!written) {
    format_text(line, "Could not write the data file %s.", data_file_name);
    write_text(line, attr_red);
  } else {
    format_text(line, "Data file is: %s", data_file_name);
    write_text(line, attr_yellow);
  }
  write_char('\n', attr_normal);
}

}  // namespace bellform
