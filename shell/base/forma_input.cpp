#include "shell/base/forma_input.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/window_place.h"
#include "shell/base/forma_input_list.h"

namespace movra {
namespace {

constexpr int PanelInfoHeight = 25;
constexpr int EditFontPixels = 16;
constexpr int Panel0Height = 40;
// Gap between a button and the middle of the bar.
constexpr int ButtonGap = 5;

bool IsBlankOrControl(QChar c) { return c.unicode() <= 0x20; }

}  // namespace

QString TrimBlanks(const QString& Text) {
  qsizetype begin = 0;
  qsizetype end = Text.size();
  while (begin < end && IsBlankOrControl(Text[begin])) ++begin;
  while (end > begin && IsBlankOrControl(Text[end - 1])) --end;
  return Text.mid(begin, end - begin);
}

QString DeleteFirstAmpersand(QString Text) {
  const qsizetype mark = Text.indexOf(QLatin1Char('&'));
  if (mark >= 0) Text.remove(mark, 1);
  return Text;
}

QString CollapseBlankRuns(const QString& Text) {
  QString result;
  result.reserve(Text.size());
  for (const QChar c : Text)
    if (c != QLatin1Char(' ') || !result.endsWith(QLatin1Char(' '))) result += c;
  return result;
}

TFormaInput::TFormaInput(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      MeasureBitmap(1, 1, QImage::Format_RGB32) {
  setObjectName(QStringLiteral("FormaInput"));
  setMinimumWidth(MinWidth);
  setMaximumWidth(MaxWidth);
  setFixedHeight(FixedHeight);
  resize(MinWidth, FixedHeight);

  PanelInfo = new QLabel(this);
  PanelInfo->setObjectName(QStringLiteral("PanelInfo"));
  PanelInfo->setFixedHeight(PanelInfoHeight);
  PanelInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  Edit = new QLineEdit(this);
  Edit->setObjectName(QStringLiteral("Edit"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(EditFontPixels);
  Edit->setFont(font);

  Panel0 = new QWidget(this);
  Panel0->setObjectName(QStringLiteral("Panel0"));
  Panel0->setFixedHeight(Panel0Height);
  // These two captions are the dialog's own in every language.
  ButtonOk = new QPushButton(QStringLiteral("Ввод"), Panel0);
  ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
  ButtonCancel = new QPushButton(QStringLiteral("Отменить"), Panel0);
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PanelInfo);
  layout->addWidget(Edit);
  layout->addWidget(Panel0);

  // Enter and Esc are the dialog's wherever the focus is; the button bar places its buttons.
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  Panel0Resize();
}

bool TFormaInput::InputValue(QString Caption, QString Info, QString& Value) {
  PrepareInput(std::move(Caption), std::move(Info), Value);
  if (exec() != QDialog::Accepted) return false;
  Value = CollapseBlankRuns(Edit->text());
  return true;
}

void TFormaInput::PrepareInput(QString Caption, QString Info, const QString& Value) {
  Caption = DeleteFirstAmpersand(std::move(Caption));
  Info = DeleteFirstAmpersand(std::move(Info));
  resize(Value.isEmpty() ? MinWidth : WidthForValue(Value), FixedHeight);
  Caption = TrimBlanks(Caption);
  Info = TrimBlanks(Info);
  PanelInfo->clear();
  setWindowTitle(Caption);
  Edit->setText(Value);
  if (!Info.isEmpty()) PanelInfo->setText(QStringLiteral("   ") + Info + QStringLiteral("   ?"));
}

int TFormaInput::WidthForValue(const QString& Value) {
  // The frame around the edit line, as the layout has it now, on both sides of the text.
  if (QLayout* l = layout()) l->activate();
  const int frame = std::max(0, width() - Edit->width());
  const QFontMetrics metrics(Edit->font(), &MeasureBitmap);
  const int text = metrics.horizontalAdvance(Value + QStringLiteral("  "));
  return std::clamp(2 * frame + text, MinWidth, MaxWidth);
}

void TFormaInput::EditDblClick() {
  if (FormaInputList) FormaInputList->ShowAndApply(*Edit);
}

void TFormaInput::Panel0Resize() {
  const int border = Panel0->contentsMargins().left();
  const int buttonWidth = std::max(0, Panel0->width() / 2 - border - ButtonGap);
  const int height = ButtonOk->sizeHint().height();
  const int top = std::max(0, (Panel0->height() - height) / 2);
  ButtonOk->setGeometry(border, top, buttonWidth, height);
  ButtonCancel->setGeometry(Panel0->width() - border - buttonWidth, top, buttonWidth, height);
}

bool TFormaInput::DialogKey(const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      accept();
      return true;
    case Qt::Key_Escape:
      reject();
      return true;
    default:
      return false;
  }
}

void TFormaInput::FocusEditAtEnd() {
  Edit->setFocus(Qt::OtherFocusReason);
  Edit->deselect();
  Edit->setCursorPosition(static_cast<int>(Edit->text().size()));
}

bool TFormaInput::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      return DialogKey(*static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonDblClick:
      if (watched == Edit) {
        EditDblClick();
        return true;
      }
      break;
    case QEvent::Resize:
      if (watched == Panel0) Panel0Resize();
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

bool TFormaInput::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Edit->setFocus(Qt::ActiveWindowFocusReason);
  return QDialog::event(event);
}

void TFormaInput::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::CentreOnScreen(*this);
}

void TFormaInput::setVisible(bool visible) {
  QDialog::setVisible(visible);
  // After the dialog's own focus-in, which would select the whole text.
  if (visible) FocusEditAtEnd();
}

void TFormaInput::keyPressEvent(QKeyEvent* event) {
  if (!DialogKey(*event)) QDialog::keyPressEvent(event);
}

}  // namespace movra
