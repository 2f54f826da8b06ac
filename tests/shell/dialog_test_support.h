#pragma once
// Keys and clicks sent straight to a widget, for tests of the dialogs.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QWidget>
#include <ostream>

// Failures show the text, not its UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace movra::testing {

inline void PressKey(QWidget* Target, int Key) {
  QKeyEvent press(QEvent::KeyPress, Key, Qt::NoModifier);
  QApplication::sendEvent(Target, &press);
}

// A left click (press and release) at At.
inline void Click(QWidget* Target, QPoint At) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, At, Target->mapToGlobal(At), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(Target, &event);
  }
}

inline void DoubleClick(QWidget* Target, QPoint At) {
  QMouseEvent event(QEvent::MouseButtonDblClick, At, Target->mapToGlobal(At), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Target, &event);
}

}  // namespace movra::testing
