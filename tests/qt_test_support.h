#pragma once
// Helpers for tests of windows: letting the event loop run, and answering modal dialogs.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace movra::testing {

// Runs the event loop for about Ms milliseconds.
inline void RunEventLoop(int Ms) {
  QEventLoop loop;
  QTimer::singleShot(Ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Runs the event loop until Done holds or TimeoutMs passed; true when Done holds. The timeout
// only guards against a hang; tests assert order, never time.
inline bool RunEventLoopUntil(const std::function<bool()>& Done, int TimeoutMs = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!Done()) {
    if (clock.elapsed() > TimeoutMs) return false;
    RunEventLoop(5);
  }
  return true;
}

// Once a modal dialog of type Dialog is the top one, hands it to Act (which must close it).
template <class Dialog = QWidget>
void WhenModalShows(std::function<void(Dialog*)> Act) {
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [Act = std::move(Act), poll]() {
    if (auto* modal = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
      Act(modal);
      *poll = nullptr;  // breaks the cycle
    } else {
      QTimer::singleShot(5, *poll);
    }
  };
  QTimer::singleShot(0, *poll);
}

}  // namespace movra::testing
