// The throat impedance as a chart: one panel, the resistance solid and the
// reactance dashed, from -0.5 so the reactance shows where it turns
// negative above the cutoff.
#include "writers/chart.h"
#include "writers/horn_caption.h"
#include "writers/impedance_files.h"

namespace bellform {

void write_impedance_svg(std::string& bytes, const ImpedanceTable& table, const DesignRecord& rec,
                         double Fc) {
  double hz[impedance_rows], resistance[impedance_rows], reactance[impedance_rows];
  for (int i = 0; i < impedance_rows; ++i) {
    hz[i] = table.rows[i].frequency;
    resistance[i] = table.rows[i].resistance;
    reactance[i] = table.rows[i].reactance;
  }
  Chart chart;
  chart.name = "Bellform horn: throat impedance";
  chart.heading = "Throat impedance: " + horn_words(rec);
  chart.frequencies = hz;
  chart.count = impedance_rows;
  ChartPanel panel;
  panel.top = 70;
  panel.bottom = 420;
  panel.low = -0.5;
  panel.high = 2;
  panel.step = 0.5;
  panel.axis_name = "Throat impedance over \xcf\x81" "c/S";
  panel.curves = {{resistance, solid_blue_style}, {reactance, dashed_red_style}};
  chart.panels = {panel};
  chart.Fc = Fc;
  chart.keys = {{solid_blue_style, "Resistance"}, {dashed_red_style, "Reactance"}};
  chart.note = "plane waves, mouth in an infinite baffle";
  write_chart(bytes, chart);
}

}  // namespace bellform
