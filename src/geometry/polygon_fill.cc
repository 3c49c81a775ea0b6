#include "geometry/polygon_fill.h"

#include <algorithm>
#include <cmath>

namespace bellform {

namespace {

// A point of the polygon being cut down, in a ring linked both ways. A hole
// joined by a bridge puts two nodes on each end of the bridge, with the same
// index.
struct Node {
  std::uint32_t i = 0;
  double x = 0, y = 0;
  int prev = 0, next = 0;
};

// Twice the signed area of a b c: above 0 when they turn left.
double cross(const Node& a, const Node& b, const Node& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// On or inside the triangle, whichever way round it goes.
bool in_triangle(const Node& a, const Node& b, const Node& c, const Node& p) {
  const double d1 = cross(a, b, p), d2 = cross(b, c, p), d3 = cross(c, a, p);
  const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
  const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
  return !(negative && positive);
}

int sign(double v) { return (v > 0) - (v < 0); }

// q on the segment p r, given the three in line.
bool on_segment(const Node& p, const Node& q, const Node& r) {
  return q.x <= std::max(p.x, r.x) && q.x >= std::min(p.x, r.x) &&
         q.y <= std::max(p.y, r.y) && q.y >= std::min(p.y, r.y);
}

// Whether the segments p1 q1 and p2 q2 meet, a touch included.
bool segments_meet(const Node& p1, const Node& q1, const Node& p2, const Node& q2) {
  const int o1 = sign(cross(p1, q1, p2)), o2 = sign(cross(p1, q1, q2));
  const int o3 = sign(cross(p2, q2, p1)), o4 = sign(cross(p2, q2, q1));
  if (o1 != o2 && o3 != o4) return true;
  return (o1 == 0 && on_segment(p1, p2, q1)) || (o2 == 0 && on_segment(p1, q2, q1)) ||
         (o3 == 0 && on_segment(p2, p1, q2)) || (o4 == 0 && on_segment(p2, q1, q2));
}

class Filler {
 public:
  // The ring's nodes, linked so that it turns counter-clockwise or not;
  // returns the one furthest left (lowest of those).
  int link(const std::vector<Point2>& ring, std::uint32_t first, bool counter_clockwise);
  // Joins the hole whose leftmost node is `hole` to the polygon of `outer`.
  void join(int hole, int outer);
  void clip(int ear);
  std::vector<Node> n;
  std::vector<Triangle> out;

 private:
  const Node& at(int k) const { return n[static_cast<std::size_t>(k)]; }
  Node& at(int k) { return n[static_cast<std::size_t>(k)]; }
  bool is_ear(int e) const;
  bool locally_inside(int a, int b) const;
  bool middle_inside(int a, int b) const;
  bool crosses_an_edge(int a, int b) const;
  bool valid_diagonal(int a, int b) const;
  int bridge_for(int hole, int outer) const;
  int split(int a, int b);
  void split_and_clip(int start);
};

int Filler::link(const std::vector<Point2>& ring, std::uint32_t first, bool counter_clockwise) {
  double twice_area = 0;
  for (std::size_t k = 0, j = ring.size() - 1; k < ring.size(); j = k++)
    twice_area += ring[j].x * ring[k].y - ring[k].x * ring[j].y;
  const bool reverse = (twice_area > 0) != counter_clockwise;
  const int start = static_cast<int>(n.size()), size = static_cast<int>(ring.size());
  int leftmost = start;
  for (int k = 0; k < size; ++k) {
    const int from = reverse ? size - 1 - k : k;
    const Point2& p = ring[static_cast<std::size_t>(from)];
    n.push_back({first + static_cast<std::uint32_t>(from), p.x, p.y, start + (k + size - 1) % size,
                 start + (k + 1) % size});
    const Node& l = at(leftmost);
    if (p.x < l.x || (p.x == l.x && p.y < l.y)) leftmost = start + k;
  }
  return leftmost;
}

// An ear: a left turn with no other point of the polygon in or on it that
// could block it (a point where the outline turns right or runs straight).
bool Filler::is_ear(int e) const {
  const Node &a = at(at(e).prev), &b = at(e), &c = at(at(e).next);
  if (cross(a, b, c) <= 0) return false;
  const double x0 = std::min({a.x, b.x, c.x}), x1 = std::max({a.x, b.x, c.x});
  const double y0 = std::min({a.y, b.y, c.y}), y1 = std::max({a.y, b.y, c.y});
  for (int k = c.next; k != b.prev; k = at(k).next) {
    const Node& p = at(k);
    if (p.x < x0 || p.x > x1 || p.y < y0 || p.y > y1) continue;
    if (in_triangle(a, b, c, p) && cross(at(p.prev), p, at(p.next)) <= 0) return false;
  }
  return true;
}

// Whether the segment from a towards b starts inside the polygon.
bool Filler::locally_inside(int a, int b) const {
  const Node &p = at(at(a).prev), &q = at(a), &r = at(at(a).next), &t = at(b);
  if (cross(p, q, r) > 0) return cross(q, t, r) <= 0 && cross(q, p, t) <= 0;
  return cross(q, t, p) > 0 || cross(q, r, t) > 0;
}

// Whether the middle of a b lies inside the polygon (a ray to +x crosses
// its outline an odd number of times).
bool Filler::middle_inside(int a, int b) const {
  const double x = (at(a).x + at(b).x) / 2, y = (at(a).y + at(b).y) / 2;
  bool inside = false;
  int k = a;
  do {
    const Node &p = at(k), &q = at(p.next);
    if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x) inside = !inside;
    k = p.next;
  } while (k != a);
  return inside;
}

bool Filler::crosses_an_edge(int a, int b) const {
  const std::uint32_t ia = at(a).i, ib = at(b).i;
  int k = a;
  do {
    const Node &p = at(k), &q = at(p.next);
    if (p.i != ia && q.i != ia && p.i != ib && q.i != ib && segments_meet(p, q, at(a), at(b)))
      return true;
    k = p.next;
  } while (k != a);
  return false;
}

// A diagonal that cuts the polygon in two polygons facing the same way.
bool Filler::valid_diagonal(int a, int b) const {
  const Node &p = at(a), &q = at(b);
  return p.i != q.i && at(p.next).i != q.i && at(p.prev).i != q.i && !crosses_an_edge(a, b) &&
         locally_inside(a, b) && locally_inside(b, a) && middle_inside(a, b) &&
         (cross(at(p.prev), p, at(q.prev)) != 0 || cross(p, at(q.prev), q) != 0);
}

// Links a to b by two edges, one each way: a goes on to b, and copies of
// them lead from b's old predecessor back to a's old successor. Returns
// b's copy.
int Filler::split(int a, int b) {
  const int a2 = static_cast<int>(n.size()), b2 = a2 + 1;
  const int an = at(a).next, bp = at(b).prev;
  n.push_back(at(a));
  n.push_back(at(b));
  at(a).next = b;
  at(b).prev = a;
  at(a2).next = an;
  at(an).prev = a2;
  at(b2).next = a2;
  at(a2).prev = b2;
  at(bp).next = b2;
  at(b2).prev = bp;
  return b2;
}

// The node the hole's leftmost point sees to its left: where a ray to -x
// first meets the outline, moved to the point nearest the ray in the
// triangle between them when one lies in it.
int Filler::bridge_for(int hole, int outer) const {
  const Node& h = at(hole);
  double qx = -INFINITY;
  int m = -1, k = outer;
  do {
    const Node &p = at(k), &q = at(p.next);
    if (h.y <= p.y && h.y >= q.y && q.y != p.y) {
      const double x = p.x + (h.y - p.y) * (q.x - p.x) / (q.y - p.y);
      if (x <= h.x && x > qx) {
        qx = x;
        m = p.x < q.x ? k : p.next;
      }
    }
    k = p.next;
  } while (k != outer);
  if (m < 0) return -1;
  const Node hit{0, qx, h.y, 0, 0};
  const int stop = m;
  const Node& end = at(stop);
  double tan_min = INFINITY;
  k = m;
  do {
    const Node &p = at(k), &best = at(m);
    if (h.x >= p.x && p.x >= end.x && h.x != p.x && in_triangle(h, end, hit, p)) {
      const double tan = std::fabs(h.y - p.y) / (h.x - p.x);
      // Of two nodes on one point (a bridge's end), the one whose corner
      // holds the other's.
      const bool wider = p.x == best.x && cross(at(best.prev), best, at(p.prev)) > 0 &&
                         cross(at(p.next), best, at(best.next)) > 0;
      if (locally_inside(k, hole) &&
          (tan < tan_min || (tan == tan_min && (p.x > best.x || wider)))) {
        m = k;
        tan_min = tan;
      }
    }
    k = p.next;
  } while (k != stop);
  return m;
}

void Filler::join(int hole, int outer) {
  const int bridge = bridge_for(hole, outer);
  if (bridge >= 0) split(bridge, hole);
}

void Filler::clip(int ear) {
  int stop = ear;
  while (at(ear).prev != at(ear).next) {
    const int prev = at(ear).prev, next = at(ear).next;
    if (is_ear(ear)) {
      out.push_back({at(prev).i, at(ear).i, at(next).i});
      at(prev).next = next;
      at(next).prev = prev;
      // On past the next point: fewer slivers.
      ear = stop = at(next).next;
      continue;
    }
    ear = next;
    if (ear == stop) {
      split_and_clip(ear);
      return;
    }
  }
}

// No ear left that nothing blocks (points in line, or a bridge's two ends
// in the way): the polygon cut in two by a diagonal, each part clipped.
void Filler::split_and_clip(int start) {
  int a = start;
  do {
    for (int b = at(at(a).next).next; b != at(a).prev; b = at(b).next) {
      if (valid_diagonal(a, b)) {
        const int c = split(a, b);
        clip(a);
        clip(c);
        return;
      }
    }
    a = at(a).next;
  } while (a != start);
}

}  // namespace

std::vector<Triangle> fill_polygon(const std::vector<std::vector<Point2>>& rings) {
  Filler f;
  std::size_t points = 0;
  for (const auto& ring : rings) points += ring.size();
  f.n.reserve(points + 4 * rings.size() + 64);
  f.out.reserve(points + 2 * rings.size());
  if (rings.empty() || rings[0].size() < 3) return {};
  const int outer = f.link(rings[0], 0, true);
  std::vector<int> holes;
  std::uint32_t first = static_cast<std::uint32_t>(rings[0].size());
  for (std::size_t r = 1; r < rings.size(); ++r) {
    holes.push_back(f.link(rings[r], first, false));
    first += static_cast<std::uint32_t>(rings[r].size());
  }
  // From the left: a hole's bridge may run to one joined before it.
  std::sort(holes.begin(), holes.end(), [&f](int a, int b) {
    return f.n[static_cast<std::size_t>(a)].x < f.n[static_cast<std::size_t>(b)].x;
  });
  for (int hole : holes) f.join(hole, outer);
  f.clip(outer);
  return f.out;
}

}  // namespace bellform
