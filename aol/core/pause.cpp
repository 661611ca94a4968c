#include "aol/core/pause.h"

#include "platform/platform.h"

namespace aol {

void Pause(double seconds) {
  platform::Platform& os = platform::Current();
  // The clock is monotonic, so a wait that spans midnight still ends on time.
  const double start = os.Now();
  if (!(seconds > 0)) return;  // also a NaN, which would otherwise never end
  os.WaitUntil(start + seconds);
}

}  // namespace aol
