// The editor's navigation: mouse gestures, wheel, keys, the Esc chain, the repeating zoom
// buttons, the fit to extents, the pole and the element scroll bar. What a step does to the
// view is in navigation.cpp; here the window's events are read and forwarded.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include "editor/forma_editor.h"
#include "platform/core/application.h"
#include "shell/base/forma_input.h"

namespace movra {

namespace {

// Interval of the zoom-button repeat: ten steps a second.
constexpr int kZoomRepeatMs = 100;
// Side of the focus sink; it draws nothing.
constexpr int kEditFocusSize = 13;

// The buttons and keys of a Qt event as one exact state. The keypad flag and the meta key do
// not count: a keypad arrow is a plain arrow.
ShiftState ShiftOf(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers) {
  ShiftState s = 0;
  if (Modifiers & Qt::ShiftModifier) s |= ShiftShift;
  if (Modifiers & Qt::AltModifier) s |= ShiftAlt;
  if (Modifiers & Qt::ControlModifier) s |= ShiftCtrl;
  if (Buttons & Qt::LeftButton) s |= ShiftLeft;
  if (Buttons & Qt::RightButton) s |= ShiftRight;
  if (Buttons & Qt::MiddleButton) s |= ShiftMiddle;
  return s;
}

ShiftState ShiftOf(const QMouseEvent& Event) {
  return ShiftOf(Event.buttons(), Event.modifiers());
}

bool Shown(const QWidget* w) { return w != nullptr && w->isVisible(); }


// The window's key preview and wheel dispatch: one filter over every widget of the editor,
// so that a key reaches the window before the focused control (as Esc must), and the wheel
// acts by the focused control rather than by the widget under the pointer.
class NavigationFilter : public QObject {
 public:
  explicit NavigationFilter(TFormaEditor& Editor) : QObject(&Editor), editor_(Editor) {}

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    const QEvent::Type type = Event->type();
    if (type != QEvent::KeyPress && type != QEvent::Wheel && type != QEvent::FocusIn &&
        type != QEvent::FocusOut)
      return false;
    auto* widget = qobject_cast<QWidget*>(Watched);
    if (widget == nullptr || widget->window() != &editor_) return false;
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
      if (widget == editor_.ScrollBarIndex) {
        if (type == QEvent::FocusIn)
          editor_.ScrollBarIndexEnter();
        else
          editor_.ScrollBarIndexExit();
      }
      return false;
    }
    if (type == QEvent::Wheel) {
      const auto& wheel = static_cast<const QWheelEvent&>(*Event);
      return editor_.FormMouseWheel(ShiftOf(wheel.buttons(), wheel.modifiers()),
                                    wheel.angleDelta().y());
    }
    // A key passed on to the parents comes by again: only its first receiver counts.
    QWidget* first = QApplication::focusWidget();
    if (first == nullptr || first->window() != &editor_) first = &editor_;
    if (widget != first) return false;
    const auto& key = static_cast<const QKeyEvent&>(*Event);
    if (key.key() == Qt::Key_Escape) {
      editor_.FormKeyDown(key.key());
      // After the window, the colour list takes its Esc: the row's fixed colour.
      if (widget == editor_.ComboBoxColor) editor_.ComboBoxColorKeyDown(key.key());
      return true;  // Esc goes no further: the dialog would close at the first one
    }
    if (widget == editor_.EditFocus && editor_.EditFocusKeyDown(key.key(), key.modifiers())) {
      editor_.FormKeyDown(key.key());
      return true;
    }
    editor_.FormKeyDown(key.key());
    return false;
  }

 private:
  TFormaEditor& editor_;
};

}  // namespace

// ---- Set-up ----

void TFormaEditor::SetUpNavigation() {
  const auto named = [](QObject* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
  };
  auto* bar = static_cast<QHBoxLayout*>(toolBar_->layout());
  const auto button = [this, &named](const char* name, const char* hint) {
    auto* b = new QToolButton(toolBar_);
    named(b, name);
    b->setToolTip(QString::fromLatin1(hint));
    return b;
  };
  SpeedButtonWindowMinus = button("SpeedButtonWindowMinus", "Zoom Out");
  SpeedButtonWindowMinus->setText(QStringLiteral("-"));
  SpeedButtonWindowPlus = button("SpeedButtonWindowPlus", "Zoom In");
  SpeedButtonWindowPlus->setText(QStringLiteral("+"));
  ActionReferens = new QAction(QStringLiteral("Zoom All"), this);
  named(ActionReferens, "ActionReferens");
  SpeedButtonReferens = button("SpeedButtonReferens", "Zoom All");
  SpeedButtonReferens->setDefaultAction(ActionReferens);
  SpeedButtonWindow->setText(QStringLiteral("[ ]"));
  SpeedButtonPolus->setText(QStringLiteral("0"));
  // After the zoom-window button, ahead of the pole button.
  const int at = bar->indexOf(SpeedButtonWindow) + 1;
  bar->insertWidget(at, SpeedButtonWindowMinus);
  bar->insertWidget(at + 1, SpeedButtonWindowPlus);
  bar->insertWidget(at + 2, SpeedButtonReferens);

  // A plain focusable widget: an edit line would swallow the arrows and type "+" and "-".
  EditFocus = new QWidget(toolBar_);
  named(EditFocus, "EditFocus");
  EditFocus->setFocusPolicy(Qt::StrongFocus);
  EditFocus->setFixedSize(kEditFocusSize, kEditFocusSize);
  bar->addWidget(EditFocus);

  Timer = new QTimer(this);
  named(Timer, "Timer");
  Timer->setInterval(kZoomRepeatMs);
  connect(Timer, &QTimer::timeout, this, &TFormaEditor::TimerTimer);
  connect(SpeedButtonWindowPlus, &QToolButton::pressed, this,
          &TFormaEditor::SpeedButtonWindowPlusMouseDown);
  connect(SpeedButtonWindowMinus, &QToolButton::pressed, this,
          &TFormaEditor::SpeedButtonWindowMinusMouseDown);
  connect(SpeedButtonWindowPlus, &QToolButton::released, this, &TFormaEditor::TimeStop);
  connect(SpeedButtonWindowMinus, &QToolButton::released, this, &TFormaEditor::TimeStop);
  connect(SpeedButtonWindow, &QToolButton::clicked, this, &TFormaEditor::SpeedButtonWindowClick);
  connect(ActionReferens, &QAction::triggered, this, &TFormaEditor::ActionReferensExecute);
  connect(SpeedButtonPolus, &QToolButton::clicked, this, &TFormaEditor::ActionPolusExecute);
  connect(ActionPolus, &QAction::triggered, this, &TFormaEditor::ActionPolusExecute);
  connect(ActionReferens0, &QAction::triggered, this, &TFormaEditor::ActionReferens0Execute);
  connect(ActionReferensX, &QAction::triggered, this, &TFormaEditor::ActionReferensXExecute);
  connect(ActionReferensY, &QAction::triggered, this, &TFormaEditor::ActionReferensYExecute);
  connect(ActionReferensInput, &QAction::triggered, this,
          &TFormaEditor::ActionReferensInputExecute);
  // The checks change what the picture shows.
  connect(ActionDiametr, &QAction::toggled, this, [this] { update(); });
  connect(ActionParameter, &QAction::toggled, this, [this] { update(); });

  PopupMenuDefault = new QMenu(this);
  named(PopupMenuDefault, "PopupMenuDefault");
  QMenu* settings = PopupMenuDefault->addMenu(QStringLiteral("Settings"));
  named(settings, "Settings");
  settings->addAction(ActionDiametr);
  settings->addAction(ActionParameter);
  QMenu* pole = PopupMenuDefault->addMenu(QStringLiteral("Set pole"));
  named(pole, "Pols");
  for (QAction* a : {ActionReferens0, ActionReferensX, ActionReferensY, ActionReferensInput,
                     ActionPolus})
    pole->addAction(a);

  // The element scroll bar counts as entered while it has the focus.
  ScrollBarIndex->setFocusPolicy(Qt::StrongFocus);
  ScrollBarIndex->setToolTip(QStringLiteral("Scrolling elements"));
  connect(ScrollBarIndex, &QScrollBar::valueChanged, this, &TFormaEditor::ScrollBarIndexScroll);

  // Moves without a button held reach the window: the snap search follows the pointer.
  setMouseTracking(true);
  navigationFilter_ = new NavigationFilter(*this);
  qApp->installEventFilter(navigationFilter_);
}

PictureSize TFormaEditor::Picture() const {
  return {static_cast<double>(BackBuffer.width()), static_cast<double>(BackBuffer.height())};
}

// ---- Mouse ----

void TFormaEditor::FormMouseDown(ShiftState Shift, int X, int Y) {
  if (Shown(EditFocus)) EditFocus->setFocus(Qt::MouseFocusReason);
  popupArmed_ = Shift == ShiftRight;
  if (Shift == ShiftMiddle) {
    ViewCenterX = CursorX;
    ViewCenterY = CursorY;
  } else if (Shift == ShiftLeft) {
    ZoomRepeat = 0;
    Timer->stop();
    PressPixel = MousePixel = {X, Y};
    bool windowDown = SpeedButtonWindow->isChecked();
    TrackMouseGesture(*this, *this, Shift, X, Y, GesturePhase::Press, windowDown, Picture());
    update();
  }
}

void TFormaEditor::FormMouseMove(ShiftState Shift, int X, int Y) {
  ShowWaitingPanel();  // a machining panel waiting to be shown comes with this move
  if (Shift == ShiftMiddle) {
    MiddleDragZoom(*this, *this, X, Y, Picture());
    update();
    return;
  }
  if (MousePixel.X == 0) {
    // No position known yet (after opening a file): this move only records the pointer.
    MousePixel = {X, Y};
    return;
  }
  MousePixel = {X, Y};
  // The model point first: the zoom window's corner follows this move, not the one before.
  ScreenToWorld(X, Y, MouseModelX, MouseModelY);
  bool windowDown = SpeedButtonWindow->isChecked();
  TrackMouseGesture(*this, *this, Shift, X, Y, GesturePhase::Move, windowDown, Picture());
  if (Shift == 0) FindSnapPoint();
  update();
}

void TFormaEditor::FormMouseUp(ShiftState Shift, int X, int Y) {
  popupArmed_ = false;
  ZoomRepeat = 0;
  Timer->stop();
  PressPixel = MousePixel = {X, Y};
  bool windowDown = SpeedButtonWindow->isChecked();
  TrackMouseGesture(*this, *this, Shift, X, Y, GesturePhase::Release, windowDown, Picture());
  if (windowDown != SpeedButtonWindow->isChecked()) {
    SpeedButtonWindow->setChecked(windowDown);
    update();
  }
}

bool TFormaEditor::FormMouseWheel(ShiftState Shift, int Delta) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || focus->window() != this) return false;
  auto* memo = qobject_cast<QPlainTextEdit*>(focus);
  if (memo != nullptr && (memo == Memo || memo == MemoIso)) {
    // Without Ctrl the memo scrolls as usual; its own Ctrl+wheel zoom is replaced by ours.
    if ((Shift & (ShiftShift | ShiftAlt | ShiftCtrl)) != ShiftCtrl) return false;
    QFont f = memo->font();
    const int size = f.pointSize() > 0 ? f.pointSize() : MemoFontMin;
    f.setPointSize(MemoFontSizeAfterWheel(size, Delta));
    memo->setFont(f);
    return true;
  }
  if (focus == EditFocus) {
    WheelZoom(*this, Delta);
    update();
    return true;
  }
  return false;
}

void TFormaEditor::FormDblClick() {
  if (platform::ApplicationTag() != 0) {
    platform::SetApplicationTag(0);  // cancels a running pocket computation
    return;
  }
  PoleX = CursorX;
  PoleY = CursorY;
  update();
}

void TFormaEditor::mousePressEvent(QMouseEvent* event) {
  FormMouseDown(ShiftOf(*event), event->position().toPoint().x(), event->position().toPoint().y());
}

void TFormaEditor::mouseMoveEvent(QMouseEvent* event) {
  FormMouseMove(ShiftOf(*event), event->position().toPoint().x(), event->position().toPoint().y());
}

void TFormaEditor::mouseReleaseEvent(QMouseEvent* event) {
  const bool popup = popupArmed_ && event->button() == Qt::RightButton;
  const QPoint at = event->position().toPoint();
  FormMouseUp(ShiftOf(*event), at.x(), at.y());
  // The menu opens as the plain right click ends, as the desktop's context menus do.
  if (popup) PopupMenuDefault->popup(mapToGlobal(at));
}

void TFormaEditor::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is no plain press: it only takes the focus.
  if (Shown(EditFocus)) EditFocus->setFocus(Qt::MouseFocusReason);
  if (event->button() == Qt::LeftButton) FormDblClick();
}

void TFormaEditor::contextMenuEvent(QContextMenuEvent* event) {
  // The menu key and right clicks with a key held open no menu; a plain right click opens it
  // at its release.
  event->accept();
}

// ---- Keys ----

void TFormaEditor::FormKeyDown(int Key) {
  if (Key == Qt::Key_Escape) HandleEscape();
  update();
}

bool TFormaEditor::EditFocusKeyDown(int Key, Qt::KeyboardModifiers Modifiers) {
  if (EditFocus == nullptr || !EditFocus->hasFocus()) return false;
  if (Modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return false;
  if (QApplication::mouseButtons() != Qt::NoButton) return false;
  const bool keypad = (Modifiers & Qt::KeypadModifier) != 0;
  NavigationKey step{};
  if (Key == Qt::Key_Plus && keypad)
    step = NavigationKey::KeypadPlus;
  else if (Key == Qt::Key_Minus && keypad)
    step = NavigationKey::KeypadMinus;
  else if (Key == Qt::Key_Right)
    step = NavigationKey::Right;
  else if (Key == Qt::Key_Left)
    step = NavigationKey::Left;
  else if (Key == Qt::Key_Down)
    step = NavigationKey::Down;
  else if (Key == Qt::Key_Up)
    step = NavigationKey::Up;
  else
    return false;
  NavigationKeyStep(*this, step);
  update();
  return true;
}

void TFormaEditor::HandleEscape() {
  EscapeContext c;
  c.Busy = platform::ApplicationTag() != 0;
  c.IsoMemoShown = !MemoIso->isHidden();
  c.WindowDown = SpeedButtonWindow->isChecked();
  c.ZoomTimerRunning = Timer->isActive();
  c.MouseStill = PressPixel == MousePixel;
  switch (NextEscapeStep(c)) {
    case EscapeStep::ClearBusy: platform::SetApplicationTag(0); break;
    case EscapeStep::HideIsoMemo: MemoIso->hide(); break;
    case EscapeStep::ReleaseWindow: SpeedButtonWindow->setChecked(false); break;
    case EscapeStep::StopZoomTimer:
      Timer->stop();
      ZoomRepeat = 0;
      break;
    case EscapeStep::Close: reject(); return;
    case EscapeStep::Repaint:
      // The press point catches up with the mouse, so that the next Esc closes the editor.
      PressPixel = MousePixel;
      break;
  }
  update();
}

// ---- Zoom buttons ----

void TFormaEditor::SpeedButtonWindowPlusMouseDown() {
  ZoomRepeat = 1;
  Timer->start();
}

void TFormaEditor::SpeedButtonWindowMinusMouseDown() {
  ZoomRepeat = 2;
  Timer->start();
}

void TFormaEditor::TimeStop() {
  ZoomRepeat = 0;
  Timer->stop();
}

void TFormaEditor::TimerTimer() {
  ZoomRepeatTick(*this, *this);
  update();
}

void TFormaEditor::SpeedButtonWindowClick() { WindowRect = {}; }

// ---- Fit to extents ----

void TFormaEditor::ActionReferensExecute() {
  const double top = DrawingTop();
  // The text panel docked at the left covers part of the picture; filling the window it
  // covers all of it and the fit uses the whole picture.
  const double left = MemoDockedLeft() ? PanelMemo->width() : 0.0;
  FitViewToStore(*this, FormaGeom, left, top, BackBuffer.width(),
                 std::max(BackBuffer.height() - top, 0.0));
  CursorX = CursorY = 0.0;
  update();
}

// ---- Pole ----

void TFormaEditor::ActionPolusExecute() {
  TogglePole(*this);
  update();
}

void TFormaEditor::ActionReferens0Execute() { ActionPolusExecute(); }

void TFormaEditor::ActionReferensXExecute() {
  PoleX = CursorX;
  update();
}

void TFormaEditor::ActionReferensYExecute() {
  PoleY = CursorY;
  update();
}

void TFormaEditor::ActionReferensInputExecute() {
  if (FormaInput == nullptr) return;
  QString value;
  if (!FormaInput->InputValue(ActionReferensInput->text(), QStringLiteral("x...y"), value))
    return;
  ApplyPoleInput(*this, FormaGeom.Daten(), value.toStdString());
  update();
}

// ---- Element scroll bar ----

void TFormaEditor::ScrollBarIndexEnter() {
  ScrollBarIndexTag = 1;
  if (ScrollBarIndex->maximum() != FormaGeom.ElementCount())
    ScrollBarIndex->setMaximum(FormaGeom.ElementCount());
}

void TFormaEditor::ScrollBarIndexExit() { ScrollBarIndexTag = 0; }

void TFormaEditor::ScrollBarIndexScroll() {
  if (!ScrollBarIndex->isEnabled()) return;
  FindSnapPoint();
  update();
}

}  // namespace movra
