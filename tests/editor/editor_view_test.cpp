#include "editor/editor_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace movra {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(EditorView, WorldToScreenAndBackAgree) {
  EditorView v;
  v.ViewCenterX = 10;
  v.ViewCenterY = -5;
  v.ViewScale = 2.5;
  v.ScreenCenterX = 400;
  v.ScreenCenterY = 300;
  double sx = 0, sy = 0;
  v.WorldToScreen(14, -1, sx, sy);
  EXPECT_DOUBLE_EQ(sx, 410);  // X to the right
  EXPECT_DOUBLE_EQ(sy, 290);  // Y upwards, pixels downwards
  double x = 0, y = 0;
  v.ScreenToWorld(sx, sy, x, y);
  EXPECT_DOUBLE_EQ(x, 14);
  EXPECT_DOUBLE_EQ(y, -1);
}

TEST(EditorView, ScaleThatIsNotAPositiveRealIsRefused) {
  EditorView v;
  for (double bad : {0.0, -1.0, kInf, -kInf, kNaN}) {
    EXPECT_FALSE(v.SetViewScale(bad)) << bad;
    EXPECT_EQ(v.ViewScale, 1.0);
  }
  EXPECT_TRUE(v.SetViewScale(0.001));
  EXPECT_EQ(v.ViewScale, 0.001);
  EXPECT_EQ(v.ClampScale(5000), 1000.0);
  EXPECT_EQ(v.ClampScale(0.001), 0.01);
  EXPECT_EQ(v.ClampScale(3), 3.0);
}

TEST(EditorView, PixelsRoundHalfToEvenAndStayWithinTheLimit) {
  EXPECT_EQ(PixelRound(2.5), 2);
  EXPECT_EQ(PixelRound(3.5), 4);
  EXPECT_EQ(PixelRound(-1.6), -2);
  EXPECT_EQ(PixelRound(1e300), static_cast<int>(PixelLimit));
  EXPECT_EQ(PixelRound(-kInf), -static_cast<int>(PixelLimit));
}

TEST(EditorView, ClipSegmentKeepsThePieceInsideAndItsPlace) {
  double x1 = -100, y1 = 50, x2 = 300, y2 = 50, t1 = 0, t2 = 0;
  ASSERT_TRUE(ClipSegment(x1, y1, x2, y2, 0, 0, 200, 100, t1, t2));
  EXPECT_DOUBLE_EQ(x1, 0);
  EXPECT_DOUBLE_EQ(x2, 200);
  EXPECT_DOUBLE_EQ(t1, 0.25);
  EXPECT_DOUBLE_EQ(t2, 0.75);

  // Far beyond the picture: the cut ends lie on the rectangle.
  x1 = -1e7, y1 = -1e7, x2 = 1e7, y2 = 1e7;
  ASSERT_TRUE(ClipSegment(x1, y1, x2, y2, 0, 0, 200, 100, t1, t2));
  EXPECT_NEAR(x1, 0, 1e-6);
  EXPECT_NEAR(y2, 100, 1e-6);

  struct Case {
    const char* name;
    double x1, y1, x2, y2;
  };
  for (const Case& c : {Case{"beside", 300, 0, 400, 100}, Case{"above", 0, -5, 200, -1},
                        Case{"infinite end", 0, 0, kInf, 0}, Case{"nan", kNaN, 0, 10, 10},
                        Case{"overflowing difference", -1.7e308, 0, 1.7e308, 0}}) {
    double a = c.x1, b = c.y1, d = c.x2, e = c.y2;
    EXPECT_FALSE(ClipSegment(a, b, d, e, 0, 0, 200, 100, t1, t2)) << c.name;
  }
}

TEST(EditorView, ArcSweepIsAFullTurnOnlyWhereStartMeetsEnd) {
  EXPECT_DOUBLE_EQ(DrawnArcSweep(5, 0, 2 * kPi), 2 * kPi);
  EXPECT_DOUBLE_EQ(DrawnArcSweep(-5, 1, 1 - 2 * kPi), -2 * kPi);
  // Equal angles: the zero arc of a path running straight past a base circle.
  EXPECT_EQ(DrawnArcSweep(5, 1, 1), 0.0);
  EXPECT_EQ(DrawnArcSweep(-5, 0, 1e-12), 0.0);
  EXPECT_DOUBLE_EQ(DrawnArcSweep(5, 0.3, 0.3 + 4 * kPi), 2 * kPi);
  EXPECT_NEAR(DrawnArcSweep(5, 0, kPi / 2), kPi / 2, 1e-12);
  EXPECT_NEAR(DrawnArcSweep(-5, 0, kPi / 2), -3 * kPi / 2, 1e-12);
}

TEST(EditorView, CodeLabelJoinsTheWordsBySlashes) {
  struct Case {
    const char* name;
    std::uint8_t corr;
    double feed;
    const char* text;
  };
  for (const Case& c : {Case{"left with feed", 1, 200, "g41 / f200"},
                        Case{"rapid", 0, NoValue, "max"},
                        Case{"right rapid", 2, NoValue, "g42 / max"},
                        Case{"drilling", 3, 0, "g81"},
                        Case{"nothing to say", 0, 0, ""},
                        Case{"decimal feed", 0, 12.25, "f12.25"}}) {
    EditorHover h;
    h.HoverCorr = c.corr;
    h.HoverFeed = c.feed;
    EXPECT_EQ(CodeLabel(h, 4), c.text) << c.name;
  }
  std::string text = "g41 / ";
  AppendCodeLabel(text, "g41");
  EXPECT_EQ(text, "g41 / ");
}

EditorView HoveredLine() {
  EditorView v;
  v.MouseModelX = 12.5;
  v.MouseModelY = -3;
  v.HoverIndex = 1;
  v.HoverNumber = 2;
  v.HoverKind = 1;
  v.HoverGeom = {0, 0, 10, 0, 0, -5};
  v.HoverE = 0.5;
  v.HoverCorr = 1;
  v.HoverFeed = 200;
  v.CursorX = 10;
  v.CursorY = 0;
  return v;
}

TEST(EditorView, LabelLinesOfAHoveredLine) {
  const EditorView v = HoveredLine();
  EXPECT_EQ(LabelLines(v, false, 4), (std::vector<std::string>{"x= 12.5", "y= -3", "z= -5",
                                                                  "n= 2", "e= 0.5", "g41 / f200"}));
  // The diameter display doubles y.
  EXPECT_EQ(LabelLines(v, true, 4)[1], "d= -6");
  EditorView bare;
  bare.MouseModelX = 1.23456;
  bare.MouseModelY = 0;
  EXPECT_EQ(LabelLines(bare, false, 4), (std::vector<std::string>{"x= 1.2346", "y= 0"}));
}

TEST(EditorView, StatusTextsMeasureFromThePole) {
  EditorView v = HoveredLine();
  v.PoleX = 10;
  v.PoleY = -10;
  const StatusTexts s = MakeStatusTexts(v, false, 4);
  EXPECT_EQ(s.Panels[0], "x 0");
  EXPECT_EQ(s.Panels[1], "y 10");
  EXPECT_EQ(s.Panels[2], "z= 0 / -5");
  EXPECT_EQ(s.Panels[3], "l 10");
  EXPECT_EQ(s.Panels[4], "a 90");
  EXPECT_EQ(s.Panel5, "l [ 10 / 0 ]");
  EXPECT_EQ(MakeStatusTexts(v, true, 4).Panels[1], "d 20");
}

TEST(EditorView, StatusTextsOfAnArcAndOfNothing) {
  EditorView v;
  v.HoverKind = 2;
  v.HoverGeom = {0, 0, -5, 0, kPi / 2, 2};
  v.CursorX = 3;
  v.CursorY = -4;
  StatusTexts s = MakeStatusTexts(v, false, 4);
  EXPECT_EQ(s.Panels[2], "z= 2");
  EXPECT_EQ(s.Panels[3], "l 5");
  EXPECT_EQ(s.Panel5, "r [ -5 / 0 / 90 ]");

  // Nothing hovered, cursor on the pole: zero distance and angle; panel 5 keeps its text.
  EditorView none;
  s = MakeStatusTexts(none, false, 4);
  EXPECT_EQ(s.Panels[0], "x 0");
  EXPECT_EQ(s.Panels[2], "z=0");
  EXPECT_EQ(s.Panels[3], "l 0");
  EXPECT_EQ(s.Panels[4], "a 0");
  EXPECT_FALSE(s.Panel5.has_value());
  // A line of Z 0 at both ends shows z=0.
  none.HoverKind = 1;
  none.HoverGeom = {0, 0, 1, 1, 0, 0};
  EXPECT_EQ(MakeStatusTexts(none, false, 4).Panels[2], "z=0");
}

class Fit : public ::testing::Test {
 protected:
  void Add(double kind, double v1, double v2, double v3, double v4, double v5,
           double feed = 0) {
    ASSERT_TRUE(geom.NewElement());
    TFormaGeom::GeomT& e = *geom.CurElement();
    e.Kind = kind;
    e.V1 = v1, e.V2 = v2, e.V3 = v3, e.V4 = v4, e.V5 = v5;
    e.Feed = feed;
  }
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  EditorView view;
};

TEST_F(Fit, OneLineFitsByItsLength) {
  Add(1, 0, 0, 100, 0, 0);
  Add(1, 5000, 5000, 6000, 6000, 0, NoValue);  // rapid moves do not count
  FitViewToStore(view, geom, 0, 0, 800, 600);
  EXPECT_DOUBLE_EQ(view.ViewScale, 0.75 * 800 / 100);
  EXPECT_DOUBLE_EQ(view.ViewCenterX, 50);
  EXPECT_DOUBLE_EQ(view.ViewCenterY, 0);
  EXPECT_DOUBLE_EQ(view.ScreenCenterX, 400);
  EXPECT_DOUBLE_EQ(view.ScreenCenterY, 300);
}

TEST_F(Fit, EmptyStoreAndFullCircle) {
  FitViewToStore(view, geom, 0, 20, 800, 600);
  EXPECT_EQ(view.ViewScale, 1.0);
  EXPECT_EQ(view.ViewCenterX, 0.0);
  EXPECT_DOUBLE_EQ(view.ScreenCenterY, 320);

  Add(2, 0, 0, 10, 0, 2 * kPi);
  FitViewToStore(view, geom, 0, 0, 800, 600);
  // Seven points at 0, 60, ..., 360 degrees: the box is 20 by 17.32.
  EXPECT_NEAR(view.ViewScale, 0.75 * std::min(800 / 20.0, 600 / (20 * std::sin(kPi / 3))), 1e-9);
}

}  // namespace
}  // namespace movra
