// The driver adapter: its passage against the contour and the report, and
// the parts it refuses and why (the file as tools read it, its sections
// closed: readers/adapter_readers_test.py).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "design/adapter_part.h"
#include "design/design_check.h"
#include "geometry/tractrix.h"

namespace bellform {
namespace {

struct Horn {
  double W, H, T, D, L;  // inches; L 0 for the natural length
};

DesignRecord record(const Horn& h) {
  DesignRecord rec;
  EXPECT_EQ("", set_design(rec, h.W, h.H, h.T, h.D));
  rec.L = h.L > 0 ? h.L : natural_length(rec.radii);
  return rec;
}

double area(const AdapterRing& ring) {
  double twice = 0;
  for (std::size_t k = 0, j = ring.size() - 1; k < ring.size(); j = k++)
    twice += ring[j].x * ring[k].y - ring[k].x * ring[j].y;
  return twice / 2;
}

struct Passage {
  const char* name;
  Horn horn;
  double driver_area, throat_width, throat_height;  // mm: the report's, by hand
};

void PrintTo(const Passage& p, std::ostream* os) { *os << p.name; }

class AdapterPassage : public testing::TestWithParam<Passage> {};

// At every height the contour's area, from the driver's circle to the
// report's first station; and never wider along y than along x where the
// throat is wider than high: the passage turns towards the throat as it
// lies, not on its side.
TEST_P(AdapterPassage, FollowsTheContourToTheThroatAsItLies) {
  const Passage& p = GetParam();
  AdapterPart part;
  ASSERT_EQ("", adapter_part(record(p.horn), {}, part));
  const AdapterRings rings(part.shape);
  const double height = part.plan.height, mm2 = 25.4 * 25.4;
  AdapterRing ring;
  for (double z : part.plan.levels) {
    rings.passage(z, ring);
    const double from_mouth = part.shape.L + (height - z) / 25.4;
    const double r = tractrix_radius(from_mouth, part.shape.rm);
    EXPECT_NEAR(1, area(ring) / (PI * r * r * mm2), 0.005) << "at " << z << " mm";
    double wide = 0, high = 0;
    for (const Point2& q : ring) wide = std::max(wide, q.x), high = std::max(high, q.y);
    EXPECT_GE((wide - high) * (p.throat_width - p.throat_height), 0) << "at " << z << " mm";
  }
  rings.passage(0, ring);
  EXPECT_NEAR(p.driver_area, area(ring), 0.01);
  rings.passage(height, ring);
  EXPECT_NEAR(p.throat_width / 2, ring[0].x, 0.05);
  EXPECT_NEAR(p.throat_height / 2, ring[adapter_ring_points / 4].y, 0.05);
}

INSTANTIATE_TEST_SUITE_P(
    Horns, AdapterPassage,
    testing::Values(
        // The worked example: a 2 inch circle into the 2 inch square throat.
        Passage{"WorkedExample", {12, 12, 2, 0, 0}, 2026.83, 50.8, 50.8},
        Passage{"BassHorn", {40, 30, 3, 2, 0}, 2026.83, 76.2, 76.2},
        // At 8 inches the first station is 2 x 1.883 wide and 2 high.
        Passage{"RectangularThroat", {12, 12, 2, 1, 8}, 506.71, 95.66, 50.8}),
    [](const auto& info) { return std::string(info.param.name); });

struct Refusal {
  const char* name;
  Horn horn;
  BoltPattern bolts;
  const char* sentence;  // empty: a part
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class AdapterParts : public testing::TestWithParam<Refusal> {};

TEST_P(AdapterParts, IsMadeOrRefusedInWords) {
  const Refusal& r = GetParam();
  DriverFile file;
  file.name = "driver.txt";
  file.bolts = r.bolts;
  AdapterPart part;
  EXPECT_EQ(r.sentence, adapter_part(record(r.horn), file, part));
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, AdapterParts,
    testing::Values(
        // A driver wider than the mouth's radius, narrower than its diameter.
        Refusal{"WideDriverShortHorn", {12, 12, 2, 8, 1}, {}, ""},
        Refusal{"TwelveBolts", {40, 30, 3, 2, 0}, {12, 140, 8}, ""},
        Refusal{"NoThickness", {12, 12, 2, 0, 100}, {},
                "No adapter to print: its thickness at this length is not above 0."},
        // 0.1 inch of thickness left.
        Refusal{"TooThin", {12, 12, 2, 0, 10.81}, {},
                "No adapter to print: its thickness at this length is under 3 mm, too thin."},
        Refusal{"TooLarge", {1e70, 12, 2, 0, 0}, {},
                "No adapter to print: at this length it would be over 10 m tall or wide."},
        Refusal{"HolesTooSmall", {12, 12, 2, 0, 0}, {2, 76, 0.5},
                "driver.txt: the bolt holes must be 1 mm or more, on a circle under 10 m."},
        Refusal{"HolesTooClose", {12, 12, 2, 0, 0}, {12, 35, 6.5},
                "driver.txt: the bolt holes leave less than 3 mm between each other."},
        Refusal{"HolesAtTheExit", {12, 12, 2, 0, 0}, {2, 63.2, 6.5},
                "driver.txt: the bolt holes leave less than 3 mm round the 50.8 mm passage."},
        Refusal{"HolesInTheWall", {12, 12, 2, 0, 0}, {4, 64.3, 6.5},
                "driver.txt: the bolt holes run into the adapter's wall above the flange."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bellform
