#pragma once

#include "platform/types.h"

namespace aol {

// The client window that is a chat room: the first "AOL Child" of the MDI
// area, front to back, with a rich-text box, a list, a button and a label
// among its children. 0 when there is none.
platform::Hwnd FindChatRoom();

}  // namespace aol
