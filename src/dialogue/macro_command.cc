#include "dialogue/macro_command.h"

#include <cctype>
#include <string>

#include "console/console.h"
#include "console/files.h"
#include "console/keys.h"
#include "design/report.h"
#include "geometry/impedance.h"
#include "writers/drawing.h"
#include "writers/drawing_pdf.h"
#include "writers/impedance_files.h"
#include "writers/script.h"

namespace bellform {

namespace {

enum class Format { script, dxf, svg, impedance };

// One answer to the question: its key, the file it writes, and what the
// notice calls that file.
struct Answer {
  char key;
  const char* file_name;
  const char* kind;  // "macro" or "drawing"
  Format format;
  const ScriptDialect* dialect;  // a script's; nullptr for a drawing
};

constexpr Answer answers[] = {
    {'A', "horn.scr", "macro", Format::script, &autocad_script},
    {'G', "horn.mcr", "macro", Format::script, &general_cadd_macro},
    {'D', "horn.dxf", "drawing", Format::dxf, nullptr},
    {'S', "horn.svg", "drawing", Format::svg, nullptr},
    {'I', nullptr, "impedance", Format::impedance, nullptr},  // two files, named below
};

void banner_lines() {
  clear_screen();
  write_text(banner, attr_red);
  write_text(maker_line, attr_red);
  write_char('\n', attr_normal);
}

// Any key but A, G, D, S or I (either case) asks again. Keys typed before
// the question are dropped; those typed after it count, in order.
const Answer& ask_answer(TextBuffer& prompt) {
  discard_typed_ahead();
  for (;;) {
    banner_lines();
    format_text(prompt, "Macro for: (A)-AutoCAD script (G)-General CADD (D)-DXF (S)-SVG "
                        "(I)-Impedance ? ");
    write_text(prompt, attr_normal);
    const int key = read_key();
    // A typed character is a byte; a special key or a click is not.
    if (key < 0) continue;
    const int upper = std::toupper(static_cast<unsigned char>(key));
    for (const Answer& a : answers)
      if (upper == a.key) return a;
  }
}

void red_line(const char* text) {
  write_text(text, attr_red);
  write_char('\n', attr_normal);
}

void yellow_line(const char* text) {
  write_text(text, attr_yellow);
  write_char('\n', attr_normal);
}

// The SVG template's pages to print at home, on the paper of the user's
// unit, with their own line under the template's; true when written.
bool pages_file(const Sheet& sheet, const Units& units, TextBuffer& line) {
  const char* name = "horn-pages.pdf";
  const Paper paper = paper_of(units);
  PagePlan plan;
  const bool fits = plan_pages(sheet, units.drawing, paper, plan).empty();
  std::string bytes;
  if (fits && write_pdf_pages(bytes, plan).empty() && replace_file(name, bytes)) {
    format_text(line, "Pages to print are: %s", name);
    yellow_line(line);
    return true;
  }
  if (fits)
    format_text(line, "Could not write the drawing file %s.", name);
  else
    format_text(line, "Could not write the drawing file %s: over %d pages.", name, max_pdf_pages);
  red_line(line);
  return false;
}

// The table and the chart of the throat impedance, each written whole and
// told on a line of its own: a file that fails leaves the other standing.
void impedance_export(const DesignRecord& rec, TextBuffer& line) {
  ImpedanceTable table;
  const char* fault = throat_impedance(rec.radii, rec.L, rec.D, table);
  banner_lines();
  if (fault) {
    red_line(fault);
    return;
  }
  std::string csv, svg;
  const bool csv_formatted = write_impedance_csv(csv, table);
  const bool svg_formatted = write_impedance_svg(svg, table, rec, first_screen_cutoff(rec));
  const struct {
    const char* name;
    const char* kind;
    bool formatted;
    const std::string& bytes;
  } files[] = {{"horn-impedance.csv", "table", csv_formatted, csv},
               {"horn-impedance.svg", "chart", svg_formatted, svg}};
  for (const auto& f : files) {
    if (f.formatted && replace_file(f.name, f.bytes)) {
      format_text(line, "Impedance %s is: %s", f.kind, f.name);
      yellow_line(line);
    } else {
      format_text(line, "Could not write the impedance file %s.", f.name);
      red_line(line);
    }
  }
}

}  // namespace

void macro_export(DesignRecord& rec, TextBuffer& line, TextBuffer& prompt) {
  const Answer& answer = ask_answer(prompt);
  if (answer.format == Format::impedance) {
    impedance_export(rec, line);
    return;
  }
  std::string bytes;
  bool formatted = false;
  Sheet sheet;
  if (answer.format == Format::script) {
    formatted = write_script(bytes, *answer.dialect, rec.points, rec.units);
  } else {
    if (const char* fault = lay_out_sheet(rec, sheet)) {
      banner_lines();
      red_line(fault);
      return;
    }
    formatted = answer.format == Format::dxf ? write_dxf(bytes, sheet, rec.units.drawing)
                                             : write_svg(bytes, sheet, rec.units.drawing);
  }
  const bool ok = formatted && replace_file(answer.file_name, bytes);
  banner_lines();
  if (!ok) {
    format_text(line, "Could not write the %s file %s.", answer.kind, answer.file_name);
    red_line(line);
  } else {
    format_text(line, "%s file is: %s", answer.format == Format::script ? "Macro" : "Drawing",
                answer.file_name);
    yellow_line(line);
  }
  // The pages come with the template, even when horn.svg could not be written.
  const bool pages = answer.format == Format::svg && pages_file(sheet, rec.units, line);
  if ((ok || pages) && rec.step_widened) {
    widened_step_note(rec, line);
    yellow_line(line);
  }
}

}  // namespace bellform
