#include "aol/core/keyword.h"

#include <string>

#include "aol/core/client_classes.h"
#include "aol/core/window_path.h"
#include "platform/platform.h"

namespace aol {

void Keyword(std::string_view target) {
  platform::Platform& os = platform::Current();
  const Hwnd box =
      AolWindowPath{{kToolbarOuterClass}, {kToolbarInnerClass}, {kComboClass}, {kEditClass}}.Walk();
  os.SendMessageText(box, platform::kWmSetText, 0, target);
  os.SendMessage(box, platform::kWmChar, platform::kVkSpace, 0);
  os.SendMessage(box, platform::kWmChar, platform::kVkReturn, 0);
}

void EnterRoom2(std::string_view room) { Keyword("aol://2719:2-2-" + std::string(room)); }

void EnterRoom21(std::string_view room) { Keyword("aol://2719:21-2-" + std::string(room)); }

void EnterRoom61(std::string_view room) { Keyword("aol://2719:61-2-" + std::string(room)); }

}  // namespace aol
