#pragma once

namespace aol {

// Waits `seconds` while the program's window stays live: messages, clicks
// and timer ticks are handled during the wait, so handlers may run inside
// it. It blocks between messages instead of spinning, and it ends early only
// when the program is closing. A wait of 0 (or less) returns at once without
// processing any message.
void Pause(double seconds);

}  // namespace aol
