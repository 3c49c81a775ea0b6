#include "writers/data_file.h"

#include "design/attributes.h"

namespace bellform {

namespace {

void construction_lines(const DesignRecord& rec, ReportSink& sink, TextBuffer& line) {
  const Units& u = rec.units;
  if (u.metric) {
    format_text(line, " Throat to mouth length=%.1f mm\n", u.shown(rec.L));
    sink.text(line, attr_normal);
    format_text(line, " Throat dimensions %.1f mm square\n", u.shown(rec.T));
  } else {
    format_text(line, " Throat to mouth length=%.2f In.\n", rec.L);
    sink.text(line, attr_normal);
    format_text(line, " Throat dimensions %.2f In square\n", rec.T);
  }
  sink.text(line, attr_normal);
  sink.text("Jig dimensions:\n", attr_normal);
  if (u.metric)
    format_text(line, " Center line extended (len_ext)=%g mm\n", u.shown(rec.frame.len_ext));
  else
    format_text(line, " Center line extended (len_ext)=%g In.\n", rec.frame.len_ext);
  sink.text(line, attr_normal);
  if (u.metric)
    format_text(line, "  Extention (b)=%g mm\n", u.shown(rec.frame.b));
  else
    format_text(line, "  Extention (b)=%g In.\n", rec.frame.b);
  sink.text(line, attr_normal);
}

}  // namespace

void write_data_file(DesignRecord& rec, PassKind kind, ReportSink& sink, TextBuffer& line) {
  layout_pass(rec, kind, sink, line);
  report_trailer(rec, sink, line);
  construction_lines(rec, sink, line);
}

}  // namespace bellform
