#include "aol/core/find_chat_room.h"

#include "aol/core/client_classes.h"
#include "aol/core/window_path.h"

namespace aol {

Hwnd FindChatRoom() {
  const Hwnd mdi = AolWindowPath{{kMdiClass}}.Walk();
  for (Hwnd candidate = FirstChild(mdi, kChildClass); ;
       candidate = NextChild(mdi, candidate, kChildClass)) {
    // All four lookups every time, even after one has failed.
    const Hwnd rich = FirstChild(candidate, kRichTextClass);
    const Hwnd list = FirstChild(candidate, kListClass);
    const Hwnd icon = FirstChild(candidate, kIconClass);
    const Hwnd label = FirstChild(candidate, kStaticClass);
    if (rich != 0 && list != 0 && icon != 0 && label != 0) return candidate;
    if (candidate == 0) return 0;
  }
}

}  // namespace aol
