#pragma once
// The application's list of windows, in creation order, and the one broadcast they share.
#include <cstddef>
#include <vector>

namespace movra::platform {

// Window message number of the broadcast.
inline constexpr int FormaNotify = 100;

// A window that takes part in the broadcast.
class NotifyReceiver {
 public:
  virtual ~NotifyReceiver() = default;
  virtual void FormaNotify(int Code) = 0;
};

// Windows register when they are created and unregister when they go away. A window that
// unregisters while a broadcast runs is skipped, never called.
class WindowList {
 public:
  void Register(NotifyReceiver* window);
  void Unregister(NotifyReceiver* window);
  // Delivers (Msg, Code) to every registered window in creation order, synchronously.
  // Only Msg = FormaNotify means anything to a window; other numbers are not delivered.
  void Send(int Msg, int Code);
  std::size_t Count() const;

 private:
  std::vector<NotifyReceiver*> windows_;  // null where a window left during a broadcast
  int sending_ = 0;
};

}  // namespace movra::platform
