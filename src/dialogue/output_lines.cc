#include "dialogue/output_lines.h"

#include <algorithm>

#include "console/console.h"
#include "design/attributes.h"
#include "design/texts.h"
#include "files/files.h"

namespace bellform {

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

namespace {

// One row's file; false, said in red, when it was not written.
bool write_row(const OutputRow& row, OutputJob& job) {
  std::string bytes;
  std::string why = row.make(job, bytes);
  if (why.empty()) why = replace_file(row.file, bytes);
  if (!why.empty()) {
    coloured_line(not_written_text(row, why), attr_red);
    return false;
  }
  coloured_line(text_of(row.notice, row.file), attr_yellow);
  return true;
}

}  // namespace

void write_outputs(OutputJob& job, const std::vector<const OutputRow*>& rows) {
  std::vector<std::string> notes;
  for (const OutputRow* row : rows) {
    if (!write_row(*row, job)) continue;
    for (std::string& note : job.notes(*row))
      if (std::find(notes.begin(), notes.end(), note) == notes.end()) notes.push_back(note);
  }
  for (const std::string& note : notes) coloured_line(note, attr_yellow);
}

}  // namespace bellform
