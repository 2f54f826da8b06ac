// The offset of one contour element: moved, vanished or through the centre.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/element_offset.h"
#include "geometry/forma_daten.h"

namespace movra {
namespace {

struct Shape {
  double Kind = 0, V1 = 0, V2 = 0, V3 = 0, V4 = 0, V5 = 0;
};

struct OffsetCase {
  const char* name;
  Shape in;
  double distance, minLine;
  ElementOffset result;
  Shape out;  // the record afterwards (unchanged unless Moved)
};

TEST(OffsetElementBy, MovesVanishesOrPassesTheCentre) {
  const OffsetCase cases[] = {
      {"line moves left of travel", {1, 0, 0, 10, 0, 7}, 2, 0, ElementOffset::Moved,
       {1, 0, 2, 10, 2, 7}},
      {"negative distance moves right", {1, 0, 0, 0, 10, 0}, -1, 0, ElementOffset::Moved,
       {1, 1, 0, 1, 10, 0}},
      {"line below the minimum vanishes", {1, 0, 0, 0.0005, 0, 0}, 1, 0.001,
       ElementOffset::Vanished, {1, 0, 0, 0.0005, 0, 0}},
      {"counter-clockwise arc shrinks", {2, 5, 5, 3, 0, 1}, 1, 0, ElementOffset::Moved,
       {2, 5, 5, 2, 0, 1}},
      {"clockwise arc grows", {2, 5, 5, -3, 1, 0}, 1, 0, ElementOffset::Moved,
       {2, 5, 5, -4, 1, 0}},
      {"arc shrunk to its centre vanishes", {2, 0, 0, 2, 0, 1}, 2, 0, ElementOffset::Vanished,
       {2, 0, 0, 2, 0, 1}},
      {"offset through the centre", {2, 0, 0, 2, 0, 1}, 3, 0, ElementOffset::ThroughCentre,
       {2, 0, 0, 2, 0, 1}},
      {"clockwise arc through the centre", {2, 0, 0, -2, 1, 0}, -3, 0,
       ElementOffset::ThroughCentre, {2, 0, 0, -2, 1, 0}},
  };
  TFormaDaten daten;
  for (const OffsetCase& c : cases) {
    SCOPED_TRACE(c.name);
    Shape e = c.in;
    EXPECT_EQ(OffsetElementBy(daten, e, c.distance, c.minLine), c.result);
    EXPECT_EQ(e.Kind, c.out.Kind);
    EXPECT_NEAR(e.V1, c.out.V1, 1e-12);
    EXPECT_NEAR(e.V2, c.out.V2, 1e-12);
    EXPECT_NEAR(e.V3, c.out.V3, 1e-12);
    EXPECT_NEAR(e.V4, c.out.V4, 1e-12);
    EXPECT_EQ(e.V5, c.out.V5);
  }
}

}  // namespace
}  // namespace movra
