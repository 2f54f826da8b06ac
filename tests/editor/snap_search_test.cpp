// The snap search over a view of scale 1 whose model origin lies at pixel (200, 150): the
// model point (x, y) is the pixel (200 + x, 150 - y). The mouse is put on a pixel, the search
// runs, and the hover record, the cursor point and the construction points are read back.
#include "editor/snap_search.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <string>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "platform/core/application.h"

namespace movra {
namespace {

constexpr double kPi = std::numbers::pi;
// Model points computed through sines and cosines agree this closely.
constexpr double kTol = 1e-9;

class Snap : public ::testing::Test {
 protected:
  void SetUp() override {
    view_.ScreenCenterX = 200;
    view_.ScreenCenterY = 150;
  }

  TFormaGeom::GeomT& Add(double kind, double v1, double v2, double v3, double v4, double v5) {
    EXPECT_TRUE(geom_.NewElement());
    TFormaGeom::GeomT& e = *geom_.CurElement();
    e.Kind = kind;
    e.V1 = v1, e.V2 = v2, e.V3 = v3, e.V4 = v4, e.V5 = v5;
    e.GeomNo = 1;
    e.Feed = 100;
    return e;
  }
  TFormaGeom::GeomT& Line(double x1, double y1, double x2, double y2) {
    return Add(1, x1, y1, x2, y2, 0);
  }
  TFormaGeom::GeomT& Arc(double cx, double cy, double r, double a1, double a2) {
    return Add(2, cx, cy, r, a1, a2);
  }

  // The mouse on the pixel of model point (x, y) (to the nearest pixel), as the mouse-move
  // handler leaves it, then the search.
  bool MouseAt(double x, double y) {
    view_.MousePixel = {static_cast<int>(std::lround(200 + x)),
                        static_cast<int>(std::lround(150 - y))};
    view_.ScreenToWorld(view_.MousePixel.X, view_.MousePixel.Y, view_.MouseModelX,
                        view_.MouseModelY);
    SnapSources sources{geom_};
    sources.PocketPath = &insel_.Path;
    sources.TurnOutput = &turn_.OutElements;
    sources.AllParameters = all_;
    sources.PickedSlot = picked_;
    return FindSnapPoint(view_, sources);
  }

  void ExpectCursor(double x, double y, const std::string& what) const {
    EXPECT_NEAR(view_.CursorX, x, kTol) << what;
    EXPECT_NEAR(view_.CursorY, y, kTol) << what;
  }
  bool Unset(int k) const {
    return view_.ConstructionPoints(k).X == NoValue && view_.ConstructionPoints(k).Y == NoValue;
  }
  bool AllUnset() const {
    for (int k = 1; k <= ConstructionPointCount; ++k)
      if (!Unset(k)) return false;
    return true;
  }
  void ExpectPoint(int k, double x, double y) const {
    EXPECT_NEAR(view_.ConstructionPoints(k).X, x, kTol) << "construction point " << k;
    EXPECT_NEAR(view_.ConstructionPoints(k).Y, y, kTol) << "construction point " << k;
  }

  TFormaDaten daten_;
  TFormaGeom geom_{daten_, ""};
  TFormaEditorTurn turn_{daten_, geom_};
  TFormaEditorInsel insel_{daten_, geom_};
  EditorView view_;
  bool all_ = true;
  std::optional<int> picked_;
};

TEST_F(Snap, LatchesWithinFourPixelsAlongBothAxesAndNotAtFive) {
  Line(50, 50, 100, 90);
  struct Case {
    const char* name;
    double dx, dy;
    bool latched;
  };
  for (const Case& c : {Case{"on the point", 0, 0, true}, Case{"4 right", 4, 0, true},
                        Case{"4 down", 0, -4, true}, Case{"4 both ways", -4, 4, true},
                        Case{"5 right", 5, 0, false}, Case{"5 up", 0, 5, false},
                        Case{"4 and 5", 4, -5, false}}) {
    ASSERT_TRUE(MouseAt(50 + c.dx, 50 + c.dy)) << c.name;
    EXPECT_EQ(view_.SnapKind, 1) << c.name;
    ExpectCursor(50, 50, c.name);
    EXPECT_EQ(view_.Latched(), c.latched) << c.name;
    if (!c.latched) {
      EXPECT_EQ(view_.MouseModelX, 50 + c.dx) << c.name;
      EXPECT_EQ(view_.MouseModelY, 50 + c.dy) << c.name;
    }
  }
}

TEST_F(Snap, SharedCornerGoesToTheElementOnWhoseSideTheMouseIs) {
  Line(20, 60, 80, 60);   // slot 1 ends at the corner (80, 60)
  Line(80, 60, 80, 120);  // slot 2 starts there
  struct Case {
    const char* name;
    bool all;
    double x, y;
    int index, kind;
  };
  for (const Case& c : {Case{"on the first, options off", false, 79, 60, 1, 2},
                        Case{"on the second, options off", false, 80, 61, 2, 1},
                        Case{"on the first, options on", true, 79, 60, 1, 2},
                        Case{"on the second, options on", true, 80, 61, 2, 1}}) {
    all_ = c.all;
    ASSERT_TRUE(MouseAt(c.x, c.y)) << c.name;
    EXPECT_EQ(view_.HoverIndex, c.index) << c.name;
    EXPECT_EQ(view_.SnapKind, c.kind) << c.name;
    // The exact corner, not the point a hair inside that was offered.
    EXPECT_EQ(view_.CursorX, 80) << c.name;
    EXPECT_EQ(view_.CursorY, 60) << c.name;
  }
}

TEST_F(Snap, ArcEndsAreOfferedJustInsideAlongTheTangent) {
  // A line down to (60, 20), where a clockwise quarter arc starts and turns on downwards.
  Line(60, 60, 60, 20);
  Arc(40, 20, -20, 0, -kPi / 2);  // starts at (60, 20), runs clockwise to (40, 0)
  // Below the corner lies the arc's side.
  ASSERT_TRUE(MouseAt(60, 19));
  EXPECT_EQ(view_.HoverIndex, 2);
  EXPECT_EQ(view_.SnapKind, 1);
  ExpectCursor(60, 20, "arc start");
  ASSERT_TRUE(MouseAt(60, 21));
  EXPECT_EQ(view_.HoverIndex, 1);
  EXPECT_EQ(view_.SnapKind, 2);
}

TEST_F(Snap, MouseExactlyHalfwayCatchesTheCandidateOfferedFirst) {
  Line(-10, 40, -10, 120);  // midpoint (-10, 80)
  Line(10, 40, 10, 120);    // midpoint (10, 80)
  ASSERT_TRUE(MouseAt(0, 80));
  EXPECT_EQ(view_.HoverIndex, 1);
  EXPECT_EQ(view_.SnapKind, 3);
  ExpectCursor(-10, 80, "first midpoint");
}

TEST_F(Snap, LineCandidatesAndTheOptionSwitch) {
  Line(20, 20, 80, 60);
  // Candidate k sits at the point; the mouse put on it catches it with the options on.
  struct Case {
    int k;
    double x, y;
  };
  const Case cases[] = {{1, 20, 20}, {2, 80, 60}, {3, 50, 40}, {4, 80, 40}, {5, 80, 20},
                        {6, 50, 20}, {7, 20, 40}, {8, 20, 60}, {9, 50, 60}};
  for (const Case& c : cases) {
    ASSERT_TRUE(MouseAt(c.x, c.y));
    EXPECT_EQ(view_.SnapKind, c.k) << "candidate " << c.k;
    ExpectCursor(c.x, c.y, "candidate " + std::to_string(c.k));
  }
  for (const Case& c : cases) ExpectPoint(c.k, c.x, c.y);
  for (int k = 10; k <= ConstructionPointCount; ++k) EXPECT_TRUE(Unset(k)) << k;

  // Off: only start, end and midpoint; at the corner (80, 20) the midpoint is nearest.
  all_ = false;
  ASSERT_TRUE(MouseAt(80, 20));
  EXPECT_EQ(view_.SnapKind, 3);
  ExpectCursor(50, 40, "midpoint");
  for (int k = 4; k <= ConstructionPointCount; ++k) EXPECT_TRUE(Unset(k)) << k;
  ExpectPoint(3, 50, 40);
}

TEST_F(Snap, ArcCandidates) {
  // Counter-clockwise quarter from angle 0 to 90 degrees around (40, 30), radius 20.
  Arc(40, 30, 20, 0, kPi / 2);
  const double m = 20 / std::sqrt(2.0);  // chord midpoint offset from the centre, per axis
  struct Case {
    int k;
    double x, y;
  };
  const Case cases[] = {{1, 60, 30},          {2, 40, 50},
                        {3, 40, 30},          {4, 50, 30},
                        {5, 40, 40},          {6, 50, 40},
                        {7, 45, 35},          {8, 50, 30},
                        {9, 60, 30},          {10, 40, 50},
                        {11, 40, 40},         {12, 60, 30},
                        {13, 40, 50},         {14, 20, 30},
                        {15, 40, 10},         {16, 40 + m, 30 + m}};
  ASSERT_TRUE(MouseAt(20, 30));
  EXPECT_EQ(view_.SnapKind, 14);
  for (const Case& c : cases) ExpectPoint(c.k, c.x, c.y);
  ASSERT_TRUE(MouseAt(40 + m, 30 + m));
  EXPECT_EQ(view_.SnapKind, 16);

  // Off: start, end and centre only; the quadrant point (40, 10) catches the centre.
  all_ = false;
  ASSERT_TRUE(MouseAt(40, 10));
  EXPECT_EQ(view_.SnapKind, 3);
  ExpectCursor(40, 30, "centre");
  for (int k = 4; k <= ConstructionPointCount; ++k) EXPECT_TRUE(Unset(k)) << k;
}

TEST_F(Snap, FullCircleHasOnePointForStartEndAndMiddle) {
  Arc(40, 30, 20, kPi / 3, kPi / 3 + 2 * kPi);
  ASSERT_TRUE(MouseAt(50, 48));
  EXPECT_EQ(view_.HoverIndex, 1);
  const double sx = 40 + 20 * std::cos(kPi / 3), sy = 30 + 20 * std::sin(kPi / 3);
  ExpectPoint(1, sx, sy);
  ExpectPoint(2, sx, sy);
  ExpectPoint(16, sx, sy);
}

TEST_F(Snap, HalfCircleMiddleLiesAtAngleZero) {
  // The chord runs through the centre: no direction, which counts as 0.
  for (double r : {20.0, -20.0}) {
    geom_.ClearElements();
    Arc(40, 30, r, kPi / 2, 3 * kPi / 2);
    ASSERT_TRUE(MouseAt(40, 50));
    ExpectPoint(16, 60, 30);
  }
}

TEST_F(Snap, ScrollBarLimitsTheSearchToThePickedElement) {
  Line(20, 20, 80, 20);
  Line(20, 100, 80, 100);
  view_.PoleX = 3;
  view_.PoleY = 3;
  picked_ = 2;
  // Beside the first line, the origin and the pole: still the second line.
  ASSERT_TRUE(MouseAt(21, 21));
  EXPECT_EQ(view_.HoverIndex, 2);
  EXPECT_EQ(view_.SnapKind, 1);
  ExpectCursor(20, 100, "picked start");
  ExpectPoint(3, 50, 100);
  // A pixel from the picked start: caught, but the search ends before the latch.
  ASSERT_TRUE(MouseAt(21, 101));
  ExpectCursor(20, 100, "picked start");
  EXPECT_FALSE(view_.Latched());

  ASSERT_TRUE(MouseAt(0, 0));
  EXPECT_EQ(view_.HoverIndex, 2);

  // A slot without an element: nothing is hovered, and neither origin nor pole is caught.
  view_.CursorX = view_.CursorY = 7;
  picked_ = 5;
  ASSERT_TRUE(MouseAt(0, 0));
  EXPECT_EQ(view_.HoverIndex, 0);
  EXPECT_EQ(view_.HoverKind, 0);
  ExpectCursor(7, 7, "cursor left alone");
  EXPECT_TRUE(AllUnset());
}

TEST_F(Snap, OriginOrPoleWhenNothingElseIsNearer) {
  view_.PoleX = 100;
  view_.PoleY = -20;
  ASSERT_TRUE(MouseAt(3, 2));
  ExpectCursor(0, 0, "origin");
  EXPECT_TRUE(view_.Latched());
  ASSERT_TRUE(MouseAt(90, -20));
  ExpectCursor(100, -20, "pole");
  EXPECT_FALSE(view_.Latched());

  // An element was collected, but the origin won: no element is hovered.
  Line(60, 60, 100, 100);
  ASSERT_TRUE(MouseAt(1, 1));
  ExpectCursor(0, 0, "origin over an element");
  EXPECT_EQ(view_.HoverIndex, 0);
  EXPECT_EQ(view_.HoverNumber, 0);
  EXPECT_EQ(view_.HoverKind, 0);
  EXPECT_EQ(view_.SnapKind, 0);
  EXPECT_TRUE(AllUnset());
}

TEST_F(Snap, HoverRecordCarriesTheOwnersData) {
  TFormaGeom::GeomT& e = Line(20, 60, 80, 60);
  e.GeomNo = 7;
  e.OffsetDist = 2.5;
  e.Feed = NoValue;
  e.Side = 2;
  e.V5 = -1;
  e.ZLevel = -5;
  ASSERT_TRUE(turn_.OutElements.Add({250, 1, -60, -60, -20, -60, 0, 1}));
  TFormaEditorInsel::InselT pocket;
  pocket.Group = 2;
  pocket.Kind = 2;
  pocket.V1 = -50, pocket.V2 = 60, pocket.V3 = -10, pocket.V4 = 0, pocket.V5 = kPi;
  pocket.Side = 1;
  ASSERT_TRUE(insel_.Path.Add(pocket));
  ASSERT_TRUE(insel_.Path.Add(pocket));

  ASSERT_TRUE(MouseAt(50, 60));
  EXPECT_EQ(view_.HoverIndex, 1);
  EXPECT_EQ(view_.HoverNumber, 7);
  EXPECT_EQ(view_.HoverKind, 1);
  EXPECT_EQ(view_.HoverE, 2.5);
  EXPECT_EQ(view_.HoverFeed, NoValue);
  EXPECT_EQ(view_.HoverCorr, 2);
  EXPECT_EQ(view_.HoverGeom, (std::array<double, 6>{20, 60, 80, 60, -1, -5}));

  // The second of two equal pocket items never wins: the first keeps the tie.
  ASSERT_TRUE(MouseAt(-50, 60));
  EXPECT_EQ(view_.HoverIndex, 1);
  EXPECT_EQ(view_.HoverNumber, 2);  // the path kind
  EXPECT_EQ(view_.HoverKind, 2);
  EXPECT_EQ(view_.HoverE, 0);
  EXPECT_EQ(view_.HoverFeed, 0);
  EXPECT_EQ(view_.HoverCorr, 1);
  EXPECT_EQ(view_.SnapKind, 3);
  EXPECT_EQ(view_.HoverGeom, (std::array<double, 6>{-50, 60, -10, 0, kPi, 0}));

  ASSERT_TRUE(MouseAt(-40, -60));
  EXPECT_EQ(view_.HoverIndex, 1);
  EXPECT_EQ(view_.HoverNumber, 0);
  EXPECT_EQ(view_.HoverFeed, 250);
  EXPECT_EQ(view_.HoverCorr, 1);
  EXPECT_EQ(view_.SnapKind, 3);
}

TEST_F(Snap, NothingWithinReachLeavesTheRecordEmptyAndTheCursorWhereItWas) {
  Line(20, 60, 80, 60).Side = 1;
  ASSERT_TRUE(MouseAt(30, 60));
  ExpectCursor(20, 60, "start");
  EXPECT_EQ(view_.HoverCorr, 1);
  // Zoomed in far away: every candidate, origin and pole too, lies beyond 65535 pixels.
  view_.ViewScale = 1000;
  view_.ViewCenterX = 200;
  ASSERT_TRUE(MouseAt(0, 0));
  EXPECT_EQ(view_.HoverIndex, 0);
  EXPECT_EQ(view_.HoverKind, 0);
  EXPECT_EQ(view_.HoverCorr, 0);  // no stale "g41" beside the mouse
  ExpectCursor(20, 60, "cursor kept");
  EXPECT_FALSE(view_.Latched());
  EXPECT_TRUE(AllUnset());
}

TEST_F(Snap, LeavesTheCurrentElementAndSkipsWhileARunOrAPocketIsUnderWay) {
  Line(20, 60, 80, 60);
  Line(20, 100, 80, 100);
  geom_.SetCurElement(1);
  ASSERT_TRUE(MouseAt(20, 100));
  EXPECT_EQ(view_.HoverIndex, 2);
  EXPECT_EQ(geom_.CurElementSlot(), 1);

  geom_.Busy = 1;
  EXPECT_FALSE(MouseAt(20, 60));
  EXPECT_EQ(view_.HoverIndex, 2);
  geom_.Busy = 0;

  platform::SetApplicationTag(1);
  EXPECT_FALSE(MouseAt(20, 60));
  platform::SetApplicationTag(0);
  EXPECT_EQ(view_.HoverIndex, 2);
  ExpectCursor(20, 100, "kept");
}

TEST_F(Snap, UndefinedAndWildValuesCatchNothingFromThem) {
  Line(NoValue, NoValue, 40, 40);
  Add(2, 10, 10, std::numeric_limits<double>::quiet_NaN(), 0, 1);
  Line(1e308, -1e308, -1e308, 1e308);
  ASSERT_TRUE(MouseAt(38, 38));
  EXPECT_EQ(view_.HoverIndex, 1);
  EXPECT_EQ(view_.SnapKind, 2);
  ExpectCursor(40, 40, "defined end");
  // The arc without a radius still has its centre.
  ASSERT_TRUE(MouseAt(11, 9));
  EXPECT_EQ(view_.HoverIndex, 2);
  EXPECT_EQ(view_.SnapKind, 3);
}

TEST_F(Snap, NoCandidateOfAnyElementIsNearerThanTheOneCaught) {
  // A scatter of lines and arcs, some off the picture, and mouse positions all over it. The
  // candidates of each element come from a search that the scroll bar limits to it.
  std::mt19937 random(16);
  std::uniform_real_distribution<double> place(-300, 300), size(-40, 40), angle(-7, 7);
  for (int i = 0; i < 150; ++i) {
    const double x = place(random), y = place(random);
    if (i % 3 == 0)
      Arc(x, y, size(random), angle(random), angle(random));
    else
      Line(x, y, x + size(random), y + size(random));
  }
  view_.PoleX = 35;
  view_.PoleY = -12;
  for (int m = 0; m < 60; ++m) {
    const double mx = place(random) / 1.5, my = place(random) / 2;
    ASSERT_TRUE(MouseAt(mx, my));
    const EditorView found = view_;
    double sx = 0, sy = 0;
    const auto pixels = [&](double x, double y) {
      view_.WorldToScreen(x, y, sx, sy);
      return std::hypot(sx - view_.MousePixel.X, sy - view_.MousePixel.Y);
    };
    const double caught = pixels(found.CursorX, found.CursorY);
    EXPECT_LE(caught, pixels(0, 0) + 1e-6);
    EXPECT_LE(caught, pixels(35, -12) + 1e-6);
    for (int slot = 1; slot <= geom_.ElementCount(); ++slot) {
      picked_ = slot;
      ASSERT_TRUE(MouseAt(mx, my));
      for (int k = 1; k <= ConstructionPointCount; ++k) {
        if (Unset(k)) continue;
        const ConstructionPointT& p = view_.ConstructionPoints(k);
        EXPECT_LE(caught, pixels(p.X, p.Y) + 1e-6)
            << "mouse " << m << ", slot " << slot << ", candidate " << k;
      }
    }
    picked_.reset();
    view_ = found;
  }
}

}  // namespace
}  // namespace movra
