// The file and settings-file scenarios over the simulated disk; the same
// scenarios run under Wine over the real calls (tests/wine/file_conformance.cpp).
#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"
#include "tests/conformance/file_scenarios.h"

namespace {

TEST(FileConformanceTest, SimulatedDiskAnswersAsWindowsDoes) {
  platform::sim::SimPlatform sim;
  // Twice: the second run starts from what the first one left.
  for (int run = 1; run <= 2; ++run) {
    const auto results = conformance::RunFileScenarios(sim, "C:\\brix-conformance");
    ASSERT_FALSE(results.empty());
    for (const auto& r : results) {
      EXPECT_EQ(r.got, r.expected) << "run " << run << ": " << r.name;
    }
  }
  // Only the folder and its subfolder stay.
  EXPECT_EQ(sim.FolderEntries("C:\\brix-conformance"), std::vector<std::string>{"sub"});
  EXPECT_FALSE(sim.FileBytes("C:\\windows\\brixconformance.ini"));
}

TEST(FileConformanceTest, ControlsSaveAndLoadAsOnWindows) {
  platform::sim::SimPlatform sim;
  sim.PutDirectory("C:\\brix-conformance");
  const auto results = conformance::RunControlFileScenarios(sim, "C:\\brix-conformance");
  ASSERT_FALSE(results.empty());
  for (const auto& r : results) EXPECT_EQ(r.got, r.expected) << r.name;
  EXPECT_TRUE(sim.FolderEntries("C:\\brix-conformance").empty());
  EXPECT_TRUE(sim.TopLevelWindows().empty());
}

}  // namespace
