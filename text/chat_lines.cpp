#include "text/chat_lines.h"

#include <string>

#include "aol/core/chat_send.h"
#include "aol/core/find_chat_room.h"
#include "aol/core/pause.h"
#include "platform/codec.h"
#include "text/string_primitives.h"

namespace text {
namespace {

constexpr std::size_t kShortestLineSent = 4;  // characters
constexpr std::size_t kLongestLine = 92;      // characters the room takes
constexpr double kPauseAfterLine = 0.7;       // seconds
constexpr double kPauseAfterBurst = 0.5;      // seconds, on top of that
constexpr int kLinesPerBurst = 4;

}  // namespace

void SendChatLines(std::string_view text) {
  // The room is looked up once, here; each line's send finds it again on its
  // own, so a room closed half-way just stops receiving.
  if (aol::FindChatRoom() == 0) return;
  if (text.empty()) return;
  int counter = 1;
  for (std::string line : GetLines(text)) {
    const std::u32string chars = platform::Utf8ToCodePoints(line);
    if (chars.size() >= kShortestLineSent) {
      if (chars.size() > kLongestLine) {
        line = platform::CodePointsToUtf8(std::u32string_view(chars).substr(0, kLongestLine));
      }
      aol::ChatSend(line);
      aol::Pause(kPauseAfterLine);
    }
    // Skipped lines count too: the extra pause falls after every fourth
    // line of the text.
    if (++counter > kLinesPerBurst) {
      counter = 1;
      aol::Pause(kPauseAfterBurst);
    }
  }
}

}  // namespace text
