// File and settings-file scenarios written once over platform::Platform and
// run on both sides: natively over the simulated disk (a unit test) and over
// the real Windows calls under Wine (tests/wine/file_conformance.cpp). The
// expected answers are Windows' as Wine gives them; where the simulated disk
// drifts, a scenario says so by name.
//
// Texts in results show control characters and bytes above 0x7E escaped
// ("\r", "\n", "\xE9"), so that a printed line stays readable.
#pragma once

#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "tests/conformance/conformance.h"

namespace conformance {

// Runs every file and settings-file scenario in `folder` (an absolute path;
// made when missing) and returns one result per check. Removes the files it
// made, there and in the Windows directory; the folder and one subfolder
// ("sub") stay for the next run.
std::vector<ConformanceResult> RunFileScenarios(platform::Platform& platform,
                                                std::string_view folder);

// The routines that save and load the program's controls (files/), over
// the platform's own controls: a text box, two list boxes and a combo box in
// a window of their own, saved to and loaded from files in `folder` (which
// must exist). Needs a display on Windows. Destroys its window and removes
// its files.
std::vector<ConformanceResult> RunControlFileScenarios(platform::Platform& platform,
                                                       std::string_view folder);

}  // namespace conformance
