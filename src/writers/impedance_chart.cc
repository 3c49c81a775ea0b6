// The throat impedance as a chart that reads at a glance and prints on a
// page: a fixed size in px, the two curves told apart by their dash as
// well as their colour, so a grey print keeps them apart.
#include <algorithm>
#include <cmath>

#include "writers/impedance_files.h"
#include "writers/text_out.h"

namespace bellform {

namespace {

// The plot's frame in the 800 x 500 picture, px, y running down.
constexpr double left = 70, right = 770, top = 70, bottom = 420;
constexpr double low_hz = 20, high_hz = 20000;
constexpr double top_value = 2;
// A value off the chart is drawn to just beyond the frame and clipped
// there: its coordinate stays short, and the line inside keeps its course
// to within a fraction of a pixel.
constexpr double overshoot = 0.25;

const char* const resistance_style = "stroke=\"#1f4e9c\" stroke-width=\"2\"";
const char* const reactance_style =
    "stroke=\"#c0392b\" stroke-width=\"2\" stroke-dasharray=\"8 5\"";
const char* const cutoff_style = "stroke=\"#2e8b57\" stroke-width=\"1.5\"";

double x_of(double hz) {
  return left + (right - left) * std::log10(hz / low_hz) / std::log10(high_hz / low_hz);
}

double y_of(double value) {
  const double v = std::clamp(value, -overshoot, top_value + overshoot);
  return bottom - (bottom - top) * v / top_value;
}

struct Tick {
  double value;
  const char* label;
};

constexpr Tick frequency_ticks[] = {{20, "20"},   {50, "50"}, {100, "100"}, {200, "200"},
                                    {500, "500"}, {1e3, "1k"}, {2e3, "2k"},   {5e3, "5k"},
                                    {1e4, "10k"}, {2e4, "20k"}};
constexpr Tick value_ticks[] = {{0, "0"}, {0.5, "0.5"}, {1, "1"}, {1.5, "1.5"}, {2, "2"}};

// The horn as the user typed it, in the user's unit: the mouth's width
// and height, the throat's side, the driver's diameter, the length.
void title(TextOut& out, const DesignRecord& rec) {
  const Units& u = rec.units;
  out.put("<text x=\"400\" y=\"30\" font-size=\"15\" font-weight=\"bold\" "
          "text-anchor=\"middle\">Throat impedance: mouth %g wide x %g high, throat %g, "
          "driver %g, length ",
          u.shown(rec.W), u.shown(rec.H), u.shown(rec.T), u.shown(rec.D));
  if (u.metric)
    out.put("%.1f mm</text>\n", u.shown(rec.L));
  else
    out.put("%.2f In.</text>\n", rec.L);
}

void grid(TextOut& out) {
  out.add("<g stroke=\"#c8c8c8\" stroke-width=\"1\">\n");
  for (const Tick& t : frequency_ticks)
    out.put("<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n", x_of(t.value), top,
            x_of(t.value), bottom);
  for (const Tick& t : value_ticks)
    out.put("<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n", left, y_of(t.value),
            right, y_of(t.value));
  out.add("</g>\n<g text-anchor=\"middle\">\n");
  for (const Tick& t : frequency_ticks)
    out.put("<text x=\"%.2f\" y=\"%.2f\">%s</text>\n", x_of(t.value), bottom + 18, t.label);
  out.add("</g>\n<g text-anchor=\"end\">\n");
  for (const Tick& t : value_ticks)
    out.put("<text x=\"%.2f\" y=\"%.2f\">%s</text>\n", left - 8, y_of(t.value) + 4, t.label);
  out.add("</g>\n");
  out.put("<rect x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" height=\"%.2f\" fill=\"none\" "
          "stroke=\"#000000\"/>\n",
          left, top, right - left, bottom - top);
  out.put("<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"middle\">Frequency (Hz)</text>\n",
          (left + right) / 2, bottom + 40);
  out.put("<text x=\"22\" y=\"%.2f\" text-anchor=\"middle\" transform=\"rotate(-90 22 %.2f)\">"
          "Throat impedance over \xcf\x81"
          "c/S</text>\n",
          (top + bottom) / 2, (top + bottom) / 2);
}

void curve(TextOut& out, const ImpedanceTable& table, bool reactance, const char* style) {
  out.put("<polyline fill=\"none\" %s points=\"", style);
  for (int i = 0; i < impedance_rows; ++i) {
    const ImpedanceRow& row = table.rows[i];
    out.put(i + 1 < impedance_rows ? "%.2f,%.2f\n" : "%.2f,%.2f\"/>\n", x_of(row.frequency),
            y_of(reactance ? row.reactance : row.resistance));
  }
}

// The line where the report's cutoff frequency falls, labelled with it; a
// cutoff off the axis is named beneath the chart instead.
void cutoff(TextOut& out, double Fc) {
  if (!std::isfinite(Fc)) return;
  if (!(Fc >= low_hz && Fc <= high_hz)) {
    out.put("<text x=\"330\" y=\"488\">Fc %.0f Hz, off the axis</text>\n", Fc);
    return;
  }
  const double x = x_of(Fc);
  out.put("<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\" %s/>\n", x, top, x, bottom,
          cutoff_style);
  // Beside the line, on the side with room for it.
  const bool room_right = x + 80 < right;
  out.put("<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"%s\" fill=\"#2e8b57\">Fc %.0f Hz</text>\n",
          room_right ? x + 5 : x - 5, top + 16, room_right ? "start" : "end", Fc);
}

void legend(TextOut& out) {
  out.put("<line x1=\"70\" y1=\"484\" x2=\"100\" y2=\"484\" %s/>\n", resistance_style);
  out.add("<text x=\"106\" y=\"488\">Resistance</text>\n");
  out.put("<line x1=\"190\" y1=\"484\" x2=\"220\" y2=\"484\" %s/>\n", reactance_style);
  out.add("<text x=\"226\" y=\"488\">Reactance</text>\n");
  out.add("<text x=\"770\" y=\"488\" text-anchor=\"end\" fill=\"#555555\">"
          "plane waves, mouth in an infinite baffle</text>\n");
}

}  // namespace

bool write_impedance_svg(std::string& bytes, const ImpedanceTable& table, const DesignRecord& rec,
                         double Fc) {
  TextOut out(bytes);
  out.add("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
          "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
          "width=\"800px\" height=\"500px\" viewBox=\"0 0 800 500\">\n"
          "<title>Bellform horn: throat impedance</title>\n");
  out.put("<defs><clipPath id=\"plot\"><rect x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" "
          "height=\"%.2f\"/></clipPath></defs>\n",
          left, top, right - left, bottom - top);
  out.add("<rect width=\"800\" height=\"500\" fill=\"#ffffff\"/>\n"
          "<g font-family=\"sans-serif\" font-size=\"12\" fill=\"#000000\">\n");
  title(out, rec);
  grid(out);
  out.add("<g clip-path=\"url(#plot)\">\n");
  curve(out, table, false, resistance_style);
  curve(out, table, true, reactance_style);
  out.add("</g>\n");
  cutoff(out, Fc);
  legend(out);
  out.add("</g>\n</svg>\n");
  return out.ok();
}

}  // namespace bellform
