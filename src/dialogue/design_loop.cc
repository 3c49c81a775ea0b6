#include "dialogue/design_loop.h"

#include "console/console.h"
#include "console/console_size.h"
#include "console/line_editor.h"
#include "design/attributes.h"
#include "design/design_check.h"
#include "design/number.h"
#include "design/record.h"
#include "design/report.h"
#include "design/texts.h"
#include "dialogue/file_command.h"
#include "dialogue/macro_command.h"
#include "dialogue/screen_sink.h"

namespace bellform {

namespace {

// The loop's state besides the record: the kind of the next pass, the two
// text buffers, and a fault to show in red above the next command line.
struct Loop {
  DesignRecord rec;
  PassKind pass = PassKind::screen;
  TextBuffer line = {};
  TextBuffer prompt = {};
  std::string fault;
};

// Asks the question already formatted into the prompt buffer.
double ask(Loop& loop) {
  write_text(loop.prompt, attr_normal);
  read_line(loop.line, sizeof loop.line);
  return to_number(loop.line, loop.rec.units.metric);
}

// The four questions, asked again below a red line while the answers give
// no layout. The answers are kept in inches.
void ask_dimensions(Loop& loop) {
  DesignRecord& rec = loop.rec;
  const Units& u = rec.units;
  for (;;) {
    format_text(loop.prompt, "%s", u.metric ? "Input mouth width  (mm) > "
                                            : "Input mouth width  (In.) > ");
    const double W = ask(loop);
    format_text(loop.prompt, "%s", u.metric ? "Input mouth height (mm) > "
                                            : "Input mouth height (In.) > ");
    const double H = ask(loop);
    format_text(loop.prompt, "%s",
                u.metric ? "Input throat dimension (Square, all sides - mm) > "
                         : "Input throat dimension (Square, all sides - In.) > ");
    const double T = ask(loop);
    if (u.metric)
      format_text(loop.prompt, "Input driver throat diameter (Round - mm <Cr> = %g mm) > ",
                  u.shown(u.to_inches(T)));
    else
      format_text(loop.prompt, "Input driver throat diameter (Round - In. <Cr> = %g In.) > ", T);
    const std::string fault = set_design(rec, W, H, T, ask(loop));
    if (fault.empty()) break;
    write_text(fault.c_str(), attr_red);
    write_char('\n', attr_normal);
  }
  rec.recompute = true;
}

void run_cycle(Loop& loop) {
  DesignRecord& rec = loop.rec;
  if (rec.recompute) {
    rec.L = natural_length(rec.radii);
    rec.step = rec.units.first_step;
    rec.recompute = false;
  }
  if (loop.pass == PassKind::file) {
    file_cycle(rec);
  } else {
    ScreenSink screen;
    layout_pass(rec, loop.pass, screen);
    report_trailer(rec, screen);
    if (loop.pass == PassKind::outline) macro_command(rec);
  }
  // Every cycle ends at the command line in screen state.
  loop.pass = PassKind::screen;
  if (!loop.fault.empty()) {
    write_text(loop.fault.c_str(), attr_red);
    write_char('\n', attr_normal);
    loop.fault.clear();
  }
}

void write_command_line(Loop& loop) {
  const DesignRecord& rec = loop.rec;
  const Units& u = rec.units;
  write_text("<Enter>-end  <S> Square  <F> File  <M> Macro * ", attr_green);
  if (u.metric)
    format_text(loop.prompt, "Throat to mouth length=%.1f mm\n", u.shown(rec.L));
  else
    format_text(loop.prompt, "Throat to mouth length=%.2f In.\n", rec.L);
  write_text(loop.prompt, attr_normal);
  if (u.metric)
    format_text(loop.prompt, " Input new length (mouth to %.1f x %.1f square throat mm) > ",
                u.shown(rec.T), u.shown(rec.T));
  else
    format_text(loop.prompt, " Input new length (mouth to %.2f x %.2f square throat In) > ",
                rec.T, rec.T);
  write_text(loop.prompt, attr_normal);
}

// Acts on the answer at the command line; false when it ends the program.
bool take_command(Loop& loop) {
  DesignRecord& rec = loop.rec;
  switch (loop.line[0]) {
    case 'S': case 's':
      rec.recompute = true;
      return true;
    case 'F': case 'f':
      loop.fault = file_command(rec, loop.line, loop.prompt);
      if (loop.fault.empty()) loop.pass = PassKind::file;
      return true;
    case 'M': case 'm':
      rec.step = rec.units.outline_step;
      loop.pass = PassKind::outline;
      return true;
    default:
      break;
  }
  // Only a typed zero ends the program, not a tiny length that comes out
  // as zero inches.
  const double typed = to_number(loop.line, rec.units.metric);
  if (typed == 0) return false;
  loop.fault = set_length(rec, typed);
  return true;
}

}  // namespace

int design_loop(const Units& units) {
  Loop loop;
  loop.rec.units = units;
  loop.rec.step = units.first_step;
  open_console(banner);
  // Column 0, row 0 to column 80, row 25, corners inclusive: one past the
  // screen's last cell, which a console of just that size refuses, keeping
  // the window it has.
  set_console_window(0, 0, console_columns, console_rows);
  clear_screen();
  write_text(banner, attr_red);
  write_char('\n', attr_normal);
  ask_dimensions(loop);
  for (;;) {
    run_cycle(loop);
    write_command_line(loop);
    read_line(loop.line, sizeof loop.line);
    if (!take_command(loop)) return 0;
  }
}

}  // namespace bellform
