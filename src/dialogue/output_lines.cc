#include "dialogue/output_lines.h"

#include <algorithm>
#include <string_view>

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

// One row's file; empty when written, otherwise why not.
std::string write_row(const OutputRow& row, OutputJob& job) {
  std::string bytes;
  std::string why = row.make(job, bytes);
  if (why.empty()) why = replace_file(row.file, bytes);
  return why;
}

}  // namespace

void write_outputs(OutputJob& job, const std::vector<const OutputRow*>& rows) {
  std::vector<std::string> faults;
  for (const OutputRow* row : rows) faults.push_back(write_row(*row, job));
  // In the rows' order: a red line for each file not written; a yellow line
  // for each notice, at its first file written, naming all its files written.
  std::vector<std::string> notes;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!faults[i].empty()) {
      coloured_line(not_written_text(*rows[i], faults[i]), attr_red);
      continue;
    }
    std::string files;
    for (std::size_t k = 0; k < rows.size(); ++k)
      if (faults[k].empty() && std::string_view(rows[k]->notice) == rows[i]->notice) {
        if (k < i) break;
        files += (files.empty() ? "" : ", ") + std::string(rows[k]->file);
      }
    if (!files.empty()) coloured_line(text_of(rows[i]->notice, files.c_str()), attr_yellow);
    for (std::string& note : job.notes(*rows[i]))
      if (std::find(notes.begin(), notes.end(), note) == notes.end()) notes.push_back(note);
  }
  for (const std::string& note : notes) coloured_line(note, attr_yellow);
}

}  // namespace bellform
