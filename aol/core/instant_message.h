// Instant Messages through the client's "Send Instant Message" window. The
// idler switches the user's incoming Instant Messages off and on by writing
// to the reserved screen names "$IM_OFF" and "$IM_ON".
//
// Every wait here is bounded (see wait_limits.h) and processes window
// messages, so the program's window stays live; a wait that runs out gives up
// without typing or clicking anything.
#pragma once

#include <string_view>

namespace aol {

void InstantMessage(std::string_view screen_name, std::string_view message);
// Asks the client whether a screen name is online; false also when the
// client never answers.
bool CheckOnline(std::string_view screen_name);

void TurnImsOn();
void TurnImsOff();
void TurnImsOnFor(std::string_view screen_name);
void TurnImsOffFor(std::string_view screen_name);

}  // namespace aol
