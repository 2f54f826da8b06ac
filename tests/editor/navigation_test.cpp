// Navigation without a window: zoom steps and their limits, the gesture machine, the window
// zoom, the keys, the wheel, the Esc chain, the extents and the fit, and the pole.
#include "editor/navigation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace movra {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(Zoom, StepsAreHeldWithinTheLimits) {
  struct Case {
    const char* name;
    double start;
    bool in;
    double factor;
    double expected;
  } cases[] = {
      {"button in", 1.0, true, ZoomButtonFactor, 1.25},
      {"button out", 1.0, false, ZoomButtonFactor, 1.0 / 1.25},
      {"wheel in", 2.0, true, ZoomWheelFactor, 2.25},
      {"in beyond the maximum", 999.0, true, ZoomButtonFactor, 1000.0},
      {"out below the minimum", 0.011, false, ZoomButtonFactor, 0.01},
      {"a fit beyond the maximum is clamped by the next step", 5000.0, false, ZoomWheelFactor,
       1000.0},
      {"a fit below the minimum is clamped by the next step", 0.0001, true, ZoomWheelFactor,
       0.01},
  };
  for (const Case& c : cases) {
    EditorView view;
    view.ViewScale = c.start;
    view.ViewCenterX = 7;
    view.ScreenCenterX = 300;
    if (c.in)
      ZoomIn(view, c.factor);
    else
      ZoomOut(view, c.factor);
    EXPECT_DOUBLE_EQ(view.ViewScale, c.expected) << c.name;
    EXPECT_EQ(view.ViewCenterX, 7) << c.name;
    EXPECT_EQ(view.ScreenCenterX, 300) << c.name;
  }
}

TEST(Zoom, TenRepeatTicksZoomAboutNinePointThreeTimes) {
  EditorView view;
  EditorNavigation nav;
  nav.ZoomRepeat = 0;
  ZoomRepeatTick(view, nav);
  EXPECT_EQ(view.ViewScale, 1.0);  // no button held: no step
  nav.ZoomRepeat = 1;
  for (int i = 0; i < 10; ++i) ZoomRepeatTick(view, nav);
  EXPECT_NEAR(view.ViewScale, 9.3132, 1e-4);
  view.ViewScale = 1000.0;
  ZoomRepeatTick(view, nav);
  EXPECT_EQ(view.ViewScale, 1000.0);
  nav.ZoomRepeat = 2;
  ZoomRepeatTick(view, nav);
  EXPECT_DOUBLE_EQ(view.ViewScale, 800.0);
}

TEST(Zoom, WheelTowardsTheUserZoomsIn) {
  EditorView view;
  WheelZoom(view, -120);
  EXPECT_DOUBLE_EQ(view.ViewScale, 1.125);
  WheelZoom(view, 0);
  EXPECT_DOUBLE_EQ(view.ViewScale, 1.125);
  WheelZoom(view, 120);
  EXPECT_DOUBLE_EQ(view.ViewScale, 1.0);
}

TEST(Zoom, MemoFontUnderCtrlWheel) {
  struct Case {
    int size, delta, expected;
  } cases[] = {{10, -120, 12}, {28, -120, 30}, {29, -120, 30}, {30, -120, 30},
               {12, 120, 10},  {11, 120, 10},  {10, 120, 10},  {20, 0, 20},
               {8, 0, 10},     {40, 120, 30}};
  for (const Case& c : cases)
    EXPECT_EQ(MemoFontSizeAfterWheel(c.size, c.delta), c.expected)
        << c.size << " points, delta " << c.delta;
}

TEST(Zoom, MiddleDragZoomsByTheDirectionOfTheMove) {
  EditorView view;
  EditorNavigation nav;
  nav.PressPixel = {100, 100};
  view.ScreenCenterX = 10;
  MiddleDragZoom(view, nav, 110, 50, {800, 600});
  EXPECT_DOUBLE_EQ(view.ViewScale, 1.125);
  EXPECT_EQ(view.ScreenCenterX, 400);
  EXPECT_EQ(view.ScreenCenterY, 300);
  EXPECT_EQ(nav.PressPixel, (PixelT{110, 50}));
  MiddleDragZoom(view, nav, 110, 80, {800, 600});  // straight down: unchanged
  EXPECT_DOUBLE_EQ(view.ViewScale, 1.125);
  MiddleDragZoom(view, nav, 90, 80, {800, 600});
  EXPECT_DOUBLE_EQ(view.ViewScale, 1.0);
}

TEST(Keys, ArrowsMoveThePictureAndKeypadZooms) {
  EditorView view;
  view.ScreenCenterX = 400;
  view.ScreenCenterY = 300;
  NavigationKeyStep(view, NavigationKey::Right);
  NavigationKeyStep(view, NavigationKey::Down);
  EXPECT_EQ(view.ScreenCenterX, 450);
  EXPECT_EQ(view.ScreenCenterY, 350);
  NavigationKeyStep(view, NavigationKey::Left);
  NavigationKeyStep(view, NavigationKey::Left);
  NavigationKeyStep(view, NavigationKey::Up);
  EXPECT_EQ(view.ScreenCenterX, 350);
  EXPECT_EQ(view.ScreenCenterY, 300);
  NavigationKeyStep(view, NavigationKey::KeypadPlus);
  EXPECT_DOUBLE_EQ(view.ViewScale, 1.25);
  NavigationKeyStep(view, NavigationKey::KeypadMinus);
  NavigationKeyStep(view, NavigationKey::KeypadMinus);
  EXPECT_DOUBLE_EQ(view.ViewScale, 0.8);
}

TEST(WindowZoom, FillsThePictureWithTheRectangle) {
  EditorView view;
  view.WindowRect = {100, 50, 0, 0};  // corners in any order
  ASSERT_TRUE(ZoomToWindow(view, {800, 600}));
  EXPECT_EQ(view.ViewCenterX, 50);
  EXPECT_EQ(view.ViewCenterY, 25);
  EXPECT_EQ(view.ScreenCenterX, 400);
  EXPECT_EQ(view.ScreenCenterY, 300);
  EXPECT_DOUBLE_EQ(view.ViewScale, 8.0);  // the smaller of 800 / 100 and 600 / 50

  // Thin windows are ignored; so are corners that are not numbers.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const auto& rect : {std::array<double, 4>{0, 0, 0.001, 10}, {0, 0, 10, -0.001},
                           {5, 5, 5, 5}, {nan, 0, 10, 10}}) {
    EditorView thin;
    thin.WindowRect = rect;
    EXPECT_FALSE(ZoomToWindow(thin, {800, 600}));
    EXPECT_EQ(thin.ViewScale, 1.0);
    EXPECT_EQ(thin.ScreenCenterX, 0.0);
  }
  // A tiny window zooms to the limit only.
  EditorView tiny;
  tiny.WindowRect = {0, 0, 0.002, 0.002};
  ASSERT_TRUE(ZoomToWindow(tiny, {800, 600}));
  EXPECT_EQ(tiny.ViewScale, 1000.0);
}

TEST(Gesture, LeftDragPansAndOtherStatesDoNothing) {
  EditorView view;
  EditorNavigation nav;
  view.ScreenCenterX = 400;
  view.ScreenCenterY = 300;
  bool window = false;
  TrackMouseGesture(view, nav, ShiftLeft, 100, 100, GesturePhase::Press, window, {800, 600});
  TrackMouseGesture(view, nav, ShiftLeft, 130, 90, GesturePhase::Move, window, {800, 600});
  EXPECT_EQ(view.ScreenCenterX, 430);
  EXPECT_EQ(view.ScreenCenterY, 290);
  TrackMouseGesture(view, nav, ShiftLeft, 90, 150, GesturePhase::Move, window, {800, 600});
  EXPECT_EQ(view.ScreenCenterX, 390);  // from the centre at the press, not the last move
  EXPECT_EQ(view.ScreenCenterY, 350);
  for (const ShiftState s : {ShiftState(ShiftLeft | ShiftCtrl), ShiftState(ShiftLeft | ShiftShift),
                             ShiftState(ShiftLeft | ShiftRight), ShiftRight, ShiftMiddle}) {
    TrackMouseGesture(view, nav, s, 0, 0, GesturePhase::Move, window, {800, 600});
    EXPECT_EQ(view.ScreenCenterX, 390) << int(s);
  }
  TrackMouseGesture(view, nav, 0, 0, 0, GesturePhase::Release, window, {800, 600});
  EXPECT_EQ(view.ScreenCenterX, 390);
  EXPECT_EQ(view.ViewScale, 1.0);
}

TEST(Gesture, ZoomWindowSpansModelPointsAndZoomsAtTheRelease) {
  EditorView view;
  EditorNavigation nav;
  bool window = true;
  view.MouseModelX = 10;
  view.MouseModelY = 20;
  TrackMouseGesture(view, nav, ShiftLeft, 5, 5, GesturePhase::Press, window, {800, 600});
  EXPECT_EQ(view.WindowRect, (std::array<double, 4>{10, 20, 10, 20}));
  view.MouseModelX = 50;
  view.MouseModelY = 40;
  TrackMouseGesture(view, nav, ShiftLeft, 50, 50, GesturePhase::Move, window, {800, 600});
  EXPECT_EQ(view.WindowRect, (std::array<double, 4>{10, 20, 50, 40}));
  EXPECT_EQ(view.ScreenCenterX, 0.0);  // no pan in window mode
  TrackMouseGesture(view, nav, 0, 50, 50, GesturePhase::Release, window, {800, 600});
  EXPECT_FALSE(window);
  EXPECT_EQ(view.WindowRect, (std::array<double, 4>{}));
  EXPECT_EQ(view.ViewCenterX, 30);
  EXPECT_EQ(view.ViewCenterY, 30);
  EXPECT_DOUBLE_EQ(view.ViewScale, 20.0);  // 800 / 40 and 600 / 20

  // A click without a drag spans nothing: the button still comes up.
  window = true;
  TrackMouseGesture(view, nav, ShiftLeft, 5, 5, GesturePhase::Press, window, {800, 600});
  TrackMouseGesture(view, nav, 0, 5, 5, GesturePhase::Release, window, {800, 600});
  EXPECT_FALSE(window);
  EXPECT_DOUBLE_EQ(view.ViewScale, 20.0);
}

TEST(Escape, FirstMatchWins) {
  struct Case {
    EscapeContext context;
    EscapeStep expected;
  } cases[] = {
      {{true, true, true, true, true}, EscapeStep::ClearBusy},
      {{false, true, true, true, true}, EscapeStep::HideIsoMemo},
      {{false, false, true, true, true}, EscapeStep::ReleaseWindow},
      {{false, false, false, true, true}, EscapeStep::StopZoomTimer},
      {{false, false, false, false, true}, EscapeStep::Close},
      {{false, false, false, false, false}, EscapeStep::Repaint},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NextEscapeStep(c.context), c.expected) << static_cast<int>(c.expected);
}

class Extent : public ::testing::Test {
 protected:
  TFormaGeom::GeomT& Add(double kind, double v1, double v2, double v3, double v4, double v5,
                         double feed = 0) {
    EXPECT_TRUE(geom.NewElement());
    TFormaGeom::GeomT& e = *geom.CurElement();
    e.Kind = kind;
    e.V1 = v1, e.V2 = v2, e.V3 = v3, e.V4 = v4, e.V5 = v5;
    e.Feed = feed;
    e.GeomNo = 1;
    return e;
  }
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  EditorView view;
};

TEST_F(Extent, FullCircleBySevenPoints) {
  Add(2, 0, 0, 10, 0, 2 * kPi);
  const Extents box = StoreExtents(geom);
  EXPECT_NEAR(box.MinX, -10, 1e-12);
  EXPECT_NEAR(box.MaxX, 10, 1e-12);
  EXPECT_NEAR(box.MinY, -8.660254, 1e-6);
  EXPECT_NEAR(box.MaxY, 8.660254, 1e-6);
}

TEST_F(Extent, ClockwiseQuarterAndWhatAddsNothing) {
  Add(2, 0, 0, -5, kPi / 2, 0);  // clockwise from the top to the right
  Add(2, 100, 100, 0, 0, 1);     // radius 0
  Add(5, -100, -100, 0, 0, 0);   // no line, no arc
  Add(1, 500, 500, 600, 600, 0, NoValue);  // rapid move
  const Extents box = StoreExtents(geom);
  EXPECT_NEAR(box.MinX, 0, 1e-12);
  EXPECT_NEAR(box.MaxX, 5, 1e-12);
  EXPECT_NEAR(box.MinY, 0, 1e-12);
  EXPECT_NEAR(box.MaxY, 5, 1e-12);
}

TEST_F(Extent, HolesWidenTheBoxAroundTheLineStart) {
  geom.GeomParams(1)(1) = 8;
  geom.GeomParams(1)(2) = 20;
  Add(1, 0, 0, 2, 0, 0);
  Extents box = StoreExtents(geom);
  EXPECT_EQ(box.MinX, -10);
  EXPECT_EQ(box.MaxX, 10);
  EXPECT_EQ(box.MinY, -10);
  EXPECT_EQ(box.MaxY, 10);
  // An offset line shows no holes.
  geom.CurElement()->OffsetDist = 1;
  box = StoreExtents(geom);
  EXPECT_EQ(box.MinX, 0);
  EXPECT_EQ(box.MaxY, 0);
}

TEST_F(Extent, FitOfOneLineCountsOnlyItsLength) {
  Add(1, 0, 0, 100, 0, 0);
  FitViewToStore(view, geom, 0, 30, 800, 500);
  EXPECT_DOUBLE_EQ(view.ViewScale, 0.75 * 800 / 100);
  EXPECT_EQ(view.ViewCenterX, 50);
  EXPECT_EQ(view.ViewCenterY, 0);
  EXPECT_EQ(view.ScreenCenterX, 400);
  EXPECT_EQ(view.ScreenCenterY, 280);
  // Beside a memo docked at the left the drawing takes the rest of the width.
  FitViewToStore(view, geom, 200, 30, 800, 500);
  EXPECT_DOUBLE_EQ(view.ViewScale, 0.75 * 600 / 100);
  EXPECT_EQ(view.ScreenCenterX, 500);
}

TEST_F(Extent, FitNeverGivesABadScale) {
  struct Case {
    const char* name;
    double left, width, height;
  } cases[] = {
      {"drawing narrower than the memo", 900, 800, 500},
      {"memo as wide as the drawing", 800, 800, 500},
      {"no height", 0, 800, 0},
      {"no picture", 0, 0, 0},
  };
  Add(1, 0, 0, 100, 50, 0);
  for (const Case& c : cases) {
    view.ViewScale = 3;
    FitViewToStore(view, geom, c.left, 0, c.width, c.height);
    EXPECT_TRUE(std::isfinite(view.ViewScale) && view.ViewScale > 0) << c.name;
    EXPECT_EQ(view.ViewScale, 1.0) << c.name;
  }
}

TEST_F(Extent, EmptyStoreAndSinglePointKeepTheOrigin) {
  view.ViewCenterX = 5;
  view.ViewScale = 7;
  FitViewToStore(view, geom, 0, 20, 800, 600);
  EXPECT_EQ(view.ViewScale, 1.0);
  EXPECT_EQ(view.ViewCenterX, 0.0);
  EXPECT_EQ(view.ViewCenterY, 0.0);
  EXPECT_EQ(view.ScreenCenterX, 400);
  EXPECT_EQ(view.ScreenCenterY, 320);
  Add(1, 3, 4, 3, 4, 0);  // a zero-length line: one point
  Add(1, 3, 4 + 1e-9, 3, 4, 0);
  FitViewToStore(view, geom, 0, 20, 800, 600);
  EXPECT_EQ(view.ViewScale, 1.0);
  EXPECT_EQ(view.ViewCenterX, 0.0);
}

TEST(Pole, TogglesBetweenTheCursorAndTheOrigin) {
  EditorView view;
  view.CursorX = 3;
  view.CursorY = -4;
  TogglePole(view);
  EXPECT_EQ(view.PoleX, 3);
  EXPECT_EQ(view.PoleY, -4);
  TogglePole(view);
  EXPECT_EQ(view.PoleX, 0);
  EXPECT_EQ(view.PoleY, 0);
  // A pole on an axis is still a pole.
  view.PoleX = 0;
  view.PoleY = 2;
  TogglePole(view);
  EXPECT_EQ(view.PoleY, 0);
}

TEST(Pole, TypedCoordinates) {
  struct Case {
    const char* text;
    bool changed;
    double x, y;
  } cases[] = {
      {"x10 y-5", true, 10, -5}, {"y3", true, 1, 3},      {"X 7", true, 7, 2},
      {"Y2.5 X-1", true, -1, 2.5}, {"z5", false, 1, 2},   {"x", false, 1, 2},
      {"", false, 1, 2},          {"zx4", false, 1, 2},
  };
  TFormaDaten daten;
  for (const Case& c : cases) {
    EditorView view;
    view.PoleX = 1;
    view.PoleY = 2;
    EXPECT_EQ(ApplyPoleInput(view, daten, c.text), c.changed) << c.text;
    EXPECT_EQ(view.PoleX, c.x) << c.text;
    EXPECT_EQ(view.PoleY, c.y) << c.text;
  }
}

}  // namespace
}  // namespace movra
