// The editor's navigation driven by synthetic mouse, wheel and key events: pan, zoom window,
// middle drag, the wheel by the focused control, the focus sink's keys, the Esc chain, the
// held zoom buttons, the fit, the pole, the popup menu and the element scroll bar.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>
#include <memory>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "platform/core/application.h"
#include "shell/base/forma_input.h"
#include "tests/qt_test_support.h"

namespace movra {
namespace {

class Navigation : public ::testing::Test {
 protected:
  void SetUp() override {
    editor_ = std::make_unique<TFormaEditor>(windows_, geom_);
    editor_->setMinimumSize(0, 0);
    editor_->resize(800, 600);
    editor_->show();
    editor_->activateWindow();
    ASSERT_TRUE(testing::RunEventLoopUntil([this] { return editor_->isActiveWindow(); }));
    // A button another test left held in the application's record would count as held here.
    for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
      if (QApplication::mouseButtons() & b) QTest::mouseRelease(editor_.get(), b, {}, {1, 1});
    ASSERT_EQ(QApplication::mouseButtons(), Qt::NoButton);
    editor_->FormResize();
    editor_->PressPixel = editor_->MousePixel = {};
    ASSERT_GT(editor_->BackBuffer.width(), 0);
    editor_->EditFocus->setFocus();
    ASSERT_TRUE(testing::RunEventLoopUntil([this] { return editor_->EditFocus->hasFocus(); }));
  }
  void TearDown() override { platform::SetApplicationTag(0); }

  void Line(double x1, double y1, double x2, double y2, double feed = 100) {
    ASSERT_TRUE(geom_.NewElement());
    TFormaGeom::GeomT& e = *geom_.CurElement();
    e.Kind = 1;
    e.V1 = x1, e.V2 = y1, e.V3 = x2, e.V4 = y2;
    e.Feed = feed;
  }

  void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
             Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, buttons, mods);
    QApplication::sendEvent(target, &event);
  }
  void Press(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Mouse(editor_.get(), QEvent::MouseButtonPress, at, button, button, mods);
  }
  void Move(QPoint at, Qt::MouseButtons held, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Mouse(editor_.get(), QEvent::MouseMove, at, Qt::NoButton, held, mods);
  }
  void Release(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Mouse(editor_.get(), QEvent::MouseButtonRelease, at, button, Qt::NoButton, mods);
  }
  // A key as the platform sends it: to the focused control.
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QKeyEvent event(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(target, &event);
  }
  // The wheel as the platform sends it: to the widget under the pointer.
  void Wheel(QWidget* under, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const QPointF at(under->width() / 2.0, under->height() / 2.0);
    QWheelEvent event(at, under->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      mods, Qt::NoScrollPhase, false);
    QApplication::sendEvent(under, &event);
  }

  platform::WindowList windows_;
  TFormaDaten daten_;
  TFormaGeom geom_{daten_, ""};
  std::unique_ptr<TFormaEditor> editor_;
};

TEST_F(Navigation, FitOfOneLine) {
  Line(0, 0, 100, 0);
  Line(-5000, 0, 0, 0, NoValue);  // a rapid move far away does not count
  editor_->CursorX = 4;
  editor_->ActionReferens->trigger();
  EXPECT_DOUBLE_EQ(editor_->ViewScale, 0.75 * editor_->BackBuffer.width() / 100);
  EXPECT_EQ(editor_->ViewCenterX, 50);
  EXPECT_EQ(editor_->ViewCenterY, 0);
  EXPECT_EQ(editor_->CursorX, 0);
  EXPECT_EQ(editor_->ScreenCenterX, editor_->BackBuffer.width() / 2.0);
}

TEST_F(Navigation, LeftDragPansAndCtrlLeftDoesNot) {
  const double cx = editor_->ScreenCenterX, cy = editor_->ScreenCenterY;
  Move({100, 100}, Qt::NoButton);
  Press({100, 100}, Qt::LeftButton);
  Move({150, 120}, Qt::LeftButton);
  EXPECT_EQ(editor_->ScreenCenterX, cx + 50);
  EXPECT_EQ(editor_->ScreenCenterY, cy + 20);
  Release({150, 120}, Qt::LeftButton);
  EXPECT_EQ(editor_->PressPixel, (PixelT{150, 120}));
  EXPECT_EQ(editor_->MousePixel, (PixelT{150, 120}));

  Press({200, 200}, Qt::LeftButton, Qt::ControlModifier);
  Move({260, 260}, Qt::LeftButton, Qt::ControlModifier);
  Release({260, 260}, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(editor_->ScreenCenterX, cx + 50);
  EXPECT_EQ(editor_->ViewScale, 1.0);
}

TEST_F(Navigation, FirstMoveOnlyRecordsThePointer) {
  editor_->MousePixel = {0, 0};
  Move({120, 130}, Qt::NoButton);
  EXPECT_EQ(editor_->MousePixel, (PixelT{120, 130}));
  EXPECT_EQ(editor_->MouseModelX, NoValue);
  Move({121, 130}, Qt::NoButton);
  double x = 0, y = 0;
  editor_->ScreenToWorld(121, 130, x, y);
  EXPECT_EQ(editor_->MouseModelX, x);
  EXPECT_EQ(editor_->MouseModelY, y);
}

TEST_F(Navigation, PlainMovesSearchTheSnapPointAndDragsDoNot) {
  Line(10, 10, 60, 10);
  editor_->ViewCenterX = editor_->ViewCenterY = 0;
  editor_->ScreenCenterX = 400;
  editor_->ScreenCenterY = 300;
  Move({455, 292}, Qt::NoButton);  // the first move only records the pointer
  Move({458, 291}, Qt::NoButton);  // model (58, 9): nearest the end (60, 10)
  EXPECT_EQ(editor_->CursorX, 60);
  EXPECT_EQ(editor_->CursorY, 10);
  Move({412, 291}, Qt::NoButton, Qt::ShiftModifier);  // near the start, Shift held
  EXPECT_EQ(editor_->CursorX, 60);
  Press({412, 291}, Qt::LeftButton);
  Move({411, 290}, Qt::LeftButton);
  EXPECT_EQ(editor_->CursorX, 60);
  Release({411, 290}, Qt::LeftButton);
  Move({411, 291}, Qt::NoButton);
  EXPECT_EQ(editor_->CursorX, 10);
}

TEST_F(Navigation, ZoomWindowFromButtonToRelease) {
  editor_->SpeedButtonWindow->click();
  ASSERT_TRUE(editor_->SpeedButtonWindow->isChecked());
  editor_->ViewCenterX = editor_->ViewCenterY = 0;
  editor_->ScreenCenterX = 400;
  editor_->ScreenCenterY = 300;
  Move({401, 300}, Qt::NoButton);  // the first move only records the pointer
  Move({400, 300}, Qt::NoButton);  // model (0, 0)
  Press({400, 300}, Qt::LeftButton);
  Move({500, 250}, Qt::LeftButton);  // model (100, 50)
  EXPECT_EQ(editor_->WindowRect, (std::array<double, 4>{0, 0, 100, 50}));
  Release({500, 250}, Qt::LeftButton);
  EXPECT_FALSE(editor_->SpeedButtonWindow->isChecked());
  EXPECT_EQ(editor_->WindowRect, (std::array<double, 4>{}));
  EXPECT_EQ(editor_->ViewCenterX, 50);
  EXPECT_EQ(editor_->ViewCenterY, 25);
  const double w = editor_->BackBuffer.width(), h = editor_->BackBuffer.height();
  EXPECT_DOUBLE_EQ(editor_->ViewScale, std::min(w / 100, h / 50));
}

TEST_F(Navigation, MiddleButtonCentresOnTheCursorAndDragZooms) {
  editor_->CursorX = 30;
  editor_->CursorY = 40;
  Press({300, 300}, Qt::MiddleButton);
  EXPECT_EQ(editor_->ViewCenterX, 30);
  EXPECT_EQ(editor_->ViewCenterY, 40);
  editor_->PressPixel = {300, 300};
  Move({310, 300}, Qt::MiddleButton);
  EXPECT_DOUBLE_EQ(editor_->ViewScale, 1.125);
  EXPECT_EQ(editor_->ScreenCenterX, editor_->BackBuffer.width() / 2.0);
  Move({305, 300}, Qt::MiddleButton);
  EXPECT_DOUBLE_EQ(editor_->ViewScale, 1.0);
  Release({305, 300}, Qt::MiddleButton);
}

TEST_F(Navigation, WheelActsByTheFocusedControl) {
  // Focus sink focused: the wheel zooms wherever the pointer is, also over the memo.
  editor_->PanelMemo->show();
  Wheel(editor_.get(), -120);
  EXPECT_DOUBLE_EQ(editor_->ViewScale, 1.125);
  Wheel(editor_->Memo->viewport(), 120);
  EXPECT_DOUBLE_EQ(editor_->ViewScale, 1.0);

  // Memo focused: Ctrl+wheel changes its font by 2 points (its own zoom does not add to it),
  // a plain wheel leaves the drawing alone.
  editor_->Memo->setFocus();
  ASSERT_TRUE(testing::RunEventLoopUntil([this] { return editor_->Memo->hasFocus(); }));
  QFont f = editor_->Memo->font();
  f.setPointSize(12);
  editor_->Memo->setFont(f);
  Wheel(editor_->Memo->viewport(), -120, Qt::ControlModifier);
  EXPECT_EQ(editor_->Memo->font().pointSize(), 14);
  Wheel(editor_.get(), 120, Qt::ControlModifier);
  EXPECT_EQ(editor_->Memo->font().pointSize(), 12);
  Wheel(editor_.get(), -120);
  EXPECT_EQ(editor_->Memo->font().pointSize(), 12);
  EXPECT_DOUBLE_EQ(editor_->ViewScale, 1.0);
  f.setPointSize(29);
  editor_->Memo->setFont(f);
  Wheel(editor_->Memo->viewport(), -120, Qt::ControlModifier);
  EXPECT_EQ(editor_->Memo->font().pointSize(), 30);
}

TEST_F(Navigation, FocusSinkKeys) {
  const double cx = editor_->ScreenCenterX, cy = editor_->ScreenCenterY;
  Key(Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_DOUBLE_EQ(editor_->ViewScale, 1.25);
  Key(Qt::Key_Plus);  // the "+" of the main keyboard is no zoom key
  EXPECT_DOUBLE_EQ(editor_->ViewScale, 1.25);
  Key(Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_DOUBLE_EQ(editor_->ViewScale, 1.0);
  Key(Qt::Key_Right);
  Key(Qt::Key_Down, Qt::KeypadModifier);  // a keypad arrow is a plain arrow
  EXPECT_EQ(editor_->ScreenCenterX, cx + 50);
  EXPECT_EQ(editor_->ScreenCenterY, cy + 50);
  Key(Qt::Key_Left, Qt::ShiftModifier);  // with a key held: nothing
  Key(Qt::Key_Up, Qt::ControlModifier);
  Key(Qt::Key_Plus, Qt::KeypadModifier | Qt::AltModifier);
  EXPECT_EQ(editor_->ScreenCenterX, cx + 50);
  EXPECT_EQ(editor_->ScreenCenterY, cy + 50);
  EXPECT_DOUBLE_EQ(editor_->ViewScale, 1.0);
  EXPECT_TRUE(editor_->EditFocus->hasFocus());  // the arrows did not move the focus
}

TEST_F(Navigation, KeysElsewhereDoNotNavigate) {
  editor_->PanelMemo->show();
  editor_->Memo->setFocus();
  ASSERT_TRUE(testing::RunEventLoopUntil([this] { return editor_->Memo->hasFocus(); }));
  const double cx = editor_->ScreenCenterX;
  Key(Qt::Key_Right);
  Key(Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(editor_->ScreenCenterX, cx);
  EXPECT_EQ(editor_->ViewScale, 1.0);
}

TEST_F(Navigation, EscapeChain) {
  QPlainTextEdit* iso = editor_->MemoIso;
  editor_->PanelMemo->show();
  iso->show();
  editor_->SpeedButtonWindow->setChecked(true);
  platform::SetApplicationTag(1);

  Key(Qt::Key_Escape);
  EXPECT_EQ(platform::ApplicationTag(), 0);
  EXPECT_TRUE(iso->isVisible());
  Key(Qt::Key_Escape);
  EXPECT_FALSE(iso->isVisible());
  EXPECT_TRUE(editor_->SpeedButtonWindow->isChecked());
  Key(Qt::Key_Escape);
  EXPECT_FALSE(editor_->SpeedButtonWindow->isChecked());
  editor_->SpeedButtonWindowPlusMouseDown();
  Key(Qt::Key_Escape);
  EXPECT_FALSE(editor_->Timer->isActive());
  EXPECT_EQ(editor_->ZoomRepeat, 0);
  EXPECT_TRUE(editor_->isVisible());

  // Moved since the last click: the first Esc only repaints, the next closes.
  Press({100, 100}, Qt::LeftButton);
  Release({100, 100}, Qt::LeftButton);
  Move({140, 100}, Qt::NoButton);
  Key(Qt::Key_Escape);
  EXPECT_TRUE(editor_->isVisible());
  Key(Qt::Key_Escape);
  EXPECT_FALSE(editor_->isVisible());
}

TEST_F(Navigation, EscapeWithTheMouseStillClosesAtOnce) {
  Press({100, 100}, Qt::LeftButton);
  Release({100, 100}, Qt::LeftButton);
  Key(Qt::Key_Escape);
  EXPECT_FALSE(editor_->isVisible());
}

TEST_F(Navigation, HeldZoomButtonRepeatsTenTimesASecond) {
  EXPECT_EQ(editor_->Timer->interval(), 100);
  Mouse(editor_->SpeedButtonWindowPlus, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton,
        Qt::LeftButton);
  EXPECT_TRUE(editor_->Timer->isActive());
  EXPECT_EQ(editor_->ZoomRepeat, 1);
  EXPECT_EQ(editor_->ViewScale, 1.0);  // the first step comes with the first tick
  for (int tick = 0; tick < 10; ++tick) editor_->TimerTimer();  // one second of ticks
  EXPECT_NEAR(editor_->ViewScale, 9.3132, 1e-4);
  Mouse(editor_->SpeedButtonWindowPlus, QEvent::MouseButtonRelease, {3, 3}, Qt::LeftButton,
        Qt::NoButton);
  EXPECT_FALSE(editor_->Timer->isActive());
  EXPECT_EQ(editor_->ZoomRepeat, 0);

  // Held for real, the ticks come from the timer; each divides by 1.25.
  Mouse(editor_->SpeedButtonWindowMinus, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton,
        Qt::LeftButton);
  EXPECT_EQ(editor_->ZoomRepeat, 2);
  const double start = editor_->ViewScale;
  ASSERT_TRUE(testing::RunEventLoopUntil([&] { return editor_->ViewScale < start / 1.5; }));
  Mouse(editor_->SpeedButtonWindowMinus, QEvent::MouseButtonRelease, {3, 3}, Qt::LeftButton,
        Qt::NoButton);
  const double steps = std::log(start / editor_->ViewScale) / std::log(1.25);
  EXPECT_NEAR(steps, std::round(steps), 1e-9);

  // A press in the drawing ends the repeat too.
  editor_->SpeedButtonWindowPlusMouseDown();
  Press({50, 50}, Qt::LeftButton);
  EXPECT_FALSE(editor_->Timer->isActive());
  Release({50, 50}, Qt::LeftButton);
}

TEST_F(Navigation, PoleToggleAndAxes) {
  // The pole actions wait for elements; returning the pole waits for a pole.
  editor_->FormPaint();
  EXPECT_FALSE(editor_->ActionReferens0->isEnabled());
  EXPECT_FALSE(editor_->ActionPolus->isEnabled());
  Line(0, 0, 10, 0);
  editor_->FormPaint();
  editor_->CursorX = 12;
  editor_->CursorY = -3;
  editor_->ActionReferens0->trigger();
  EXPECT_EQ(editor_->PoleX, 12);
  EXPECT_EQ(editor_->PoleY, -3);
  editor_->FormPaint();
  ASSERT_TRUE(editor_->ActionPolus->isEnabled());
  editor_->ActionPolus->trigger();
  EXPECT_EQ(editor_->PoleX, 0);
  EXPECT_EQ(editor_->PoleY, 0);
  editor_->ActionReferensX->trigger();
  EXPECT_EQ(editor_->PoleX, 12);
  EXPECT_EQ(editor_->PoleY, 0);
  editor_->ActionReferensY->trigger();
  EXPECT_EQ(editor_->PoleY, -3);
  editor_->FormPaint();
  ASSERT_TRUE(editor_->SpeedButtonPolus->isEnabled());
  editor_->SpeedButtonPolus->click();
  EXPECT_EQ(editor_->PoleX, 0);
  EXPECT_EQ(editor_->PoleY, 0);
}

TEST_F(Navigation, DoubleClickSetsThePoleOrCancels) {
  editor_->CursorX = 7;
  editor_->CursorY = 8;
  platform::SetApplicationTag(1);
  Mouse(editor_.get(), QEvent::MouseButtonDblClick, {60, 60}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(platform::ApplicationTag(), 0);
  EXPECT_EQ(editor_->PoleX, 0);
  Mouse(editor_.get(), QEvent::MouseButtonDblClick, {60, 60}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(editor_->PoleX, 7);
  EXPECT_EQ(editor_->PoleY, 8);
}

TEST_F(Navigation, TypedPoleCoordinates) {
  TFormaInput input;
  editor_->FormaInput = &input;
  Line(0, 0, 10, 0);
  editor_->FormPaint();
  const auto answer = [](const QString& text, bool ok) {
    testing::WhenModalShows<TFormaInput>([text, ok](TFormaInput* dialog) {
      dialog->Edit->setText(text);
      (ok ? dialog->ButtonOk : dialog->ButtonCancel)->click();
    });
  };
  answer(QStringLiteral("x10 y-5"), true);
  editor_->ActionReferensInput->trigger();
  EXPECT_EQ(editor_->PoleX, 10);
  EXPECT_EQ(editor_->PoleY, -5);
  answer(QStringLiteral("y3"), true);
  editor_->ActionReferensInput->trigger();
  EXPECT_EQ(editor_->PoleX, 10);
  EXPECT_EQ(editor_->PoleY, 3);
  answer(QStringLiteral("x99"), false);
  editor_->ActionReferensInput->trigger();
  EXPECT_EQ(editor_->PoleX, 10);
}

TEST_F(Navigation, PopupMenuOnlyForAPlainRightClick) {
  Press({80, 80}, Qt::RightButton, Qt::ControlModifier);
  Release({80, 80}, Qt::RightButton, Qt::ControlModifier);
  QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(80, 80),
                        editor_->mapToGlobal(QPoint(80, 80)));
  QApplication::sendEvent(editor_.get(), &key);
  EXPECT_FALSE(editor_->PopupMenuDefault->isVisible());
  Press({80, 80}, Qt::RightButton);
  Release({80, 80}, Qt::RightButton);
  EXPECT_TRUE(editor_->PopupMenuDefault->isVisible());
  editor_->PopupMenuDefault->close();
}

TEST_F(Navigation, ElementScrollBarFocusMark) {
  Line(0, 0, 10, 0);
  Line(10, 0, 10, 10);
  editor_->PanelScroll->show();
  editor_->ScrollBarIndex->setFocus();
  ASSERT_TRUE(testing::RunEventLoopUntil([this] { return editor_->ScrollBarIndexTag == 1; }));
  EXPECT_EQ(editor_->ScrollBarIndex->maximum(), 2);
  editor_->EditFocus->setFocus();
  ASSERT_TRUE(testing::RunEventLoopUntil([this] { return editor_->ScrollBarIndexTag == 0; }));
}

TEST_F(Navigation, PressTakesTheFocusIntoTheSink) {
  editor_->PanelMemo->show();
  editor_->Memo->setFocus();
  ASSERT_TRUE(testing::RunEventLoopUntil([this] { return editor_->Memo->hasFocus(); }));
  Press({30, 400}, Qt::RightButton, Qt::ShiftModifier);
  EXPECT_TRUE(editor_->EditFocus->hasFocus());
  Release({30, 400}, Qt::RightButton, Qt::ShiftModifier);
}

}  // namespace
}  // namespace movra
