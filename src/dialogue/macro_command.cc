#include "dialogue/macro_command.h"

#include <cctype>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/keys.h"
#include "console/line_editor.h"
#include "design/attributes.h"
#include "design/driver_file.h"
#include "design/texts.h"
#include "dialogue/output_lines.h"
#include "writers/outputs.h"

namespace bellform {

std::string also_line() {
  std::string line = "Also:";
  char last = 0;
  for (const OutputRow& row : output_rows()) {
    if (row.command != Command::macro || row.key == 'A' || row.key == 'G' || row.key == last)
      continue;
    line += std::string(" (") + row.key + ")-" + row.answer;
    last = row.key;
  }
  return line;
}

namespace {

bool is_answer(int upper) {
  for (const OutputRow& row : output_rows())
    if (row.command == Command::macro && upper == row.key) return true;
  return false;
}

// Any key but an answer (either case) asks again. Keys typed before the
// question are dropped; those typed after it count, in order.
char ask_answer() {
  discard_typed_ahead();
  const std::string also = also_line();
  for (;;) {
    banner_lines();
    coloured_line(also, attr_normal);
    write_text("Macro for: (A)-AutoCAD script (G)-General CADD ? ", attr_normal);
    const int key = read_key();
    // A typed character is a byte; a special key or a click is not.
    if (key < 0) continue;
    const int upper = std::toupper(static_cast<unsigned char>(key));
    if (is_answer(upper)) return static_cast<char>(upper);
  }
}

// The horn is refused before anything is asked or written: a need's
// sentence in red under the banner. The response's driver is asked for
// after the impedance it needs was found.
bool refused(OutputJob& job, const std::vector<const OutputRow*>& rows, bool driver_known) {
  for (const OutputRow* row : rows) {
    const Need need = row->need == Need::response && !driver_known ? Need::impedance : row->need;
    const std::string& fault = job.fault(need);
    if (!fault.empty()) {
      banner_lines();
      coloured_line(fault, attr_red);
      return true;
    }
  }
  return false;
}

// The driver file, asked on the next line; false for an empty answer or a
// file that cannot be read (said in red).
bool ask_driver(OutputJob& job) {
  write_char('\n', attr_normal);
  write_text("Driver parameters file > ", attr_normal);
  TextBuffer name = {};
  read_line(name, sizeof name);
  if (name[0] == '\0') return false;
  const std::string fault = load_driver_file(name, job.driver_file);
  if (!fault.empty()) {
    banner_lines();
    coloured_line(fault, attr_red);
    return false;
  }
  return true;
}

}  // namespace

void macro_command(const DesignRecord& rec) {
  const std::vector<const OutputRow*> rows = rows_for(Command::macro, ask_answer());
  OutputJob job(rec);
  job.use_outline(rec);
  if (refused(job, rows, false)) return;
  const bool needs_driver = rows.front()->need == Need::response;
  if (needs_driver && (!ask_driver(job) || refused(job, rows, true))) return;
  banner_lines();
  write_outputs(job, rows);
}

}  // namespace bellform
