#include "platform/qt/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace movra::platform {
namespace {

void CentreAt(QWidget& Window, const QPoint& Centre) {
  if (Window.isMaximized() || Window.isFullScreen()) return;
  QRect frame = Window.frameGeometry();
  frame.moveCenter(Centre);
  Window.move(frame.topLeft());
}

}  // namespace

void CentreOnScreen(QWidget& Window) {
  const QScreen* screen = Window.screen() ? Window.screen() : QGuiApplication::primaryScreen();
  if (screen) CentreAt(Window, screen->availableGeometry().center());
}

void CentreOver(QWidget& Window, const QWidget* Over) {
  if (Over && Over->isVisible())
    CentreAt(Window, Over->frameGeometry().center());
  else
    CentreOnScreen(Window);
}

}  // namespace movra::platform
