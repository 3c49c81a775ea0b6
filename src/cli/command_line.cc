#include "cli/command_line.h"

#include <algorithm>
#include <string>
#include <vector>

#include "design/design_check.h"
#include "design/driver_file.h"
#include "design/record.h"
#include "design/report.h"
#include "files/files.h"
#include "writers/outputs.h"

namespace bellform {

namespace {

// Every message, one a line after the program's name.
class Messages {
 public:
  explicit Messages(std::FILE* to) : to_(to) {}
  void say(const std::string& text) { std::fprintf(to_, "bellform: %s\n", text.c_str()); }
  // A note is said once, however many outputs it concerns; the dialogue's
  // "Note: " is the "note: " here.
  void note(const std::string& text) {
    if (std::find(noted_.begin(), noted_.end(), text) != noted_.end()) return;
    noted_.push_back(text);
    say("note: " + text.substr(text.starts_with("Note: ") ? 6 : 0));
  }

 private:
  std::FILE* to_;
  std::vector<std::string> noted_;
};

// The horn in inches, as the dialogue takes the four answers and a length;
// empty, or the dialogue's reason for a design or a length it refuses.
std::string lay_out(const Options& o, DesignRecord& rec) {
  const GivenDesign& d = o.design;
  rec.units = o.millimetres ? metric_units : inch_units;
  rec.print_height = o.print_height;
  std::string fault = set_design(rec, d.W, d.H, d.T, d.has_driver ? d.D : 0);
  if (fault.empty()) {
    rec.L = natural_length(rec.radii);
    if (d.has_length) fault = set_length(rec, d.L);
  }
  if (fault.empty()) rec.frame = layout_frame(rec.radii, rec.H, rec.L);
  return fault;
}

// The bytes of one output; empty, or the sentence why the horn gives none.
std::string make(const OutputRequest& out, OutputJob& job, std::string& bytes,
                 Messages& messages) {
  if (const std::string& refusal = job.fault(out.row->need); !refusal.empty()) return refusal;
  for (const std::string& note : job.notes(*out.row)) messages.note(note);
  const std::string why = out.row->make(job, bytes);
  return why.empty() ? why : "cannot write '" + out.file + "': " + why;
}

// Empty when written, otherwise why not.
std::string write_output(const OutputRequest& out, const std::string& bytes) {
  if (out.file == "-") {
    const std::string why = write_standard_output(bytes);
    return why.empty() ? why : "cannot write to standard output: " + why;
  }
  const std::string why = replace_file(out.file.c_str(), bytes);
  return why.empty() ? why : "cannot write '" + out.file + "': " + why;
}

}  // namespace

int run_command_line(const Options& options, std::FILE* messages_to) {
  Messages messages(messages_to);
  DesignRecord horn;
  if (const std::string fault = lay_out(options, horn); !fault.empty()) {
    messages.say(fault);
    return 1;
  }
  OutputJob job(horn);
  const GivenDesign& d = options.design;
  if (!d.driver_file.empty()) {
    if (const std::string fault = load_driver_file(d.driver_file, job.driver_file);
        !fault.empty()) {
      messages.say(fault);
      return 1;
    }
  }
  if (d.has_step) job.data_step = d.step;
  if (d.has_paper) job.paper = d.paper;
  // Every output made before any is written: a design that gives one of
  // them nothing writes none.
  std::vector<std::string> bytes(options.outputs.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (const std::string why = make(options.outputs[i], job, bytes[i], messages);
        !why.empty()) {
      messages.say(why);
      return 1;
    }
  }
  int status = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (const std::string why = write_output(options.outputs[i], bytes[i]); !why.empty()) {
      messages.say(why);
      status = 1;
    }
  }
  return status;
}

}  // namespace bellform
