// A chart over frequency as an SVG picture: one or more panels stacked over
// one log frequency axis (20 Hz to 20 kHz), each with its value axis and
// grid and its curves, the cutoff line in each (and F6's, where the horn
// starts to work), a title, a legend and a note. Labels are never crossed
// by a curve. The picture has a fixed size in px; curves are told apart by their
// dash as well as their colour, so a grey print keeps them apart.
#pragma once

#include <string>
#include <vector>

namespace bellform {

// Stroke attributes of the curves and lines the charts draw.
extern const char* const solid_blue_style;
extern const char* const dashed_red_style;
extern const char* const dotted_grey_style;
extern const char* const dash_dot_purple_style;

struct ChartCurve {
  const double* values;  // one a frequency
  const char* style;
};

// A horizontal line across a panel, such as a resistance to compare with.
struct ChartLevel {
  double value;
  const char* style;
  std::string label = "";  // beside the line in its colour, or none; XML-safe
};

struct ChartPanel {
  double top = 0, bottom = 0;   // the frame's edges, px
  double low = 0, high = 1;     // the value axis
  double step = 0.5;            // a grid line and a label every step from low
  std::string axis_name;        // beside the axis, turned; UTF-8, XML-safe
  std::vector<ChartCurve> curves;
  std::vector<ChartLevel> levels;
};

struct ChartKey {
  const char* style;
  const char* label;
};

struct Chart {
  double width = 800, height = 500;
  const char* name = "";      // the picture's <title>
  std::string heading;        // the bold line on top; UTF-8, XML-safe
  std::string subheading;     // a line beneath it, or none
  const double* frequencies = nullptr;  // of the curves' values
  int count = 0;
  std::vector<ChartPanel> panels;  // top to bottom
  double Fc = 0;              // the cutoff line; off the axis named beneath
  double F6 = 0;              // marked as Fc is, when on the axis; 0: none
  std::vector<ChartKey> keys;  // the legend, left to right beneath
  const char* note = "";      // beneath, on the right
  bool note_below_keys = false;  // on a line of its own, for a long legend
};

// Appends the chart.
void write_chart(std::string& out, const Chart& chart);

}  // namespace bellform
