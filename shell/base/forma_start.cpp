#include "shell/base/forma_start.h"

#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "platform/qt/keyboard_layout.h"

namespace movra {

TFormaStart::TFormaStart(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("FormaStart"));
  setWindowTitle(QString());
  setFixedSize(194, 84);

  ComboBoxStart = new QComboBox(this);
  ComboBoxStart->setObjectName(QStringLiteral("ComboBoxStart"));
  ComboBoxStart->setEditable(true);
  // Enter in the edit line confirms the dialog; it never adds an item.
  ComboBoxStart->setInsertPolicy(QComboBox::NoInsert);
  ComboBoxStart->addItems({QStringLiteral("German"), QStringLiteral("English"),
                           QStringLiteral("Russian")});
  ComboBoxStart->setCurrentIndex(0);
  ComboBoxStart->setGeometry(16, 12, 162, 24);

  ButtonStart = new QPushButton(QStringLiteral("Ok"), this);
  ButtonStart->setObjectName(QStringLiteral("ButtonStart"));
  ButtonStart->setDefault(true);
  ButtonStart->setGeometry(59, 48, 76, 26);
  connect(ButtonStart, &QPushButton::clicked, this, &TFormaStart::ButtonStartClick);
}

int TFormaStart::ItemForLayout(std::uint32_t Layout) {
  switch (Layout) {
    case platform::LayoutEnglishUS:
      return 1;
    case platform::LayoutRussian:
      return 2;
    default:  // German, and every layout the program has no language for
      return 0;
  }
}

int TFormaStart::SelectedIndex() const {
  return ComboBoxStart->findText(ComboBoxStart->currentText(),
                                 Qt::MatchFixedString | Qt::MatchCaseSensitive);
}

void TFormaStart::ButtonStartClick() {
  Tag = 1;
  accept();
}

void TFormaStart::showEvent(QShowEvent* event) {
  // Centred on the screen it opens on.
  if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
}

void TFormaStart::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)) {
    // Queued: the window manager finishes the minimising first.
    QTimer::singleShot(0, this, [this] {
      if (!isVisible()) return;
      setWindowState(windowState() & ~Qt::WindowMinimized);
      raise();
      activateWindow();
    });
  }
}

}  // namespace movra
