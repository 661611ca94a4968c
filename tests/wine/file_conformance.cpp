// The file and settings-file scenarios over the real Windows calls: run it
// under Wine on Xvfb (or on Windows). Prints one line per check and then
// "N passed, M failed"; exits non-zero when anything failed.
//
//   file_conformance.exe [FOLDER]     (default C:\brix-conformance)
//
// The same scenarios run natively over the simulated disk
// (tests/unit/file_conformance_test.cpp), so a line that fails here and
// passes there, or the other way round, is a place where the two differ.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32_platform.h"
#include "tests/conformance/file_scenarios.h"

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "C:\\brix-conformance";
  platform::Win32Platform win;
  int passed = 0;
  int failed = 0;
  std::vector<conformance::ConformanceResult> results = conformance::RunFileScenarios(win, folder);
  // The controls' scenarios need windows, and so a display.
  for (auto& r : conformance::RunControlFileScenarios(win, folder)) {
    r.name = "controls: " + r.name;
    results.push_back(std::move(r));
  }
  for (const conformance::ConformanceResult& r : results) {
    if (r.passed()) {
      ++passed;
      std::printf("PASS %s\n", r.name.c_str());
    } else {
      ++failed;
      std::printf("FAIL %s  (got \"%s\", want \"%s\")\n", r.name.c_str(), r.got.c_str(),
                  r.expected.c_str());
    }
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
