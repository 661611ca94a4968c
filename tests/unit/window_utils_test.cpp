// Small routines on single windows: the calls they make and what they read.
#include "desktop/window_utils.h"

#include <gtest/gtest.h>

#include <string>

#include "client_fixture.h"

namespace {

using namespace platform;
using platform::sim::CallRecord;
using testing_support::ClientFixture;

class WindowUtilsTest : public ClientFixture {
 protected:
  WindowUtilsTest() {
    WindowSpec spec{"Static", "form", 0, {135, 155, 550, 255}};
    spec.title_bar = true;
    form = sim.CreateWindow(spec);
    edit = sim.CreateWindow({"Edit", "", form, {0, 0, 100, 20}});
    list = sim.CreateWindow({"ListBox", "", form, {0, 30, 100, 90}});
  }
  Hwnd form = 0;
  Hwnd edit = 0;
  Hwnd list = 0;
};

TEST_F(WindowUtilsTest, TextRoundTripsWithExactLengths) {
  const std::string big(1 << 20, 'x');
  for (const std::string& text : {std::string(), std::string("abc"), std::string("·´`°"), big}) {
    desktop::SetText(edit, text);
    const std::string read = desktop::GetText(edit);
    EXPECT_EQ(read.size(), text.size());
    EXPECT_EQ(read, text);
    EXPECT_EQ(desktop::GetCaption(edit), text);
  }
  desktop::SetText(edit, "abc");
  EXPECT_EQ(desktop::GetText(edit).size(), 3u);  // no terminating zero inside
  desktop::SetText(edit, "naïve Ω 中");
  EXPECT_EQ(desktop::GetText(edit), "naïve O ?");  // Windows' look-alike, else "?"
}

TEST_F(WindowUtilsTest, ReadsOfHandleZeroAreEmptyAndWritesGoNowhere) {
  EXPECT_EQ(desktop::GetText(0), "");
  EXPECT_EQ(desktop::GetCaption(0), "");
  EXPECT_EQ(desktop::GetListText(0), "");
  for (auto routine : {desktop::ShowWin, desktop::HideWin, desktop::CloseWin, desktop::ClickWin,
                       desktop::PressSpace, desktop::SetAlwaysAbove, desktop::ClearAlwaysAbove,
                       desktop::DragForm}) {
    routine(0);
  }
  desktop::SetText(0, "nothing");
}

TEST_F(WindowUtilsTest, ListTextIsTheFirstEntry) {
  EXPECT_EQ(desktop::GetListText(list), "");
  sim.SendMessageText(list, kLbAddString, 0, "first °");
  sim.SendMessageText(list, kLbAddString, 0, "second");
  EXPECT_EQ(desktop::GetListText(list), "first °");
}

TEST_F(WindowUtilsTest, CallsAreTheOnesWindowsExpects) {
  struct Case {
    const char* name;
    void (*routine)(Hwnd);
    std::vector<CallRecord> expected;
  };
  const Hwnd f = form;
  const std::vector<Case> cases = {
      {"ShowWin", desktop::ShowWin, {{.name = "ShowWindow", .window = f, .numbers = {5}}}},
      {"HideWin", desktop::HideWin, {{.name = "ShowWindow", .window = f, .numbers = {0}}}},
      {"CloseWin", desktop::CloseWin, {{.name = "PostMessage", .window = f, .msg = 0x10}}},
      {"ClickWin", desktop::ClickWin,
       {{.name = "SendMessage", .window = f, .msg = 0x201},
        {.name = "SendMessage", .window = f, .msg = 0x202}}},
      {"PressSpace", desktop::PressSpace,
       {{.name = "SendMessage", .window = f, .msg = 0x100, .w = 0x20},
        {.name = "SendMessage", .window = f, .msg = 0x101, .w = 0x20}}},
      {"SetAlwaysAbove", desktop::SetAlwaysAbove,
       {{.name = "SetWindowPos", .window = f, .window2 = kHwndTopmost, .numbers = {0, 0, 0, 0, 3}}}},
      {"ClearAlwaysAbove", desktop::ClearAlwaysAbove,
       {{.name = "SetWindowPos", .window = f, .window2 = kHwndNoTopmost,
         .numbers = {0, 0, 0, 0, 3}}}},
      {"DragForm", desktop::DragForm,
       {{.name = "ReleaseCapture"},
        {.name = "SendMessage", .window = f, .msg = 0x112, .w = 0xF012}}},
  };
  for (const Case& c : cases) {
    sim.ClearCalls();
    c.routine(form);
    const std::vector<CallRecord> got = ProgramCalls();
    ASSERT_EQ(got.size(), c.expected.size()) << c.name;
    for (std::size_t k = 0; k < got.size(); ++k) {
      const CallRecord& want = c.expected[k];
      EXPECT_EQ(got[k].name, want.name) << c.name;
      EXPECT_EQ(got[k].window, want.window) << c.name;
      EXPECT_EQ(got[k].window2, want.window2) << c.name;
      EXPECT_EQ(got[k].msg, want.msg) << c.name;
      EXPECT_EQ(got[k].w, want.w) << c.name;
      EXPECT_EQ(got[k].l, 0) << c.name;
      if (!want.numbers.empty()) {
        EXPECT_EQ(got[k].numbers, want.numbers) << c.name;
      }
    }
  }
}

TEST_F(WindowUtilsTest, AlwaysAboveMovesAndResizesNothing) {
  const Rect before = sim.GetWindowRect(form);
  desktop::SetAlwaysAbove(form);
  EXPECT_TRUE(sim.Inspect(form)->topmost);
  desktop::ClearAlwaysAbove(form);
  EXPECT_FALSE(sim.Inspect(form)->topmost);
  EXPECT_EQ(sim.GetWindowRect(form), before);
}

TEST_F(WindowUtilsTest, CloseWinOnlyPostsAndHideShowToggleVisibility) {
  desktop::HideWin(form);
  EXPECT_FALSE(sim.IsWindowVisible(edit));
  desktop::ShowWin(form);
  EXPECT_TRUE(sim.IsWindowVisible(edit));
  desktop::CloseWin(form);
  EXPECT_TRUE(sim.IsWindow(form));  // nothing happens before the queue is processed
  sim.Yield();
  EXPECT_FALSE(sim.IsWindow(form));
}

TEST_F(WindowUtilsTest, ClickAndSpacePressAButtonOfAnotherProgram) {
  StartClient();
  Hwnd box = 0;
  {
    auto scope = sim.AsProcess(client_pid);
    box = sim.ShowMessageBox(client->frame(), "Refused.", "America Online");
  }
  desktop::PressSpace(sim.FindWindowEx(box, 0, "Button"));
  EXPECT_FALSE(sim.IsWindow(box));
  {
    auto scope = sim.AsProcess(client_pid);
    box = sim.ShowMessageBox(client->frame(), "Refused.", "America Online");
  }
  desktop::ClickWin(sim.FindWindowEx(box, 0, "Button"));
  EXPECT_FALSE(sim.IsWindow(box));
}

}  // namespace
