#include "aol/core/chat_send.h"

#include "aol/core/client_classes.h"
#include "aol/core/find_chat_room.h"
#include "aol/core/window_path.h"
#include "platform/platform.h"

namespace aol {

void ChatSend(std::string_view text) {
  platform::Platform& os = platform::Current();
  const Hwnd room = FindChatRoom();
  const Hwnd history = FirstChild(room, kRichTextClass);
  const Hwnd entry = NextChild(room, history, kRichTextClass);
  os.SendMessageText(entry, platform::kWmSetText, 0, text);
  os.SendMessage(entry, platform::kWmChar, platform::kVkReturn, 0);
}

}  // namespace aol
