// The snap search as the window runs it, and the hovered element's construction read back
// from the picture: the thick outline, the handles and the dotted construction lines.
#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QScrollBar>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <utility>

#include "tests/editor/paint_support.h"

namespace movra {
namespace {

using namespace testing;  // the fixture Paint and the colours of its picture

constexpr double kPi = std::numbers::pi;
using Points = std::initializer_list<std::pair<int, int>>;

class Hover : public Paint {
 protected:
  // The mouse on the pixel of model point (x, y), then the window's search and a repaint.
  void MouseAt(int x, int y) {
    editor_.MousePixel = {200 + x, 150 - y};
    editor_.ScreenToWorld(editor_.MousePixel.X, editor_.MousePixel.Y, editor_.MouseModelX,
                          editor_.MouseModelY);
    editor_.FindSnapPoint();
    editor_.PaintView();
  }
  // A filled handle (9 x 9 pixels) in the selection colour around the model point.
  bool HandleAt(double x, double y) const {
    for (int dx = -3; dx <= 3; dx += 3)
      for (int dy = -3; dy <= 3; dy += 3)
        if (At(x + dx, y + dy) != Of(kSelect)) return false;
    return true;
  }
};

TEST_F(Hover, LineCaughtAtATriangleCornerShowsTheTriangle) {
  Line(30, 30, 130, 90);
  editor_.Activated = 1;
  MouseAt(130, 30);  // the corner (X2, Y1)
  EXPECT_EQ(editor_.SnapKind, 5);
  EXPECT_EQ(editor_.HoverIndex, 1);
  // Thick in the selection colour, with handles at start, end, midpoint and the triangle's
  // points P4, P5 (under the cursor marker) and P6.
  EXPECT_EQ(At(101, 72), Of(kSelect));
  for (auto [x, y] : Points{{130, 90}, {80, 60}, {130, 60}, {80, 30}})
    EXPECT_TRUE(HandleAt(x, y)) << x << ", " << y;
  EXPECT_EQ(At(27, 33), Of(kSelect));  // the start's handle, where the leg leaves it
  // The legs P1 -> P5 and P5 -> P2, dotted, clear of handles and of the cursor's ticks.
  EXPECT_GT(CountAlong(kEnabled, 36, 30, 72, 30), 8);
  EXPECT_GT(CountAlong(kEnabled, 130, 82, 130, 85), 0);
  // The other triangle is not drawn.
  EXPECT_EQ(CountAlong(kEnabled, 30, 40, 30, 80), 0);
}

TEST_F(Hover, WithoutAllParametersOnlyStartEndAndMidpoint) {
  Line(30, 30, 130, 90);
  editor_.ActionParameter->setChecked(false);
  MouseAt(130, 30);
  EXPECT_EQ(editor_.SnapKind, 3);  // the midpoint is the nearest of three
  EXPECT_TRUE(HandleAt(80, 60));
  EXPECT_TRUE(HandleAt(30, 30));
  EXPECT_FALSE(HandleAt(80, 30));
  EXPECT_EQ(CountAlong(kEnabled, 36, 30, 72, 30), 0);
}

TEST_F(Hover, ArcCentreShowsTheDiametersAlongTheAxes) {
  Add(2, 40, 40, 80, 0, kPi / 2);
  MouseAt(40, 40);
  EXPECT_EQ(editor_.SnapKind, 3);
  // The centre's handle lies under the latched marker's dotted diagonals.
  for (auto [x, y] : Points{{120, 40}, {40, 120}, {-40, 40}, {40, -40}})
    EXPECT_TRUE(HandleAt(x, y)) << x << ", " << y;
  // The diameters, beyond the cursor's ticks (50 pixels each way).
  EXPECT_GT(CountAlong(kEnabled, 95, 40, 115, 40), 4);
  EXPECT_GT(CountAlong(kEnabled, 40, 95, 40, 115), 4);
}

TEST_F(Hover, ArcCaughtBesideItsStartShowsTheLegsToTheStart) {
  Add(2, 40, 40, 80, kPi / 6, kPi / 2);  // starts at (109.28, 80)
  MouseAt(109, 60);
  EXPECT_EQ(editor_.SnapKind, 9);
  EXPECT_TRUE(HandleAt(75, 80));  // P8 on the leg from the centre's vertical to the start
  EXPECT_GT(CountAlong(kEnabled, 45, 80, 68, 80), 6);
  // No legs to the end at (40, 120).
  EXPECT_EQ(CountAlong(kEnabled, 5, 120, 35, 120), 0);  // clear of the Y axis
}

TEST_F(Hover, ScrollBarInUseSearchesOnlyItsElement) {
  Line(20, 20, 120, 20);
  Line(20, 100, 120, 100);
  editor_.PanelScroll->show();
  editor_.ScrollBarIndexTag = 1;
  editor_.PaintView();  // the first repaint sets the bar's maximum
  editor_.ScrollBarIndex->setValue(2);
  MouseAt(21, 21);
  EXPECT_EQ(editor_.HoverIndex, 2);
  editor_.ScrollBarIndexTag = 0;
  MouseAt(21, 21);
  EXPECT_EQ(editor_.HoverIndex, 1);
}

TEST_F(Hover, ClearingLeavesNoHandleAtTheOriginForAPickedItem) {
  Line(20, 20, 120, 20);
  MouseAt(22, 22);
  ASSERT_EQ(editor_.HoverIndex, 1);
  editor_.HoverFeed = 250;
  editor_.ClearHover();
  EXPECT_EQ(editor_.HoverIndex, 0);
  EXPECT_EQ(editor_.HoverFeed, 250);  // the feed outlives a clearing
  for (int k = 1; k <= ConstructionPointCount; ++k)
    EXPECT_EQ(editor_.ConstructionPoints(k).X, NoValue) << k;

  // A turning move picked with its bar fills the record through a clearing.
  ASSERT_TRUE(turn_.OutElements.Add({100, 1, 40, -60, 140, -60, 0, 0}));
  editor_.GroupBoxTurn->show();
  editor_.PaintView();
  editor_.ScrollBarTurn->setValue(1);
  editor_.PaintView();
  EXPECT_EQ(editor_.HoverKind, 1);
  EXPECT_EQ(At(90, -58), Of(kSelect));  // thick, under the dotted line
  EXPECT_FALSE(Near(0, 0, kSelect));
  EXPECT_FALSE(Near(3, 3, kSelect));
}

}  // namespace
}  // namespace movra
