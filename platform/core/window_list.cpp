#include "platform/core/window_list.h"

#include <algorithm>

namespace movra::platform {

void WindowList::Register(NotifyReceiver* window) {
  if (window && std::find(windows_.begin(), windows_.end(), window) == windows_.end())
    windows_.push_back(window);
}

void WindowList::Unregister(NotifyReceiver* window) {
  auto it = std::find(windows_.begin(), windows_.end(), window);
  if (it == windows_.end()) return;
  if (sending_ > 0)
    *it = nullptr;  // compacted once the broadcast is over
  else
    windows_.erase(it);
}

void WindowList::Send(int Msg, int Code) {
  if (Msg != FormaNotify) return;
  ++sending_;
  // Index loop: a handler may register or unregister windows while we walk.
  for (std::size_t i = 0; i < windows_.size(); ++i)
    if (NotifyReceiver* w = windows_[i]) w->FormaNotify(Code);
  if (--sending_ == 0) std::erase(windows_, nullptr);
}

std::size_t WindowList::Count() const {
  return static_cast<std::size_t>(std::count_if(windows_.begin(), windows_.end(),
                                                [](NotifyReceiver* w) { return w != nullptr; }));
}

}  // namespace movra::platform
