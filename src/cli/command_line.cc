#include "cli/command_line.h"

#include <cstdio>
#include <string>

#include "console/files.h"
#include "design/record.h"
#include "design/report.h"
#include "design/steps.h"
#include "geometry/design_check.h"
#include "geometry/impedance.h"
#include "writers/data_file.h"
#include "writers/drawing.h"
#include "writers/drawing_pdf.h"
#include "writers/impedance_files.h"
#include "writers/script.h"

namespace bellform {

namespace {

void message(const std::string& text) {
  std::fprintf(stderr, "bellform: %s\n", text.c_str());
}

// The horn in inches, as the dialogue takes the four answers; false, with
// the dialogue's reason, for a design or a length it refuses.
bool lay_out(const Options& o, DesignRecord& rec) {
  const Units& u = o.millimetres ? metric_units : inch_units;
  const GivenDesign& d = o.design;
  rec.units = u;
  rec.W = u.to_inches(d.W);
  rec.H = u.to_inches(d.H);
  rec.T = u.to_inches(d.T);
  // As the empty answer: the driver is the throat; so is a driver of 0.
  const bool driver_typed = d.has_driver && d.D != 0;
  rec.D = driver_typed ? u.to_inches(d.D) : rec.T;
  if (const char* fault = design_fault(rec.W, rec.H, rec.T, rec.D, driver_typed)) {
    message(fault);
    return false;
  }
  rec.radii = design_radii(rec.W, rec.H, rec.T);
  rec.L = natural_length(rec.radii);
  if (d.has_length) {
    const double L = u.to_inches(d.L);
    if (const char* fault = length_fault(rec.W, rec.H, rec.T, rec.D, L)) {
      message(fault);
      return false;
    }
    rec.L = L;
  }
  rec.frame = layout_frame(rec.radii, rec.H, rec.L);
  return true;
}

// The passes the outputs need, each run once, on a record of its own.
struct Passes {
  Passes(const Options& o, const DesignRecord& h) : options(o), horn(h) {}

  const Options& options;
  const DesignRecord& horn;
  TextBuffer line = {};
  bool macro_done = false;
  DesignRecord macro;
  bool sheet_done = false;
  Sheet sheet;
  const char* sheet_fault = nullptr;
  bool impedance_done = false;
  ImpedanceTable table;
  const char* impedance_fault = nullptr;

  // The data file: at the step given, refused as F refuses it, or at the
  // stations of the first report.
  bool data_file(std::string& bytes) {
    DesignRecord rec = horn;
    const GivenDesign& d = options.design;
    PassKind kind = PassKind::screen;
    rec.step = rec.units.first_step;
    if (d.has_step) {
      TextBuffer fault = {};
      rec.step = step_that_fits(rec, d.step, fault);
      if (rec.step == 0) {
        message(fault);
        return false;
      }
      kind = PassKind::file;
    }
    TextSink sink(bytes);
    write_data_file(rec, kind, sink, line);
    return true;
  }

  // The macro pass at the macro step, widened for a long piece.
  const DesignRecord& macro_pass() {
    if (!macro_done) {
      macro = horn;
      macro.step = macro.units.macro_step;
      NullSink sink;
      layout_pass(macro, PassKind::macro, sink, line);
      if (macro.step_widened) {
        widened_step_note(macro, line);
        message(std::string("note: ") + line);
      }
      macro_done = true;
    }
    return macro;
  }

  // The sheet of the drawings, laid out once; false when there is none.
  bool drawing() {
    if (!sheet_done) {
      sheet_fault = lay_out_sheet(macro_pass(), sheet);
      if (sheet_fault) message(sheet_fault);
      sheet_done = true;
    }
    return sheet_fault == nullptr;
  }

  // The throat impedance, computed once for the table and the chart.
  bool impedance() {
    if (!impedance_done) {
      impedance_fault = throat_impedance(horn.radii, horn.L, horn.D, table);
      if (impedance_fault) message(impedance_fault);
      impedance_done = true;
    }
    return impedance_fault == nullptr;
  }

  // The template's pages, on the paper asked for or the unit's.
  bool pages(std::string& bytes) {
    const GivenDesign& d = options.design;
    const Paper paper = d.has_paper ? d.paper : paper_of(horn.units);
    PagePlan plan;
    std::string fault = plan_pages(sheet, horn.units.drawing, paper, plan);
    if (fault.empty()) fault = write_pdf_pages(bytes, plan);
    if (fault.empty()) return true;
    message(fault);
    return false;
  }

  // The bytes of one output; false when the design gives none, and then
  // nothing at all is written.
  bool bytes_of(Output kind, std::string& bytes) {
    const DrawingUnits& units = horn.units.drawing;
    bool formatted = true;
    switch (kind) {
      case Output::txt: return data_file(bytes);
      case Output::scr:
        formatted = write_script(bytes, autocad_script, macro_pass().points, horn.units);
        break;
      case Output::mcr:
        formatted = write_script(bytes, general_cadd_macro, macro_pass().points, horn.units);
        break;
      case Output::dxf:
        if (!drawing()) return false;
        formatted = write_dxf(bytes, sheet, units);
        break;
      case Output::svg:
        if (!drawing()) return false;
        formatted = write_svg(bytes, sheet, units);
        break;
      case Output::pdf:
        if (!drawing()) return false;
        return pages(bytes);
      case Output::impedance_csv:
        if (!impedance()) return false;
        formatted = write_impedance_csv(bytes, table);
        break;
      case Output::impedance_svg:
        if (!impedance()) return false;
        formatted = write_impedance_svg(bytes, table, horn, first_screen_cutoff(horn));
        break;
    }
    if (!formatted) message("a number of this horn is too long to write");
    return formatted;
  }
};

bool write_output(const OutputRequest& out, const std::string& bytes) {
  std::string why;
  if (out.file == "-") {
    if (write_standard_output(bytes, &why)) return true;
    message("cannot write to standard output: " + why);
    return false;
  }
  if (replace_file(out.file.c_str(), bytes, &why)) return true;
  message("cannot write '" + out.file + "': " + why);
  return false;
}

}  // namespace

int run_command_line(const Options& options) {
  DesignRecord horn;
  if (!lay_out(options, horn)) return 1;
  Passes passes(options, horn);
  // Every output made before any is written: a design that gives one of
  // them nothing writes none.
  std::vector<std::string> bytes(options.outputs.size());
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (!passes.bytes_of(options.outputs[i].kind, bytes[i])) return 1;
  int status = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (!write_output(options.outputs[i], bytes[i])) status = 1;
  return status;
}

}  // namespace bellform
