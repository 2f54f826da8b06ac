#include "platform/qt/one_shot_timer.h"

#include <algorithm>

namespace movra::platform {

OneShotTimer::OneShotTimer(int IntervalMs, QObject* parent)
    : QObject(parent), interval_(std::max(0, IntervalMs)) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &OneShotTimer::Fire);
}

void OneShotTimer::SetInterval(int IntervalMs) { interval_ = std::max(0, IntervalMs); }

void OneShotTimer::SetEnabled(bool Enabled) {
  if (!Enabled)
    timer_.stop();
  else if (!timer_.isActive())  // QTimer::start() would begin the count anew
    timer_.start(interval_);
}

void OneShotTimer::Fire() {
  timer_.stop();  // already inactive as a single shot; stated for the reader
  if (OnTimer) OnTimer();
  emit Timeout();
}

}  // namespace movra::platform
