// Faces with holes as triangles: a tiling of exactly the face, checked by
// its edges and its area rather than by the triangles chosen.
#include "geometry/polygon_fill.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <random>
#include <numbers>
#include <string>
#include <utility>

namespace bellform {
namespace {

using Rings = std::vector<std::vector<Point2>>;

// n points on a circle, the first on +x.
std::vector<Point2> circle(double cx, double cy, double r, int n) {
  std::vector<Point2> ring;
  for (int k = 0; k < n; ++k) {
    const double a = 2 * std::numbers::pi * k / n;
    ring.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  return ring;
}

// A rectangle with `per_side` points on each side, all in line but its corners.
std::vector<Point2> rectangle(double x0, double y0, double x1, double y1, int per_side = 1) {
  const Point2 corners[] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  std::vector<Point2> ring;
  for (int c = 0; c < 4; ++c)
    for (int k = 0; k < per_side; ++k) {
      const Point2 a = corners[c], b = corners[(c + 1) % 4];
      const double t = static_cast<double>(k) / per_side;
      ring.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
    }
  return ring;
}

std::vector<Point2> reversed(std::vector<Point2> ring) { return {ring.rbegin(), ring.rend()}; }

double signed_area(const std::vector<Point2>& ring) {
  double twice = 0;
  for (std::size_t k = 0, j = ring.size() - 1; k < ring.size(); j = k++)
    twice += ring[j].x * ring[k].y - ring[k].x * ring[j].y;
  return twice / 2;
}

struct Case {
  const char* name;
  Rings rings;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Fill : public testing::TestWithParam<Case> {};

// Every triangle turns left; the outline's edges are each used once
// counter-clockwise and the holes' clockwise, every other edge once each
// way, and the areas add up to the face's: the triangles tile the face.
TEST_P(Fill, TilesTheFaceWithItsOwnPoints) {
  const Rings& rings = GetParam().rings;
  std::vector<Point2> all;
  std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;  // directed: +1 each
  double face = 0;
  for (std::size_t r = 0; r < rings.size(); ++r) {
    const double area = signed_area(rings[r]);
    const bool forward = (r == 0) == (area > 0);
    face += r == 0 ? std::fabs(area) : -std::fabs(area);
    const auto first = static_cast<std::uint32_t>(all.size()), n = static_cast<std::uint32_t>(rings[r].size());
    for (std::uint32_t k = 0; k < n; ++k) {
      const std::uint32_t a = first + k, b = first + (k + 1) % n;
      --edges[forward ? std::pair{a, b} : std::pair{b, a}];  // to be met once
    }
    all.insert(all.end(), rings[r].begin(), rings[r].end());
  }
  const std::vector<Triangle> triangles = fill_polygon(rings);
  EXPECT_EQ(all.size() + 2 * (rings.size() - 1) - 2, triangles.size());
  double tiled = 0;
  for (const Triangle& t : triangles) {
    const Point2 &a = all[t[0]], &b = all[t[1]], &c = all[t[2]];
    const double area = ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)) / 2;
    EXPECT_GT(area, 1e-9 * std::fabs(face)) << t[0] << " " << t[1] << " " << t[2];
    tiled += area;
    for (int k = 0; k < 3; ++k) ++edges[{t[k], t[(k + 1) % 3]}];
  }
  for (const auto& [edge, count] : edges) {
    const auto reverse = edges.find({edge.second, edge.first});
    const int back = reverse == edges.end() ? 0 : reverse->second;
    EXPECT_TRUE((count == 0 && back <= 0) || (count == 1 && back == 1))
        << edge.first << "-" << edge.second << ": " << count << " and back " << back;
  }
  EXPECT_NEAR(face, tiled, 1e-9 * face);
}

// A flange as the adapter has it: a square plate, the passage's ring of
// 128 points, and twelve bolt holes, the first on +x level with the
// passage's point there, so the bridge's ray runs through that point.
Rings flange() {
  Rings rings = {rectangle(-60, -60, 60, 60), circle(0, 0, 25.4, 128)};
  for (const Point2& c : circle(0, 0, 42, 12)) rings.push_back(circle(c.x, c.y, 3.3, 32));
  return rings;
}

// Forty holes at places and sizes drawn at random, round ones and square
// ones with points in line, a square outline too: enough to leave the ear
// clipping without an ear, where it cuts the polygon in two.
Rings scattered_holes() {
  Rings rings = {rectangle(0, 0, 100, 100, 5)};
  std::minstd_rand random(13);
  const auto draw = [&random](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  std::vector<std::array<double, 3>> placed;  // x, y, radius, all within 4 to 96
  while (placed.size() < 40) {
    const double x = draw(7, 93), y = draw(7, 93), r = draw(1, 3), h = r / 1.5;
    bool apart = true;
    for (const auto& p : placed) apart = apart && std::hypot(p[0] - x, p[1] - y) > p[2] + r + 0.5;
    if (!apart) continue;
    placed.push_back({x, y, r});
    const int n = static_cast<int>(draw(3, 20));
    rings.push_back(n % 2 ? circle(x, y, r, n) : rectangle(x - h, y - h, x + h, y + h, n / 5 + 1));
  }
  return rings;
}

INSTANTIATE_TEST_SUITE_P(
    Polygons, Fill,
    testing::Values(
        Case{"Comb", {{{0, 0}, {5, 0}, {5, 3}, {4, 3}, {4, 1}, {3, 1}, {3, 3}, {2, 3}, {2, 1},
                       {1, 1}, {1, 3}, {0, 3}}}},
        Case{"ClockwiseWithACounterClockwiseHole",
             {reversed(rectangle(0, 0, 10, 10)), rectangle(4, 4, 6, 6)}},
        Case{"PointsInLineOnEverySide", {rectangle(0, 0, 10, 8, 7), rectangle(3, 2, 7, 6, 5)}},
        Case{"HolesInARowLevelWithEachOther",
             {rectangle(0, 0, 20, 4), rectangle(1, 1, 3, 3), rectangle(5, 1, 7, 3),
              rectangle(9, 1, 11, 3, 3), rectangle(13, 1, 15, 3), circle(18, 2, 1, 16)}},
        Case{"FortyHolesScattered", scattered_holes()},
        Case{"DriverFlangeTwelveBolts", flange()}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bellform
