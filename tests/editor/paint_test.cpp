// The repaint read back from the picture: pens by correction side, markers, rapid moves,
// overlays, and the label and status texts.
#include <gtest/gtest.h>

#include <QAction>
#include <QColor>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "platform/core/application.h"
#include "platform/qt/colors.h"
#include "shell/base/folders.h"
#include "shell/base/forma_settings.h"
#include "tests/editor/paint_support.h"
#include "tests/qt_test_support.h"

namespace movra {
namespace {

using platform::ColorValue;
constexpr double kPi = std::numbers::pi;

using namespace testing;  // the fixture Paint and the colours of its picture

TEST_F(Paint, G41LineInTheLeftCorrectionColour) {
  Line(10, 80, 150, 80, 1);
  editor_.PaintView();
  // Solid before the first activation; the last pixel is left to the next line.
  EXPECT_EQ(CountAlong(kLeft, 10, 80, 150, 80), 140);
  EXPECT_EQ(At(150, 80), Of(kBrush));
  EXPECT_EQ(At(0, 79), Of(kBrush));
}

TEST_F(Paint, DepartureAfterG42KeepsItsColourOnce) {
  Line(-150, 80, 150, 80, 2);
  Line(-150, 60, 150, 60, 0);  // the departure of the right-corrected contour
  Line(-150, -60, 150, -60, 0);
  Line(-150, -80, 150, -80, 1);
  Line(-150, 100, 150, 100, 0);  // after a G41 element: its colour
  editor_.PaintView();
  EXPECT_EQ(At(100, 80), Of(kRight));
  EXPECT_EQ(At(100, 60), Of(kRight));
  EXPECT_EQ(At(100, -60), Of(kDefault));
  EXPECT_EQ(At(100, -80), Of(kLeft));
  EXPECT_EQ(At(100, 100), Of(kLeft));
}

TEST_F(Paint, ElementsAreDottedOnceActivatedAndSolidWhenTheirGeometryIsHovered) {
  Line(10, 80, 150, 80, 0);
  editor_.Activated = 1;
  editor_.PaintView();
  EXPECT_EQ(CountAlong(kDefault, 10, 80, 150, 80), 71);  // three on, three off
  editor_.HoverNumber = 1;
  editor_.PaintView();
  EXPECT_EQ(CountAlong(kDefault, 10, 80, 150, 80), 140);
}

TEST_F(Paint, RapidMoveIsDottedInTheRapidColourEvenWhenHovered) {
  Line(-150, 80, 150, 80, 1, NoValue);
  editor_.HoverNumber = 1;
  editor_.PaintView();
  const int rapid = CountAlong(kRapid, -150, 80, 150, 80);
  EXPECT_GT(rapid, 100);
  EXPECT_LT(rapid, 200);
  EXPECT_EQ(CountAlong(kLeft, -150, 80, 150, 80), 0);
}

TEST_F(Paint, ZeroLengthLineDrawsTheDottedCrossAndWithTwoZNothing) {
  Line(100, 80, 100, 80, 1);
  TFormaGeom::GeomT& plunge = Line(-100, 80, -100, 80, 1);
  plunge.V5 = 0;
  plunge.ZLevel = -5;
  editor_.PaintView();
  // Twenty pixels across and down, dotted, in the cursor colour.
  const int across = CountAlong(kCursor, 90, 80, 110, 80);
  const int down = CountAlong(kCursor, 100, 90, 100, 70);
  EXPECT_GE(across, 6);
  EXPECT_LT(across, 21);
  EXPECT_GE(down, 6);
  EXPECT_LT(down, 21);
  EXPECT_EQ(At(112, 80), Of(kBrush));
  EXPECT_EQ(At(102, 82), Of(kBrush));
  // A plunge at one place draws nothing visible.
  EXPECT_EQ(CountAlong(kCursor, -110, 80, -90, 80), 0);
  EXPECT_FALSE(Near(-100, 80, kLeft));
}

TEST_F(Paint, ArcOfRadiusZeroDrawsThePointMarker) {
  Add(2, 100, -80, 0, 0, 1);
  editor_.PaintView();
  EXPECT_GE(CountAlong(kCursor, 90, -80, 110, -80), 6);
  EXPECT_GE(CountAlong(kCursor, 100, -70, 100, -90), 6);
}

TEST_F(Paint, FullCircleWhereStartMeetsEndAndQuarterArcOtherwise) {
  Add(2, 100, -80, 30, 0, 2 * kPi);
  Add(2, -100, -80, 30, 0, kPi / 2);
  editor_.PaintView();
  for (auto [x, y] : {std::pair{130, -80}, {70, -80}, {100, -50}, {100, -110}})
    EXPECT_TRUE(Near(x, y, kDefault)) << x << " " << y;
  EXPECT_TRUE(Near(-70, -80, kDefault));
  EXPECT_TRUE(Near(-100, -50, kDefault));
  EXPECT_FALSE(Near(-130, -80, kDefault));  // not on the quarter
  EXPECT_FALSE(Near(-100, -110, kDefault));
}

TEST_F(Paint, BaseCirclesInARowLeaveNoStrayCircles) {
  std::string error;
  geom_.FromEditor = 1;
  geom_.InterpretProgram({"X-100 Y-100 R20", "X-100 Y0 R20", "X-100 Y100 R20"}, error);
  ASSERT_EQ(error, "");
  ASSERT_GE(geom_.ElementCount(), 3);
  editor_.PaintView();
  EXPECT_TRUE(Near(-80, -50, kDefault));    // the tangent lines on the right
  EXPECT_TRUE(Near(-80, 50, kDefault));
  EXPECT_FALSE(Near(-120, -100, kDefault));  // no ring round the first circle
  EXPECT_FALSE(Near(-100, -80, kDefault));
  EXPECT_FALSE(Near(-120, 5, kDefault));     // nor round the second
}

TEST_F(Paint, HoleCirclesOfTheGeometryAtBothEnds) {
  geom_.GeomParams(1)(1) = 20;  // D20
  Line(-100, 80, 100, 80);
  editor_.PaintView();
  // Outlined in the drilling colour around each end, filled with the background.
  EXPECT_EQ(At(-90, 80), Of(kDrill));
  EXPECT_EQ(At(110, 80), Of(kDrill));
  EXPECT_EQ(At(100, 90), Of(kDrill));
  EXPECT_EQ(At(-100, 85), Of(kBrush));
}

TEST_F(Paint, ElementPickedWithTheScrollBarIsThickAndMovesTheCursor) {
  Line(-150, 80, 100, 80);
  Line(100, 80, 100, -80);
  editor_.PanelScroll->show();
  editor_.ScrollBarIndexTag = 1;
  editor_.PaintView();  // the first repaint sets the bar's maximum
  editor_.ScrollBarIndex->setValue(2);
  editor_.PaintView();
  EXPECT_EQ(editor_.CursorX, 100);
  EXPECT_EQ(editor_.CursorY, -80);
  EXPECT_EQ(At(99, 0), Of(kSelect));
  EXPECT_EQ(At(101, 0), Of(kSelect));
  EXPECT_EQ(At(0, 80), Of(kDefault));
  // No axes: the origin square is not drawn.
  EXPECT_EQ(CountAlong(kEnabled, -20, 20, 20, 20), 0);
}

TEST_F(Paint, AxesAndTheOriginSquare) {
  Line(-150, 80, 150, 80);
  editor_.PoleX = 100;
  editor_.PoleY = -60;
  editor_.PaintView();
  EXPECT_GT(CountAlong(kEnabled, -20, 20, 20, 20), 5);      // dotted 40-pixel square
  EXPECT_GT(CountAlong(kCursor, 80, -40, 120, -40), 5);     // the pole's, in the cursor colour
  EXPECT_GT(CountAlong(kEnabled, 60, 0, 190, 0), 50);       // dash-dot X axis
  EXPECT_GT(CountAlong(kEnabled, 0, 60, 0, 140), 30);       // and Y axis
  EXPECT_EQ(At(5, 3), Of(kCursor));                         // cursor square, not latched
  EXPECT_EQ(At(3, 3), Of(kBrush));
}

TEST_F(Paint, TurningAndPocketOverlays) {
  Line(-150, 100, 150, 100);
  ASSERT_TRUE(turn_.OutElements.Add({100, 1, -150, 60, 150, 60, 0, 1}));
  ASSERT_TRUE(turn_.OutElements.Add({NoValue, 1, -150, 40, 150, 40, 0, 0}));
  TFormaEditorInsel::InselT offset;
  offset.Kind = 1;
  offset.V1 = -150, offset.V2 = -60, offset.V3 = 150, offset.V4 = -60;
  ASSERT_TRUE(insel_.Offsets.Add(offset));
  editor_.PaintView();
  EXPECT_EQ(At(100, 60), Of(kBrush));  // the panels are hidden
  EXPECT_EQ(At(100, -60), Of(kBrush));

  editor_.GroupBoxTurn->show();
  editor_.GroupBoxInsel->show();
  editor_.ScrollBarTurn->setValue(0);
  editor_.PaintView();
  EXPECT_EQ(At(100, 60), Of(kLeft));
  EXPECT_GT(CountAlong(kRapid, -150, 40, 150, 40), 100);
  EXPECT_EQ(At(100, -60), Of(0x0000FF));  // offsets in pure red
}

TEST_F(Paint, ToolSymbolAtTheToolPoint) {
  Line(-150, 80, 100, 80);
  editor_.PanelScroll->show();
  editor_.ScrollBarIndexTag = 1;
  editor_.ToolDefined = 1;
  editor_.ComboBoxTool->show();
  editor_.PaintView();
  editor_.ScrollBarIndex->setValue(1);  // tool point: the end (100, 80), fed
  editor_.ToolRadius = 30;
  editor_.PaintView();
  EXPECT_TRUE(Near(130, 80, kDefault));  // a circle of the tool's radius
  EXPECT_TRUE(Near(100, 50, kDefault));

  // A drill of point angle 0 or a half turn has no tip: nothing, and no wild lines.
  for (double angle : {0.0, kPi}) {
    editor_.ToolAngle1 = angle;
    editor_.PaintView();
    EXPECT_FALSE(Near(130, 80, kDefault)) << angle;
    EXPECT_FALSE(Near(100, 40, kDefault)) << angle;
  }
  // A drill of 90 degrees: the tip lines from the point.
  editor_.ToolRadius = 20;
  editor_.ToolAngle1 = kPi / 2;
  editor_.PaintView();
  EXPECT_TRUE(Near(110, 90, kDefault));
}

TEST_F(Paint, LabelAndStatusTexts) {
  Line(-150, 80, 150, 80, 1, 200);
  editor_.MouseModelX = 12.5;
  editor_.MouseModelY = -3;
  editor_.MousePixel = {250, 120};
  editor_.HoverIndex = 1;
  editor_.HoverNumber = 1;
  editor_.HoverKind = 1;
  editor_.HoverGeom = {0, 0, 10, 0, 0, -5};
  editor_.HoverCorr = 1;
  editor_.HoverFeed = 200;
  editor_.CursorX = 10;
  editor_.CursorY = 0;
  editor_.PaintView();
  EXPECT_EQ(editor_.LabelTexts,
            (QStringList{"x= 12.5", "y= -3", "z= -5", "n= 1", "g41 / f200"}));
  const auto panel = [this](int i) { return editor_.StatusPanels[i]->text(); };
  EXPECT_EQ(panel(0), "x 10");
  EXPECT_EQ(panel(1), "y 0");
  EXPECT_EQ(panel(2), "z= 0 / -5");
  EXPECT_EQ(panel(3), "l 10");
  EXPECT_EQ(panel(4), "a 0");
  EXPECT_EQ(panel(5), "l [ 10 / 0 ]");
  // The labels stand beside the mouse on the background colour.
  bool text = false;
  for (int x = 260; x < 330 && !text; ++x)
    for (int y = 107; y < 120 && !text; ++y)
      text = editor_.BackBuffer.pixelColor(x, y) == Of(settings_->ColorTextMessage);
  EXPECT_TRUE(text);

  // With the diameter display; nothing hovered keeps panel 5.
  editor_.ActionDiametr->setChecked(true);
  editor_.HoverKind = 0;
  editor_.PaintView();
  EXPECT_EQ(editor_.LabelTexts[1], "d= -6");
  EXPECT_EQ(panel(1), "d 0");
  EXPECT_EQ(panel(5), "l [ 10 / 0 ]");
}

TEST_F(Paint, PaintDuringARunKeepsTheLastPictureAndTheCurrentElement) {
  Line(-150, 80, 150, 80, 1);
  Line(-150, 60, 150, 60, 1);
  geom_.SetCurElement(1);
  editor_.PaintView();
  EXPECT_EQ(geom_.CurElementSlot(), 1);
  const QImage before = editor_.BackBuffer.copy();
  geom_.Busy = 1;  // a run in progress, half-way through rebuilding the store
  geom_.ClearElements();
  editor_.PaintView();
  geom_.Busy = 0;
  EXPECT_EQ(editor_.BackBuffer, before);
  // The same while a pocket computation runs.
  platform::SetApplicationTag(1);
  editor_.PaintView();
  platform::SetApplicationTag(0);
  EXPECT_EQ(editor_.BackBuffer, before);
}

TEST_F(Paint, ValuesOutsideTheRealsOrThePictureDrawNothingWild) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Line(nan, 0, 100, 100);
  Line(-inf, 70, inf, 70);
  Add(2, 0, 0, inf, 0, 1);
  Add(2, nan, 0, 5, 0, 1);
  Add(2, 0, 0, 1e300, 0, 1);
  Line(-1e7, 80, 1e7, 80);      // far ends: cut to the picture, still seen
  Line(-1e300, 90, 1e300, 90);  // beyond any precision: only no harm
  Line(1e6, 1e6, 2e6, 2e6);     // beyond the same corner: skipped
  editor_.PaintView();
  EXPECT_EQ(CountAlong(kDefault, 10, 80, 190, 80), 181);
  EXPECT_EQ(At(50, 100), Of(kBrush));  // the line from a NaN end is skipped
  editor_.ViewScale = 1e-300;
  editor_.PaintView();
  editor_.ViewScale = 1e300;
  editor_.PaintView();
  SUCCEED();
}

TEST_F(Paint, NothingWithoutSettingsAndTheActionsFollowTheStore) {
  editor_.FormaSettings = nullptr;
  editor_.BackBuffer.fill(Qt::blue);
  editor_.PaintView();
  EXPECT_EQ(editor_.BackBuffer.pixelColor(5, 5), QColor(Qt::blue));
  editor_.FormaSettings = settings_.get();

  editor_.FormPaint();
  EXPECT_FALSE(editor_.ActionDiametr->isEnabled());
  EXPECT_FALSE(editor_.ActionPolus->isEnabled());
  Line(-150, 80, 150, 80);
  editor_.PoleX = 3;
  editor_.FormPaint();
  EXPECT_TRUE(editor_.ActionDiametr->isEnabled());
  EXPECT_TRUE(editor_.ActionReferensInput->isEnabled());
  EXPECT_TRUE(editor_.ActionPolus->isEnabled());
}

// Counts the paint events a window receives.
struct PaintCounter : QObject {
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST_F(Paint, ShownWindowComesToRestAfterPainting) {
  Line(-150, 80, 150, 80, 1);
  editor_.MousePixel = {250, 120};
  editor_.HoverKind = 1;  // panel 5 gets a text, the labels are written
  editor_.show();
  PaintCounter counter;
  editor_.installEventFilter(&counter);
  ASSERT_TRUE(testing::RunEventLoopUntil([&] { return counter.paints > 0; }));
  // The start timer's one re-interpretation after the activation is a repaint of its own.
  ASSERT_TRUE(testing::RunEventLoopUntil([&] { return !editor_.TimerStart->isActive(); }));
  // The texts set by the repaint must not ask for another one.
  testing::RunEventLoop(50);
  counter.paints = 0;
  testing::RunEventLoop(200);
  EXPECT_EQ(counter.paints, 0);
  editor_.hide();
}

TEST_F(Paint, ResizeSizesThePictureAndFitsTheView) {
  Line(0, 0, 100, 0);
  editor_.resize(800, 600);
  editor_.FormResize();
  EXPECT_EQ(editor_.BackBuffer.width(), 800);
  EXPECT_EQ(editor_.BackBuffer.height(), 600 - editor_.StatusBar->sizeHint().height());
  EXPECT_DOUBLE_EQ(editor_.ViewScale, 0.75 * 800 / 100);
  EXPECT_DOUBLE_EQ(editor_.ViewCenterX, 50);
}

}  // namespace
}  // namespace movra
