// Slide-out effects in virtual time: the steps each one takes, the event
// loop running between them, and a window closed while it slides.
#include "desktop/slide_out.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace {

using namespace platform;
using platform::sim::SimPlatform;

class SlideOutTest : public ::testing::Test {
 protected:
  SlideOutTest() : use_(sim) {
    sim.RegisterClass("SlideForm", [this](Hwnd h, const Message& m) -> LResult {
      if (m.id == kWmCommand) clicked_at.push_back(sim.GetWindowRect(h));
      return sim.DefWindowProc(h, m);
    });
  }
  // A form without a frame, so that its pixel rectangle is the one given.
  Hwnd MakeForm(Rect pixels) { return sim.CreateWindow({"SlideForm", "form", 0, pixels}); }
  int Steps() const {
    int steps = 0;
    for (const auto& call : sim.Calls()) steps += call.name == "SetWindowPos";
    return steps;
  }
  SimPlatform sim;
  ScopedPlatform use_;
  std::vector<Rect> clicked_at;
};

TEST_F(SlideOutTest, EachSlideStepsUntilItsEnd) {
  struct Case {
    const char* name;
    void (*slide)(Hwnd);
    Rect start;        // pixels
    int screen_width;  // pixels
    int steps;
    Point end;  // twips
  };
  const Case cases[] = {
      {"down", desktop::SlideFormDown, {10, 0, 110, 200}, 1024, 25, {150, 7500}},
      {"down from below the bound still moves once",
       desktop::SlideFormDown,
       {10, 481, 110, 681},
       1024,
       1,
       {150, 7515}},
      {"up: 3000 twips high", desktop::SlideFormUp, {10, 0, 110, 200}, 1024, 11, {150, -3300}},
      {"left: 1500 twips wide", desktop::SlideFormLeft, {0, 20, 100, 220}, 1024, 6, {-1800, 300}},
      {"right on a screen 9600 twips wide",
       desktop::SlideFormRight,
       {0, 20, 100, 220},
       640,
       33,
       {9900, 300}},
  };
  for (const Case& c : cases) {
    sim.SetScreenSize({c.screen_width, 480});
    const Hwnd form = MakeForm(c.start);
    sim.ClearCalls();
    c.slide(form);
    EXPECT_EQ(Steps(), c.steps) << c.name;
    const Rect end = sim.GetWindowRect(form);
    EXPECT_EQ((Point{end.left * 15, end.top * 15}), c.end) << c.name;
    EXPECT_EQ(end.width(), c.start.width()) << c.name;
    EXPECT_EQ(end.height(), c.start.height()) << c.name;
    sim.DestroyWindow(form);
  }
}

TEST_F(SlideOutTest, EachStepYieldsThenMovesOnly) {
  const Hwnd form = MakeForm({10, 0, 110, 200});
  sim.ClearCalls();
  desktop::SlideFormDown(form);
  std::vector<std::string> first;
  for (const auto& call : sim.Calls()) {
    if (call.name == "Yield" || call.name == "SetWindowPos") first.push_back(call.name);
    if (call.name == "SetWindowPos") {
      EXPECT_EQ(call.numbers.at(4), kSwpNoSize | kSwpNoZOrder | kSwpNoActivate);
    }
  }
  ASSERT_GE(first.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(first.begin(), first.begin() + 4),
            (std::vector<std::string>{"Yield", "SetWindowPos", "Yield", "SetWindowPos"}));
}

TEST_F(SlideOutTest, AClickDuringASlideRunsBetweenTwoSteps) {
  const Hwnd form = MakeForm({10, 0, 110, 200});
  const Hwnd button = sim.CreateWindow({"Button", "Stop", form, {0, 0, 50, 20}, 7});
  sim.At(sim.Now() + 0.0105, [&] { sim.UserClick(button); });
  desktop::SlideFormDown(form);
  ASSERT_EQ(clicked_at.size(), 1u);
  const int y = clicked_at[0].top * 15;
  EXPECT_GT(y, 0);
  EXPECT_LT(y, 7500);
  EXPECT_EQ(y % 300, 0);
  EXPECT_EQ(sim.GetWindowRect(form).top * 15, 7500);  // and the slide went on to its end
}

TEST_F(SlideOutTest, AWindowClosedWhileItSlidesEndsTheSlide) {
  for (auto slide : {desktop::SlideFormDown, desktop::SlideFormUp, desktop::SlideFormLeft,
                     desktop::SlideFormRight}) {
    const Hwnd form = MakeForm({10, 0, 110, 200});
    sim.At(sim.Now() + 0.0055, [&] { sim.DestroyWindow(form); });  // during the sixth yield
    sim.ClearCalls();
    slide(form);
    EXPECT_EQ(Steps(), 5);
  }
  sim.ClearCalls();
  desktop::SlideFormRight(0);
  EXPECT_EQ(Steps(), 0);
}

}  // namespace
