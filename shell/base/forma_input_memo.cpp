#include "shell/base/forma_input_memo.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/qt/window_place.h"

namespace movra {
namespace {

constexpr int MemoFontPixels = 13;
// Points of a font given in pixels, on the 96 dots per inch the layout was drawn at.
constexpr double PointsPerPixel = 72.0 / 96.0;

}  // namespace

TFormaInputMemo::TFormaInputMemo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FormaInputMemo"));
  setMinimumSize(360, 240);

  Memo = new QPlainTextEdit(this);
  Memo->setObjectName(QStringLiteral("Memo"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(MemoFontPixels);
  Memo->setFont(font);
  QPalette palette = Memo->palette();
  palette.setColor(QPalette::Text, Qt::black);
  Memo->setPalette(palette);
  Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo->viewport()->installEventFilter(this);

  Panel = new QWidget(this);
  Panel->setObjectName(QStringLiteral("Panel"));
  ButtonSave = new QPushButton(QStringLiteral("Save"), Panel);
  ButtonSave->setObjectName(QStringLiteral("ButtonSave"));
  ButtonClose = new QPushButton(QStringLiteral("Cancel"), Panel);
  ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
  // Enter is a line break in the memo, never a button.
  for (QPushButton* button : {ButtonSave, ButtonClose}) button->setAutoDefault(false);
  auto* buttons = new QHBoxLayout(Panel);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addWidget(ButtonSave, 1);
  buttons->addWidget(ButtonClose, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo, 1);
  layout->addWidget(Panel);

  connect(Memo, &QPlainTextEdit::textChanged, this, &TFormaInputMemo::MemoChange);
  connect(ButtonSave, &QPushButton::clicked, this, &TFormaInputMemo::ButtonSaveClick);
  connect(ButtonClose, &QPushButton::clicked, this, &TFormaInputMemo::ButtonCloseClick);
}

void TFormaInputMemo::FormShow() {
  if (MemoTag == -1) {
    MemoTag = 0;
    Memo->document()->setModified(true);
    ButtonSave->setEnabled(true);
  } else {
    MemoTag = 0;
    Memo->document()->setModified(false);
    ButtonSave->setEnabled(false);
    Memo->setFocus();
  }
}

void TFormaInputMemo::MemoChange() { ButtonSave->setEnabled(Memo->document()->isModified()); }

void TFormaInputMemo::ButtonSaveClick() {
  MemoTag = 1;
  accept();
}

void TFormaInputMemo::ButtonCloseClick() { reject(); }

int TFormaInputMemo::MemoFontPoints() const {
  const QFont font = Memo->font();
  if (font.pointSize() > 0) return font.pointSize();
  return static_cast<int>(std::lround(font.pixelSize() * PointsPerPixel));
}

bool TFormaInputMemo::MemoWheel(int Delta, Qt::KeyboardModifiers Modifiers) {
  if (Modifiers != Qt::ControlModifier || !Memo->hasFocus() || Delta == 0) return false;
  const int step = Delta > 0 ? -FontStepPoints : FontStepPoints;
  QFont font = Memo->font();
  font.setPointSize(std::clamp(MemoFontPoints() + step, MinFontPoints, MaxFontPoints));
  Memo->setFont(font);
  return true;
}

bool TFormaInputMemo::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel && watched == Memo->viewport()) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    MemoWheel(wheel->angleDelta().y(), wheel->modifiers());
    // The memo's own Ctrl+wheel zoom would change the font past the limits.
    if (wheel->modifiers() & Qt::ControlModifier) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFormaInputMemo::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::CentreOnScreen(*this);
  FormShow();
}

void TFormaInputMemo::hideEvent(QHideEvent* event) {
  // A caller may have hidden the button bar; the next showing has it again.
  Panel->show();
  QDialog::hideEvent(event);
}

}  // namespace movra
