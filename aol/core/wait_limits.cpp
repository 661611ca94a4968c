#include "aol/core/wait_limits.h"

#include <algorithm>

#include "platform/platform.h"

namespace aol {

WaitLimits& Limits() {
  static WaitLimits limits;
  return limits;
}

bool WaitFor(double bound, const std::function<bool()>& ready) {
  platform::Platform& os = platform::Current();
  const double deadline = os.Now() + bound;
  for (;;) {
    // Each pass first handles what is waiting, then looks at the client.
    os.Yield();
    if (ready()) return true;
    if (os.Closing() || os.Now() >= deadline) return false;
    os.WaitUntil(std::min(deadline, os.Now() + Limits().poll_interval));
  }
}

}  // namespace aol
