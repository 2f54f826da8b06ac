#include "platform/core/application.h"

#include <utility>

namespace movra::platform {
namespace {

// The application object exists once per process; these two stand for it.
std::function<void()>& Pump() {
  static std::function<void()> pump;
  return pump;
}
int tag = 0;

}  // namespace

void ProcessMessages() {
  if (Pump()) Pump()();
}

void SetMessagePump(std::function<void()> pump) { Pump() = std::move(pump); }

int ApplicationTag() { return tag; }

void SetApplicationTag(int value) { tag = value; }

}  // namespace movra::platform
