#include "writers/response_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "design/driver_figures.h"
#include "design/texts.h"
#include "geometry/passband.h"
#include "writers/chart.h"
#include "writers/crossover_files.h"
#include "writers/horn_caption.h"
#include "writers/svg_text.h"
#include "writers/text_out.h"

namespace bellform {

void write_response_csv(std::string& bytes, const ResponseTable& table) {
  TextOut out(bytes);
  out.add("frequency_hz,spl_db,impedance_ohm,impedance_phase_deg,excursion_mm,spl_phase_deg\n");
  for (const ResponseRow& row : table.rows)
    out.put("%.2f,%.2f,%.3f,%.2f,%.4f,%.2f\n", row.frequency, row.spl, row.impedance, row.phase,
            row.excursion, printed_phase(row.spl_phase));
}

namespace {

struct Scale {
  double low, high, step;
};

// 50 dB from the first multiple of 10 at or above the loudest.
Scale level_scale(double loudest) {
  const double top = std::ceil(loudest / 10) * 10;
  if (!std::isfinite(top)) return {loudest - 50, loudest, 10};
  return {top - 50, top, 10};
}

// From 0 to the first of 10, 20, 50 ... 1000 ohm at or above the highest.
Scale impedance_scale(double highest) {
  constexpr Scale scales[] = {{0, 10, 2},   {0, 20, 5},   {0, 50, 10},   {0, 100, 20},
                              {0, 200, 50}, {0, 500, 100}, {0, 1000, 200}};
  for (const Scale& s : scales)
    if (s.high >= highest) return s;
  return scales[std::size(scales) - 1];
}

// From 0 to the first of 1, 2, 5 times a power of ten at or above the
// highest.
Scale excursion_scale(double highest) {
  if (!(highest > 0 && std::isfinite(highest))) return {0, 1, 0.2};
  const double power = std::pow(10.0, std::floor(std::log10(highest)));
  constexpr double steps[][2] = {{1, 0.2}, {2, 0.5}, {5, 1}, {10, 2}};
  for (const auto& s : steps)
    if (s[0] * power >= highest && std::isfinite(s[0] * power))
      return {0, s[0] * power, s[1] * power};
  return {0, highest, highest / 5};
}

ChartPanel panel(double top, Scale scale, const char* axis_name) {
  ChartPanel p;
  p.top = top;
  p.bottom = top + 210;
  p.low = scale.low;
  p.high = scale.high;
  p.step = scale.step;
  p.axis_name = axis_name;
  return p;
}

// The panels and what each draws: the level, the impedance with Re, the
// excursion with Xmax when the file gives it (its scale reaching Xmax).
void draw_panels(Chart& chart, const double* spl, const double* ohm, const double* mm,
                 const DriverFile& file) {
  const double most_mm = std::max(*std::max_element(mm, mm + impedance_rows), file.xmax);
  chart.panels = {
      panel(70, level_scale(*std::max_element(spl, spl + impedance_rows)), "Sound level (dB)"),
      panel(300, impedance_scale(*std::max_element(ohm, ohm + impedance_rows)),
            "Impedance (\xce\xa9)"),
      panel(530, excursion_scale(most_mm), "Excursion (mm)")};
  chart.panels[0].curves = {{spl, solid_blue_style}};
  chart.panels[1].curves = {{ohm, dashed_red_style}};
  chart.panels[1].levels = {{file.driver.Re, dotted_grey_style}};
  chart.panels[2].curves = {{mm, dash_dot_purple_style}};
  if (file.xmax > 0)
    chart.panels[2].levels = {{file.xmax, dotted_grey_style, text_of("Xmax %g mm", file.xmax)}};
}

}  // namespace

void write_response_svg(std::string& bytes, const ResponseTable& table, const DriverFile& file,
                        double start_area, const DesignRecord& rec, double Fc) {
  double hz[impedance_rows], spl[impedance_rows], ohm[impedance_rows], mm[impedance_rows];
  for (int i = 0; i < impedance_rows; ++i) {
    hz[i] = table.rows[i].frequency;
    spl[i] = table.rows[i].spl;
    ohm[i] = table.rows[i].impedance;
    mm[i] = table.rows[i].excursion;
  }
  Chart chart;
  chart.height = 850;
  chart.name = "Bellform horn: response with a driver";
  chart.heading = "Response: " + horn_words(rec);
  chart.subheading = "driver " + xml_text(file.name) + text_of(" at %.4g V: ", file.driver.Eg) +
                     figures_text(file.driver, start_area);
  chart.frequencies = hz;
  chart.count = impedance_rows;
  draw_panels(chart, spl, ohm, mm, file);
  chart.Fc = Fc;
  chart.F6 = passband_start(table, Fc);
  chart.keys = {{solid_blue_style, "Sound level"},
                {dashed_red_style, "Impedance"},
                {dotted_grey_style, "Re"},
                {dash_dot_purple_style, "Excursion"}};
  chart.note = "plane waves, mouth in an infinite baffle; SPL at 1 m on a half space";
  chart.note_below_keys = true;
  write_chart(bytes, chart);
}

}  // namespace bellform
