// Window scenarios written once over platform::Platform and run on both
// sides: natively over the simulated desktop (a unit test) and over the real
// Windows calls under Wine (tests/wine/window_conformance.cpp). Each answer is
// compared with what Windows gives, so where the simulated desktop drifts
// from Windows a scenario says so by name.
//
// Windows are named by their role ("first child", "OK button"), never by
// handle value; timings are only checked as "happened within the wait".
//
// Text outside Windows-1252: our own window classes on Windows are wide, so
// their handlers receive every character as it was sent, while the simulated
// desktop is an ANSI one throughout. What an ANSI window holds is what the
// program's contract is about (the client is an ANSI program), so the ANSI
// scenarios run against a window made by `make_ansi_window`: on the simulated
// desktop any window of a registered class will do; on Windows the caller
// supplies a window of a class registered with the ANSI calls.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "tests/conformance/conformance.h"

namespace conformance {

struct WindowScenarioOptions {
  // Creates a visible child of `parent` whose class is an ANSI one and whose
  // handler leaves everything to the default window procedure. Empty: a
  // window of a class registered through the platform.
  std::function<platform::Hwnd(platform::Platform&, platform::Hwnd parent,
                               std::string_view caption)>
      make_ansi_window;
  // The bytes that window's handler got with its last WM_SETTEXT. Empty: the
  // Windows-1252 form of the text the probe's handler got.
  std::function<std::string(platform::Hwnd)> ansi_bytes_received;
};

// Runs every window scenario and returns one result per check. Registers the
// classes "BrixConfProbe" and "BrixConfText" in the calling program (a second
// run on the same platform reuses them), and destroys every window it made.
std::vector<ConformanceResult> RunWindowScenarios(platform::Platform& platform,
                                                  const WindowScenarioOptions& options = {});

}  // namespace conformance
