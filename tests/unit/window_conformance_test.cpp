// The window scenarios over the simulated desktop: each answer must be the
// one Windows gives (the same scenarios run under Wine from
// tests/wine/window_conformance.cpp).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/sim/sim_platform.h"
#include "tests/conformance/window_scenarios.h"

namespace {

using platform::sim::SimPlatform;

TEST(WindowConformance, TheSimulatedDesktopAnswersAsWindows) {
  SimPlatform sim;
  const auto results = conformance::RunWindowScenarios(sim);
  ASSERT_FALSE(results.empty());
  for (const auto& result : results) {
    EXPECT_EQ(result.got, result.expected) << result.name;
  }
}

TEST(WindowConformance, EveryCheckHasItsOwnNameAndTheRunCleansUp) {
  SimPlatform sim;
  const auto results = conformance::RunWindowScenarios(sim);
  std::set<std::string> names;
  for (const auto& result : results) {
    EXPECT_TRUE(names.insert(result.name).second) << "named twice: " << result.name;
  }
  EXPECT_TRUE(sim.TopLevelWindows().empty());
}

TEST(WindowConformance, ASecondRunOnTheSamePlatformGivesTheSameAnswers) {
  SimPlatform sim;
  const auto first = conformance::RunWindowScenarios(sim);
  const auto second = conformance::RunWindowScenarios(sim);
  ASSERT_EQ(first.size(), second.size());
  for (std::size_t k = 0; k < first.size(); ++k) {
    EXPECT_EQ(second[k].got, first[k].got) << second[k].name;
  }
}

}  // namespace
