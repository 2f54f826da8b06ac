#pragma once
// The timer of deferred work. Enabling a timer that already runs does not restart it, so a
// burst of changes that each enable it yields one firing, one interval after the first change.
// When the time is up the timer disables itself before OnTimer runs; OnTimer may enable it
// again. Disabling stops it.
#include <QObject>
#include <QTimer>
#include <functional>

namespace movra::platform {

class OneShotTimer : public QObject {
  Q_OBJECT

 public:
  explicit OneShotTimer(int IntervalMs = 1000, QObject* parent = nullptr);

  int Interval() const { return interval_; }
  // Takes effect at the next enabling; a running count keeps its time. Negative counts as 0.
  void SetInterval(int IntervalMs);

  bool Enabled() const { return timer_.isActive(); }
  void SetEnabled(bool Enabled);

  std::function<void()> OnTimer;

 signals:
  void Timeout();

 private:
  void Fire();

  QTimer timer_;
  int interval_;
};

}  // namespace movra::platform
