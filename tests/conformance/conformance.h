// One answer of a conformance scenario: what the platform under test gave
// and what Windows gives. Scenarios are written once over platform::Platform
// and run both over the simulated desktop (unit tests) and over the real
// Windows calls (under Wine), so the two sides are held to the same answers.
#pragma once

#include <string>
#include <vector>

namespace conformance {

struct ConformanceResult {
  std::string name;      // what was checked, unique within its scenario set
  std::string got;       // the platform's answer, as text
  std::string expected;  // Windows' answer, as text

  bool passed() const { return got == expected; }
};

using ConformanceResults = std::vector<ConformanceResult>;

}  // namespace conformance
