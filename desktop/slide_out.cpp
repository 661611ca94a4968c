#include "desktop/slide_out.h"

#include <cmath>
#include <functional>
#include <optional>

#include "platform/platform.h"

namespace desktop {
namespace {

using platform::Current;

constexpr double kTwipsPerPixel = 15;
constexpr double kStep = 300;
constexpr double kDownLimit = 7200;

// A window's place in twips.
struct Place {
  double x = 0;
  double y = 0;
  double w = 0;
  double h = 0;
};

std::optional<Place> PlaceOf(Hwnd form) {
  platform::Platform& os = Current();
  if (!os.IsWindow(form)) return std::nullopt;
  const platform::Rect r = os.GetWindowRect(form);
  return Place{r.left * kTwipsPerPixel, r.top * kTwipsPerPixel, r.width() * kTwipsPerPixel,
               r.height() * kTwipsPerPixel};
}

void MoveTo(Hwnd form, double x, double y) {
  Current().SetWindowPos(form, platform::kHwndTop,
                         static_cast<int>(std::lround(x / kTwipsPerPixel)),
                         static_cast<int>(std::lround(y / kTwipsPerPixel)), 0, 0,
                         platform::kSwpNoSize | platform::kSwpNoZOrder | platform::kSwpNoActivate);
}

// Steps by (dx, dy) until `done` holds for the place after a step.
void Slide(Hwnd form, double dx, double dy, const std::function<bool(const Place&)>& done) {
  for (;;) {
    Current().Yield();
    const std::optional<Place> before = PlaceOf(form);
    if (!before) return;  // closed meanwhile
    MoveTo(form, before->x + dx, before->y + dy);
    const std::optional<Place> after = PlaceOf(form);
    if (!after) return;
    // A window that did not move would never reach the end: stop rather
    // than spin.
    if (after->x == before->x && after->y == before->y) return;
    if (done(*after)) return;
  }
}

}  // namespace

void SlideFormDown(Hwnd form) {
  Slide(form, 0, kStep, [](const Place& p) { return p.y > kDownLimit; });
}

void SlideFormUp(Hwnd form) {
  Slide(form, 0, -kStep, [](const Place& p) { return p.y < -p.h; });
}

void SlideFormLeft(Hwnd form) {
  Slide(form, -kStep, 0, [](const Place& p) { return p.x < -p.w; });
}

void SlideFormRight(Hwnd form) {
  Slide(form, kStep, 0,
        [](const Place& p) { return p.x > Current().GetScreenSize().width * kTwipsPerPixel; });
}

}  // namespace desktop
