#pragma once

#include <string_view>

namespace aol {

// Types one line into the open chat room's entry box and presses Enter. The
// room is looked up afresh; with no room the messages go to handle 0 and
// nothing happens.
void ChatSend(std::string_view text);

}  // namespace aol
