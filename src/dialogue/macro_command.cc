#include "dialogue/macro_command.h"

#include <cctype>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/keys.h"
#include "console/line_editor.h"
#include "design/attributes.h"
#include "design/driver_file.h"
#include "design/report.h"
#include "design/texts.h"
#include "files/files.h"
#include "writers/outputs.h"

namespace bellform {

namespace {

void banner_lines() {
  clear_screen();
  write_text(banner, attr_red);
  write_text(maker_line, attr_red);
  write_char('\n', attr_normal);
}

void coloured_line(const std::string& text, std::uint16_t attr) {
  write_text(text.c_str(), attr);
  write_char('\n', attr_normal);
}

// The answers beyond the two CAD macros, from the rows: each key once, with
// the words of its first file's kind.
std::string also_line() {
  std::string line = "Also:";
  char last = 0;
  for (const OutputRow& row : output_rows()) {
    if (row.key == 0 || row.key == 'A' || row.key == 'G' || row.key == last) continue;
    line += std::string(" (") + row.key + ")-" + row.answer;
    last = row.key;
  }
  return line;
}

bool is_answer(int upper) {
  for (const OutputRow& row : output_rows())
    if (row.key != 0 && upper == row.key) return true;
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
    const std::string fault = need_fault(job, need);
    if (!fault.empty()) {
      banner_lines();
      coloured_line(fault, attr_red);
      return true;
    }
  }
  return false;
}

// The driver file, asked on the next line; false for an empty answer or a
// file that gives no driver (said in red).
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

// Writes one row's file and says so: the notice in yellow, or why not in red.
bool write_row(const OutputRow& row, OutputJob& job) {
  std::string bytes;
  const std::string why = row.make(job, bytes);
  if (why.empty() && replace_file(row.file, bytes).empty()) {
    coloured_line(text_of(row.notice, row.file), attr_yellow);
    return true;
  }
  if (why.empty())
    coloured_line(text_of("Could not write the %s file %s.", row.kind, row.file), attr_red);
  else
    coloured_line(text_of("Could not write the %s file %s: %s.", row.kind, row.file,
                          why.c_str()),
                  attr_red);
  return false;
}

}  // namespace

void macro_command(DesignRecord& rec) {
  const char key = ask_answer();
  OutputJob job(rec);
  job.use_outline(rec);
  std::vector<const OutputRow*> rows;
  for (const OutputRow& row : output_rows())
    if (row.key == key) rows.push_back(&row);
  if (refused(job, rows, false)) return;
  const bool needs_driver = rows.front()->need == Need::response;
  if (needs_driver && (!ask_driver(job) || refused(job, rows, true))) return;
  banner_lines();
  // Each file is written even when one before it failed.
  bool any = false;
  for (const OutputRow* row : rows) any = write_row(*row, job) || any;
  if (any && draws_outline(*rows.front()) && rec.step_widened)
    coloured_line(widened_step_note(rec), attr_yellow);
}

}  // namespace bellform
