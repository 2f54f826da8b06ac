#pragma once
// Helpers for tests of windows: letting the event loop run, and answering modal dialogs.
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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

// A temporary folder holding a stand-in executable, so that no test ever writes
// Settings.ini beside the test binary.
class StandInExeFolder {
 public:
  StandInExeFolder() : folder_(QDir::cleanPath(dir_.path()) + "/") {
    QFile exe(Exe());
    ready_ = dir_.isValid() && exe.open(QIODevice::WriteOnly);
  }
  bool Ready() const { return ready_; }
  const QString& Folder() const { return folder_; }  // ends with "/"
  QString Exe() const { return folder_ + "Movra_Rudizi"; }
  QString SettingsFile() const { return folder_ + "Settings.ini"; }
  QByteArray SettingsText() const {
    QFile file(SettingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  bool WriteSettings(const QByteArray& Bytes) const {
    QFile file(SettingsFile());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(Bytes) == Bytes.size();
  }

 private:
  QTemporaryDir dir_;
  QString folder_;
  bool ready_ = false;
};

}  // namespace movra::testing
