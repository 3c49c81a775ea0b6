#include "writers/chart_labels.h"

#include <algorithm>
#include <cmath>

namespace bellform {

namespace {

// A box around a line of text: the font's ascent above the baseline, its
// descent below, a little air on either side.
constexpr double ascent = 12, descent = 4, side = 2;
// Between a label and its line; between one row of places and the next.
constexpr double gap = 3, row_step = 17, slide_step = 20;
// Half a curve's stroke: a curve that passes this near a box touches it.
constexpr double stroke = 1.25;

LabelBox box_at(double left, double top, double width) {
  return {left, top, left + width + 2 * side, top + ascent + descent};
}

bool inside(const LabelBox& b, const LabelBox& frame) {
  return b.left >= frame.left + 1 && b.right <= frame.right - 1 && b.top >= frame.top + 1 &&
         b.bottom <= frame.bottom - 1;
}

bool overlaps(const LabelBox& a, const LabelBox& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether the segment p-q passes through the box (Liang and Barsky's
// clipping: the part of the segment's parameter range inside every edge).
bool crosses(ChartPoint p, ChartPoint q, const LabelBox& b) {
  double t0 = 0, t1 = 1;
  const double dx = q.x - p.x, dy = q.y - p.y;
  const double edges[4][2] = {{-dx, p.x - b.left}, {dx, b.right - p.x},
                              {-dy, p.y - b.top},  {dy, b.bottom - p.y}};
  for (const auto& e : edges) {
    if (e[0] == 0) {
      if (e[1] < 0) return false;
      continue;
    }
    const double t = e[1] / e[0];
    if (e[0] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  return true;
}

bool clear_of_paths(const LabelScene& scene, const LabelBox& b) {
  const LabelBox wide = {b.left - stroke, b.top - stroke, b.right + stroke, b.bottom + stroke};
  for (const std::vector<ChartPoint>& path : scene.paths)
    for (std::size_t i = 1; i < path.size(); ++i)
      if (crosses(path[i - 1], path[i], wide)) return false;
  return true;
}

bool clear_of_labels(const LabelScene& scene, const LabelBox& b) {
  return std::none_of(scene.taken.begin(), scene.taken.end(),
                      [&](const LabelBox& t) { return overlaps(t, b); });
}

// The first place clear of everything, else the first clear of the other
// labels, else the first; kept as taken.
LabelBox choose(LabelScene& scene, const std::vector<LabelBox>& places) {
  const LabelBox* pick = nullptr;
  for (const LabelBox& b : places)
    if (clear_of_labels(scene, b) && clear_of_paths(scene, b)) {
      pick = &b;
      break;
    }
  for (const LabelBox& b : places)
    if (pick == nullptr && clear_of_labels(scene, b)) pick = &b;
  LabelBox chosen = pick ? *pick : places.empty() ? box_at(scene.frame.left, scene.frame.top, 0)
                                                  : places.front();
  scene.taken.push_back(chosen);
  return chosen;
}

}  // namespace

double LabelBox::baseline() const { return bottom - descent; }
double LabelBox::text_x() const { return left + side; }

double label_width(const std::string& text) {
  double width = 0;
  for (unsigned char c : text) {
    if ((c & 0xc0) == 0x80) continue;  // a UTF-8 sequence counts once
    width += c == 'm' || c == 'M' || c == 'W' || c == 'w' ? 12
             : c == ' ' || c == '.' || c == ',' || c == 'i' || c == 'l' ? 4
                                                                          : 8;
  }
  return width;
}

LabelBox mark_label(LabelScene& scene, double x, double width) {
  std::vector<LabelBox> places;
  const double full = width + 2 * side;
  for (double top = scene.frame.top + 4; top + ascent + descent < scene.frame.bottom;
       top += row_step)
    for (const LabelBox& b : {box_at(x + gap, top, width), box_at(x - gap - full, top, width)})
      if (inside(b, scene.frame)) places.push_back(b);
  return choose(scene, places);
}

LabelBox level_label(LabelScene& scene, double y, double width) {
  std::vector<LabelBox> places;
  const double full = width + 2 * side, height = ascent + descent;
  for (double left = scene.frame.right - 4 - full; left > scene.frame.left; left -= slide_step)
    for (const LabelBox& b : {box_at(left, y - gap - height, width), box_at(left, y + gap, width)})
      if (inside(b, scene.frame)) places.push_back(b);
  return choose(scene, places);
}

}  // namespace bellform
