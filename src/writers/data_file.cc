#include "writers/data_file.h"

#include "design/attributes.h"

namespace bellform {

namespace {

void construction_lines(const DesignRecord& rec, ReportSink& sink) {
  const Units& u = rec.units;
  if (u.metric) {
    sink.text(text_of(" Throat to mouth length=%.1f mm\n", u.shown(rec.L)), attr_normal);
    sink.text(text_of(" Throat dimensions %.1f mm square\n", u.shown(rec.T)), attr_normal);
  } else {
    sink.text(text_of(" Throat to mouth length=%.2f In.\n", rec.L), attr_normal);
    sink.text(text_of(" Throat dimensions %.2f In square\n", rec.T), attr_normal);
  }
  sink.text("Jig dimensions:\n", attr_normal);
  if (u.metric) {
    sink.text(text_of(" Center line extended (len_ext)=%g mm\n", u.shown(rec.frame.len_ext)),
              attr_normal);
    sink.text(text_of("  Extention (b)=%g mm\n", u.shown(rec.frame.b)), attr_normal);
  } else {
    sink.text(text_of(" Center line extended (len_ext)=%g In.\n", rec.frame.len_ext),
              attr_normal);
    sink.text(text_of("  Extention (b)=%g In.\n", rec.frame.b), attr_normal);
  }
}

}  // namespace

void data_file_report(DesignRecord& rec, PassKind kind, ReportSink& sink) {
  layout_pass(rec, kind, sink);
  report_trailer(rec, sink);
  construction_lines(rec, sink);
}

}  // namespace bellform
