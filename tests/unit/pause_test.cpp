// The pacing wait keeps the window live and lasts at least its time.
#include "aol/core/pause.h"

#include <gtest/gtest.h>

#include <vector>

#include "aol/core/wait_limits.h"
#include "platform/sim/sim_platform.h"

namespace {

using namespace platform;
using platform::sim::SimPlatform;

class PauseTest : public ::testing::Test {
 protected:
  PauseTest() : use_(sim) {
    sim.RegisterClass("Form", [this](Hwnd h, const Message& m) -> LResult {
      if (m.id == kWmTimer) ticks.push_back(sim.Now());
      if (m.id == kWmCommand) clicks.push_back(sim.Now());
      return sim.DefWindowProc(h, m);
    });
    WindowSpec spec{"Form", "form", 0, {0, 0, 200, 100}};
    spec.title_bar = true;
    form = sim.CreateWindow(spec);
    button = sim.CreateWindow({"Button", "Stop", form, {0, 0, 50, 20}, 2});
  }
  SimPlatform sim;
  ScopedPlatform use_;
  Hwnd form = 0;
  Hwnd button = 0;
  std::vector<double> ticks;
  std::vector<double> clicks;
};

TEST_F(PauseTest, ZeroReturnsWithoutProcessingMessages) {
  sim.PostMessage(form, kWmUser, 0, 0);
  const auto dispatched = sim.DispatchCount();
  const double start = sim.Now();
  aol::Pause(0);
  aol::Pause(-1);
  EXPECT_EQ(sim.DispatchCount(), dispatched);
  EXPECT_EQ(sim.Now(), start);
}

TEST_F(PauseTest, LastsAtLeastItsTimeAndHandlesTicksAndClicksMeanwhile) {
  const double start = sim.Now();
  sim.SetTimer(form, 1, 300);
  sim.At(start + 0.5, [&] { sim.UserClick(button); });
  aol::Pause(0.7);
  EXPECT_GE(sim.Now() - start, 0.7);
  EXPECT_LT(sim.Now() - start, 0.75);
  EXPECT_EQ(ticks.size(), 2u);  // at 0.3 and 0.6
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_LT(clicks[0] - start, 0.7);  // the click ran inside the pause
}

TEST_F(PauseTest, EndsAtOnceWhenTheProgramCloses) {
  const double start = sim.Now();
  sim.At(start + 0.2, [&] { sim.PostQuitMessage(0); });
  aol::Pause(30);
  EXPECT_NEAR(sim.Now() - start, 0.2, 1e-9);
}

TEST_F(PauseTest, WaitForGivesUpAtItsBoundAndSeesAnAnswerAsSoonAsItComes) {
  const double start = sim.Now();
  EXPECT_FALSE(aol::WaitFor(2.0, [] { return false; }));
  EXPECT_NEAR(sim.Now() - start, 2.0, 0.01);
  bool ready = false;
  sim.At(sim.Now() + 0.3, [&] { ready = true; });
  const double asked = sim.Now();
  EXPECT_TRUE(aol::WaitFor(5.0, [&] { return ready; }));
  EXPECT_LT(sim.Now() - asked, 0.3 + aol::Limits().poll_interval + 0.01);
}

}  // namespace
