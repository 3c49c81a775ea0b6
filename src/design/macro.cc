#include "design/macro.h"

#include "console/console.h"
#include "console/keys.h"

namespace bellform {

namespace {

struct Dialect {
  const char* file_name;
  const char* segment;     // first point x, y; second point x, y
  const char* after_first; // nullptr: nothing
  const char* last;
};

constexpr Dialect autocad = {"horn.scr", "LINE %g,%g %g,%g \n", nullptr, "ZOOM E\n"};
constexpr Dialect general_cadd = {"horn.mcr", "L1,%g,%g,%g,%g;\n", "MB; \n", "ZA;\n"};

void banner_lines() {
  clear_screen();
  write_text(banner, attr_red);
  write_text(maker_line, attr_red);
  write_char('\n', attr_normal);
}

// Any key but A or G (either case) asks again.
const Dialect& ask_dialect(TextBuffer& prompt) {
  for (;;) {
    banner_lines();
    format_text(prompt, "Macro for: (A)-AutoCAD script (G)-General CADD ? ");
    write_text(prompt, attr_normal);
    int key = read_key();
    if (key > 90) key -= 32;
    if (key == 'A') return autocad;
    if (key == 'G') return general_cadd;
  }
}

// True when every line reached the file.
bool write_outline(const Dialect& dialect, const PointList& points,
                   TextBuffer& line) {
  const Handle file = open_output_file(dialect.file_name);
  if (file == null_handle) return false;
  bool ok = true;
  auto put = [&](const char* text) { ok = write_file_text(file, text) && ok; };
  format_text(line, dialect.segment, 0.0, 0.0, 0.0, points.half_w[0]);
  put(line);
  if (dialect.after_first) put(dialect.after_first);
  for (int i = 0; i + 1 < point_capacity && points.dim_x[i + 1] >= 0; ++i) {
    format_text(line, dialect.segment, points.dim_x[i], points.half_w[i],
                points.dim_x[i + 1], points.half_w[i + 1]);
    put(line);
  }
  put(dialect.last);
  // A close that fails may have lost what was written before it.
  return close_file(file) && ok;
}

}  // namespace

void macro_export(DesignRecord& rec, TextBuffer& line, TextBuffer& prompt) {
  const Dialect& dialect = ask_dialect(prompt);
  const bool ok = write_outline(dialect, rec.points, line);
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
  if (rec.step != macro_step) {
    format_text(line, "Piece too long for stations %g In. apart: step %g In. used.",
                macro_step, rec.step);
    write_text(line, attr_yellow);
    write_char('\n', attr_normal);
  }
}

}  // namespace bellform
