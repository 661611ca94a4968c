#include "aol/core/window_path.h"

#include "aol/core/client_classes.h"
#include "platform/platform.h"

namespace aol {

Hwnd FindFrame() { return platform::Current().FindWindow(kFrameClass); }

Hwnd FirstChild(Hwnd parent, std::string_view cls, std::optional<std::string_view> caption) {
  return platform::Current().FindWindowEx(parent, 0, cls, caption);
}

Hwnd NextChild(Hwnd parent, Hwnd after, std::string_view cls) {
  return platform::Current().FindWindowEx(parent, after, cls);
}

Hwnd NthChild(Hwnd parent, std::string_view cls, int n) {
  Hwnd found = 0;
  for (int k = 0; k < n; ++k) found = NextChild(parent, found, cls);
  return found;
}

Hwnd NthChildNoWrap(Hwnd parent, std::string_view cls, int n) {
  Hwnd found = 0;
  for (int k = 0; k < n; ++k) {
    found = NextChild(parent, found, cls);
    if (found == 0) return 0;
  }
  return found;
}

Hwnd AolWindowPath::Walk() const {
  Hwnd at = FindFrame();
  for (const PathStep& step : steps_) {
    if (step.nth <= 1) {
      at = FirstChild(at, step.cls, step.caption);
    } else {
      at = NthChild(at, step.cls, step.nth);
    }
  }
  return at;
}

}  // namespace aol
