// Bounds of every wait on the client. The client is another program: it may
// be slow, refuse, or not run at all, so no wait on it is endless. A wait
// that runs out gives up quietly: nothing is typed or clicked, the routine
// returns its neutral result, and the program goes on. A test or a caller may
// change the bounds.
#pragma once

#include <functional>

namespace aol {

struct WaitLimits {
  double window_appears = 10.0;  // a client window to open after a keyword or click
  double client_answers = 10.0;  // the client to act on a click (send, close, answer box)
  double mail_sends = 60.0;      // a mail to go out
  double poll_interval = 0.05;   // how often a wait looks at the client again
};

WaitLimits& Limits();

// Each pass processes waiting messages, then asks `ready`; polls until it holds, the bound passes or the program is closing,
// processing messages between polls (the window stays live). Returns whether
// `ready` held.
bool WaitFor(double bound, const std::function<bool()>& ready);

}  // namespace aol
