#include "cli/command_line.h"

#include <cstdio>
#include <string>

#include "design/design_check.h"
#include "design/driver_file.h"
#include "design/record.h"
#include "design/report.h"
#include "files/files.h"
#include "writers/outputs.h"

namespace bellform {

namespace {

void message(const std::string& text) {
  std::fprintf(stderr, "bellform: %s\n", text.c_str());
}

// The horn in inches, as the dialogue takes the four answers and a length;
// false, with the dialogue's reason, for a design or a length it refuses.
bool lay_out(const Options& o, DesignRecord& rec) {
  const GivenDesign& d = o.design;
  rec.units = o.millimetres ? metric_units : inch_units;
  std::string fault = set_design(rec, d.W, d.H, d.T, d.has_driver ? d.D : 0);
  if (fault.empty()) {
    rec.L = natural_length(rec.radii);
    if (d.has_length) fault = set_length(rec, d.L);
  }
  if (!fault.empty()) {
    message(fault);
    return false;
  }
  rec.frame = layout_frame(rec.radii, rec.H, rec.L);
  return true;
}

// The bytes of one output; false, said, when the horn gives it none. The
// note of a widened outline step is said once, by the first output that
// draws the outline.
bool make(const OutputRequest& out, OutputJob& job, std::string& bytes, bool& noted) {
  const std::string refusal = need_fault(job, out.row->need);
  if (!refusal.empty()) {
    message(refusal);
    return false;
  }
  if (draws_outline(*out.row) && job.outline().step_widened && !noted) {
    message("note: " + widened_step_note(job.outline()));
    noted = true;
  }
  const std::string why = out.row->make(job, bytes);
  if (why.empty()) return true;
  message("cannot write '" + out.file + "': " + why);
  return false;
}

bool write_output(const OutputRequest& out, const std::string& bytes) {
  if (out.file == "-") {
    const std::string why = write_standard_output(bytes);
    if (why.empty()) return true;
    message("cannot write to standard output: " + why);
    return false;
  }
  const std::string why = replace_file(out.file.c_str(), bytes);
  if (why.empty()) return true;
  message("cannot write '" + out.file + "': " + why);
  return false;
}

}  // namespace

int run_command_line(const Options& options) {
  DesignRecord horn;
  if (!lay_out(options, horn)) return 1;
  OutputJob job(horn);
  const GivenDesign& d = options.design;
  if (!d.driver_file.empty()) {
    const std::string fault = load_driver_file(d.driver_file, job.driver_file);
    if (!fault.empty()) {
      message(fault);
      return 1;
    }
  }
  if (d.has_step) job.data_step = d.step;
  if (d.has_paper) job.paper = d.paper;
  // Every output made before any is written: a design that gives one of
  // them nothing writes none.
  std::vector<std::string> bytes(options.outputs.size());
  bool noted = false;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (!make(options.outputs[i], job, bytes[i], noted)) return 1;
  int status = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (!write_output(options.outputs[i], bytes[i])) status = 1;
  return status;
}

}  // namespace bellform
