#pragma once
// What the application object offers to code below the windows: letting pending window
// events run from inside a long computation, and the application-wide busy flag.
#include <functional>

namespace movra::platform {

// Lets pending window events run. A no-op until the application installs its pump.
void ProcessMessages();

// Installed once by the program entry; an empty function removes the pump again.
void SetMessagePump(std::function<void()> pump);

// The application's integer tag, used as the application-wide busy flag: a long
// computation sets it, and any parameter change clears it so the computation stops at its
// next check.
int ApplicationTag();
void SetApplicationTag(int tag);

}  // namespace movra::platform
