// Where a chart's labels go (the cutoff's, F6's, a level line's): each in a
// box of its own inside its panel's frame, at the first of its places that
// no curve, line or other label passes through. Where every place is
// crossed, the first that keeps clear of the other labels; the chart draws
// each box white before its text, so no curve ever runs through a label.
#pragma once

#include <string>
#include <vector>

namespace bellform {

struct ChartPoint {
  double x, y;  // px
};

struct LabelBox {
  double left, top, right, bottom;  // px
  double baseline() const;          // of the text inside
  double text_x() const;            // where the text starts
};

// What the labels of one panel must keep clear of.
struct LabelScene {
  LabelBox frame;                               // the panel's
  std::vector<std::vector<ChartPoint>> paths;   // its curves and lines
  std::vector<LabelBox> taken;                  // its labels placed so far
};

// The width of a text in the charts' 12 px sans-serif, a little over what
// the common fonts take, so its box holds it.
double label_width(const std::string& text);

// A label beside the vertical line at x: on the rows down from the frame's
// top, right of the line, then left of it.
LabelBox mark_label(LabelScene& scene, double x, double width);

// A label along the horizontal line at y: above it, then below, from the
// frame's right end leftwards.
LabelBox level_label(LabelScene& scene, double y, double width);

}  // namespace bellform
