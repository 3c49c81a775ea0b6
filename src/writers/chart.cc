#include "writers/chart.h"

#include <algorithm>
#include <cmath>

#include "design/texts.h"
#include "writers/chart_labels.h"
#include "writers/svg_text.h"
#include "writers/text_out.h"

namespace bellform {

const char* const solid_blue_style = "stroke=\"#1f4e9c\" stroke-width=\"2\"";
const char* const dashed_red_style =
    "stroke=\"#c0392b\" stroke-width=\"2\" stroke-dasharray=\"8 5\"";
const char* const dotted_grey_style =
    "stroke=\"#555555\" stroke-width=\"1.5\" stroke-dasharray=\"2 3\"";
const char* const dash_dot_purple_style =
    "stroke=\"#7d3c98\" stroke-width=\"2\" stroke-dasharray=\"10 4 2 4\"";

namespace {

// The frame's sides in the picture, px; the panels set its top and bottom.
constexpr double left = 70, right = 770;
constexpr double low_hz = 20, high_hz = 20000;
// A value off the chart is drawn to just beyond the frame and clipped
// there: its coordinate stays short, and the line inside keeps its course
// to within a fraction of a pixel.
constexpr double overshoot = 0.125;  // of the value axis's span
// The legend's keys, each a short line and its label, and their spacing.
constexpr double key_spacing = 120;
const char* const cutoff_style = "stroke=\"#2e8b57\" stroke-width=\"1.5\"";
const char* const passband_style =
    "stroke=\"#b35900\" stroke-width=\"1.5\" stroke-dasharray=\"6 3\"";

struct Tick {
  double value;
  const char* label;
};

constexpr Tick frequency_ticks[] = {{20, "20"},   {50, "50"}, {100, "100"}, {200, "200"},
                                    {500, "500"}, {1e3, "1k"}, {2e3, "2k"},   {5e3, "5k"},
                                    {1e4, "10k"}, {2e4, "20k"}};

double x_of(double hz) {
  return left + (right - left) * std::log10(hz / low_hz) / std::log10(high_hz / low_hz);
}

double y_of(const ChartPanel& p, double value) {
  const double span = p.high - p.low;
  if (!(span > 0 && std::isfinite(span))) return p.bottom;
  const double v = std::clamp(value, p.low - overshoot * span, p.high + overshoot * span);
  return p.bottom - (p.bottom - p.top) * (v - p.low) / span;
}

// The grid's values, low to high a step apart (0 never written -0).
std::vector<double> value_ticks(const ChartPanel& p) {
  std::vector<double> ticks;
  for (int i = 0; i <= 100; ++i) {
    const double v = p.low + i * p.step + 0.0;
    if (v > p.high + p.step * 1e-9) break;
    ticks.push_back(v);
  }
  return ticks;
}

void grid(TextOut& out, const ChartPanel& p, bool frequency_labels) {
  const std::vector<double> ticks = value_ticks(p);
  out.add("<g stroke=\"#c8c8c8\" stroke-width=\"1\">\n");
  for (const Tick& t : frequency_ticks)
    out.put("<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n", x_of(t.value), p.top,
            x_of(t.value), p.bottom);
  for (double v : ticks)
    out.put("<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n", left, y_of(p, v), right,
            y_of(p, v));
  out.add("</g>\n");
  if (frequency_labels) {
    out.add("<g text-anchor=\"middle\">\n");
    for (const Tick& t : frequency_ticks)
      out.put("<text x=\"%.2f\" y=\"%.2f\">%s</text>\n", x_of(t.value), p.bottom + 18, t.label);
    out.add("</g>\n");
  }
  out.add("<g text-anchor=\"end\">\n");
  for (double v : ticks)
    out.put("<text x=\"%.2f\" y=\"%.2f\">%g</text>\n", left - 8, y_of(p, v) + 4, v);
  out.add("</g>\n");
  out.put("<rect x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" height=\"%.2f\" fill=\"none\" "
          "stroke=\"#000000\"/>\n",
          left, p.top, right - left, p.bottom - p.top);
  if (frequency_labels)
    out.put("<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"middle\">Frequency (Hz)</text>\n",
            (left + right) / 2, p.bottom + 40);
  const double middle = (p.top + p.bottom) / 2;
  out.put("<text x=\"22\" y=\"%.2f\" text-anchor=\"middle\" transform=\"rotate(-90 22 %.2f)\">",
          middle, middle);
  out.add(p.axis_name.c_str());
  out.add("</text>\n");
}

void curves(TextOut& out, const Chart& chart, const ChartPanel& p, const char* clip) {
  out.put("<g clip-path=\"url(#%s)\">\n", clip);
  for (const ChartCurve& c : p.curves) {
    out.put("<polyline fill=\"none\" %s points=\"", c.style);
    for (int i = 0; i < chart.count; ++i)
      out.put(i + 1 < chart.count ? "%.2f,%.2f\n" : "%.2f,%.2f\"/>\n", x_of(chart.frequencies[i]),
              y_of(p, c.values[i]));
  }
  for (const ChartLevel& l : p.levels)
    out.put("<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\" %s/>\n", left,
            y_of(p, l.value), right, y_of(p, l.value), l.style);
  out.add("</g>\n");
}

bool cutoff_on_axis(double Fc) { return Fc >= low_hz && Fc <= high_hz; }

// A frequency marked by a line across every panel and named in the top one.
struct Mark {
  double hz;
  const char* style;
  const char* name;
};

std::vector<Mark> marks_of(const Chart& chart) {
  std::vector<Mark> marks;
  if (cutoff_on_axis(chart.Fc)) marks.push_back({chart.Fc, cutoff_style, "Fc"});
  if (cutoff_on_axis(chart.F6)) marks.push_back({chart.F6, passband_style, "F6"});
  return marks;
}

void mark_lines(TextOut& out, const ChartPanel& p, const std::vector<Mark>& marks) {
  for (const Mark& m : marks)
    out.put("<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\" %s/>\n", x_of(m.hz), p.top,
            x_of(m.hz), p.bottom, m.style);
}

// What a panel's labels must keep clear of: its curves, levels and marks.
LabelScene scene_of(const Chart& chart, const ChartPanel& p, const std::vector<Mark>& marks) {
  LabelScene scene{{left, p.top, right, p.bottom}, {}, {}};
  for (const ChartCurve& c : p.curves) {
    std::vector<ChartPoint>& path = scene.paths.emplace_back();
    for (int i = 0; i < chart.count; ++i)
      path.push_back({x_of(chart.frequencies[i]), y_of(p, c.values[i])});
  }
  for (const ChartLevel& l : p.levels)
    scene.paths.push_back({{left, y_of(p, l.value)}, {right, y_of(p, l.value)}});
  for (const Mark& m : marks) scene.paths.push_back({{x_of(m.hz), p.top}, {x_of(m.hz), p.bottom}});
  return scene;
}

// The colour of a line's style, for its label: what follows stroke="...".
std::string colour_of(const char* style) {
  const std::string s = style;
  const std::size_t from = s.find("stroke=\"");
  if (from == std::string::npos) return "#000000";
  const std::size_t begin = from + 8;
  return s.substr(begin, s.find('"', begin) - begin);
}

// A label on its white ground, which hides what runs beneath it.
void label(TextOut& out, const LabelBox& b, const char* style, const std::string& text) {
  out.put("<rect x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" height=\"%.2f\" fill=\"#ffffff\"/>\n",
          b.left, b.top, b.right - b.left, b.bottom - b.top);
  out.put("<text x=\"%.2f\" y=\"%.2f\" fill=\"%s\">%s</text>\n", b.text_x(), b.baseline(),
          colour_of(style).c_str(), text.c_str());
}

// The marks' names in the top panel, then the levels' labels, each placed
// clear of the curves and of the labels before it.
void labels(TextOut& out, const Chart& chart, const ChartPanel& p, const std::vector<Mark>& marks,
            bool top) {
  LabelScene scene = scene_of(chart, p, marks);
  for (const Mark& m : top ? marks : std::vector<Mark>{}) {
    const std::string text = text_of("%s %.0f Hz", m.name, m.hz);
    label(out, mark_label(scene, x_of(m.hz), label_width(text)), m.style, text);
  }
  for (const ChartLevel& l : p.levels)
    if (!l.label.empty())
      label(out, level_label(scene, y_of(p, l.value), label_width(l.label)), l.style, l.label);
}

// Beneath the panels: a cutoff off the axis, the legend and the note.
void footer(TextOut& out, const Chart& chart) {
  const double base = chart.height - (chart.note_below_keys ? 32 : 12);
  const double after_keys = left + key_spacing * static_cast<double>(chart.keys.size()) + 20;
  if (std::isfinite(chart.Fc) && !cutoff_on_axis(chart.Fc))
    out.put("<text x=\"%g\" y=\"%g\">Fc %.0f Hz, off the axis</text>\n", after_keys, base,
            chart.Fc);
  for (std::size_t i = 0; i < chart.keys.size(); ++i) {
    const double x = left + key_spacing * static_cast<double>(i);
    out.put("<line x1=\"%g\" y1=\"%g\" x2=\"%g\" y2=\"%g\" %s/>\n", x, base - 4, x + 30, base - 4,
            chart.keys[i].style);
    out.put("<text x=\"%g\" y=\"%g\">%s</text>\n", x + 36, base, chart.keys[i].label);
  }
  out.put("<text x=\"%g\" y=\"%g\" text-anchor=\"end\" fill=\"#555555\">%s</text>\n", right,
          chart.height - 12, chart.note);
}

std::string clip_id(std::size_t panel) {
  return panel == 0 ? "plot" : "plot" + std::to_string(panel + 1);
}

void head(TextOut& out, const Chart& chart) {
  svg_prologue(out, text_of("%gpx", chart.width), text_of("%gpx", chart.height),
               text_of("0 0 %g %g", chart.width, chart.height), chart.name);
  out.add("<defs>");
  for (std::size_t i = 0; i < chart.panels.size(); ++i) {
    const ChartPanel& p = chart.panels[i];
    out.put("<clipPath id=\"%s\"><rect x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" "
            "height=\"%.2f\"/></clipPath>",
            clip_id(i).c_str(), left, p.top, right - left, p.bottom - p.top);
  }
  out.add("</defs>\n");
  out.put("<rect width=\"%g\" height=\"%g\" fill=\"#ffffff\"/>\n"
          "<g font-family=\"sans-serif\" font-size=\"12\" fill=\"#000000\">\n",
          chart.width, chart.height);
  out.put("<text x=\"%g\" y=\"30\" font-size=\"15\" font-weight=\"bold\" "
          "text-anchor=\"middle\">",
          chart.width / 2);
  out.add(chart.heading.c_str());
  out.add("</text>\n");
  if (chart.subheading.empty()) return;
  out.put("<text x=\"%g\" y=\"50\" font-size=\"13\" text-anchor=\"middle\">", chart.width / 2);
  out.add(chart.subheading.c_str());
  out.add("</text>\n");
}

}  // namespace

void write_chart(std::string& bytes, const Chart& chart) {
  TextOut out(bytes);
  head(out, chart);
  const std::vector<Mark> marks = marks_of(chart);
  for (std::size_t i = 0; i < chart.panels.size(); ++i) {
    const ChartPanel& p = chart.panels[i];
    grid(out, p, i + 1 == chart.panels.size());
    curves(out, chart, p, clip_id(i).c_str());
    mark_lines(out, p, marks);
    labels(out, chart, p, marks, i == 0);
  }
  footer(out, chart);
  out.add("</g>\n</svg>\n");
}

}  // namespace bellform
