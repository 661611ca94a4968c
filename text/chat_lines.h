// Typing a multi-line text into the chat room, line by line, at a pace the
// room accepts.
#pragma once

#include <string_view>

namespace text {

// Sends each line of `text` (lines separated by CR LF) to the open chat
// room: lines of three characters or fewer are skipped, longer ones are cut
// to 92 characters. Waits 0.7 s after each line sent and 0.5 s more after
// every fourth line of the text, sent or not; window messages are handled
// while it waits. With no chat room open, or an empty text, nothing is sent
// and nothing waited for.
void SendChatLines(std::string_view text);

}  // namespace text
