#include "design/macro.h"

#include "console/console.h"
#include "console/keys.h"
#include "design/drawing.h"

namespace bellform {

namespace {

enum class Format { script, dxf, svg };

struct Dialect {
  const char* file_name;
  Format format;
  const char* segment;     // first point x, y; second point x, y
  const char* after_first; // nullptr: nothing
  const char* last;
};

constexpr Dialect autocad = {"horn.scr", Format::script, "LINE %g,%g %g,%g \n", nullptr,
                             "ZOOM E\n"};
constexpr Dialect general_cadd = {"horn.mcr", Format::script, "L1,%g,%g,%g,%g;\n", "MB; \n",
                                  "ZA;\n"};
constexpr Dialect dxf = {"horn.dxf", Format::dxf, nullptr, nullptr, nullptr};
constexpr Dialect svg = {"horn.svg", Format::svg, nullptr, nullptr, nullptr};

void banner_lines() {
  clear_screen();
  write_text(banner, attr_red);
  write_text(maker_line, attr_red);
  write_char('\n', attr_normal);
}

// Any key but A, G, D or S (either case) asks again.
const Dialect& ask_dialect(TextBuffer& prompt) {
  for (;;) {
    banner_lines();
    format_text(prompt, "Macro for: (A)-AutoCAD script (G)-General CADD (D)-DXF (S)-SVG ? ");
    write_text(prompt, attr_normal);
    int key = read_key();
    if (key > 90) key -= 32;
    if (key == 'A') return autocad;
    if (key == 'G') return general_cadd;
    if (key == 'D') return dxf;
    if (key == 'S') return svg;
  }
}

// The half outline as segments in a CAD program's macro language; true
// when every line reached the file.
bool write_script(Handle file, const Dialect& dialect, const PointList& points,
                  const Units& u, TextBuffer& line) {
  bool ok = true;
  auto put = [&](const char* text) { ok = write_file_text(file, text) && ok; };
  format_text(line, dialect.segment, 0.0, 0.0, 0.0, u.shown(points.half_w[0]));
  put(line);
  if (dialect.after_first) put(dialect.after_first);
  for (int i = 0; i + 1 < point_capacity && points.dim_x[i + 1] >= 0; ++i) {
    format_text(line, dialect.segment, u.shown(points.dim_x[i]), u.shown(points.half_w[i]),
                u.shown(points.dim_x[i + 1]), u.shown(points.half_w[i + 1]));
    put(line);
  }
  put(dialect.last);
  return ok;
}

// The one place a macro file is opened and closed; true when every line
// reached the file.
bool write_file(const Dialect& dialect, const DesignRecord& rec, const Sheet& sheet,
                TextBuffer& line) {
  const Handle file = open_output_file(dialect.file_name);
  if (file == null_handle) return false;
  bool ok = false;
  switch (dialect.format) {
    case Format::script: ok = write_script(file, dialect, rec.points, rec.units, line); break;
    case Format::dxf: ok = write_dxf(file, sheet, rec.units.drawing); break;
    case Format::svg: ok = write_svg(file, sheet, rec.units.drawing); break;
  }
  // A close that fails may have lost what was written before it.
  return close_file(file) && ok;
}

}  // namespace

void macro_export(DesignRecord& rec, TextBuffer& line, TextBuffer& prompt) {
  const Dialect& dialect = ask_dialect(prompt);
  Sheet sheet;
  if (dialect.format != Format::script) {
    if (const char* fault = lay_out_sheet(rec, sheet)) {
      banner_lines();
      write_text(fault, attr_red);
      write_char('\n', attr_normal);
      return;
    }
  }
  const bool ok = write_file(dialect, rec, sheet, line);
  banner_lines();
  if (!ok) {
    format_text(line, "Could not write the macro file %s.", dialect.file_name);
    write_text(line, attr_red);
    write_char('\n', attr_normal);
    return;
  }
  write_text("Macro file is: ", attr_yellow);
  write_text(dialect.file_name, attr_yellow);
  write_char('\n', attr_normal);
  const Units& u = rec.units;
  if (rec.step != u.macro_step) {
    if (u.metric)
      format_text(line, "Piece too long for stations %g mm apart: step %g mm used.",
                  u.shown(u.macro_step), u.shown(rec.step));
    else
      format_text(line, "Piece too long for stations %g In. apart: step %g In. used.",
                  u.macro_step, rec.step);
    write_text(line, attr_yellow);
    write_char('\n', attr_normal);
  }
}

}  // namespace bellform
