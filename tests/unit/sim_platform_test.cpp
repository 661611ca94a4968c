// The simulated desktop must answer as Windows does (the rules were checked
// under Wine): lookup order and matching, sent versus posted messages,
// timers and the virtual clock, process memory, message boxes.
#include "platform/sim/sim_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace platform;
using platform::sim::SimPlatform;

class SimTest : public ::testing::Test {
 protected:
  SimTest() {
    sim.RegisterClass("Probe", [this](Hwnd h, const Message& m) -> LResult {
      received.push_back(m.id);
      if (m.id == kWmUser) return 42;
      return sim.DefWindowProc(h, m);
    });
  }
  Hwnd Make(const std::string& cls, const std::string& text, Hwnd parent = 0) {
    return sim.CreateWindow({cls, text, parent, {0, 0, 100, 20}});
  }
  SimPlatform sim;
  std::vector<Msg> received;
};

TEST_F(SimTest, ChildrenAreListedInCreationOrderAndBringingToTopMovesToFront) {
  const Hwnd parent = Make("Probe", "parent");
  const Hwnd a = Make("Probe", "a", parent);
  const Hwnd b = Make("Probe", "b", parent);
  const Hwnd c = Make("Probe", "c", parent);
  EXPECT_EQ(sim.FindWindowEx(parent, 0, "Probe"), a);
  EXPECT_EQ(sim.FindWindowEx(parent, a, "Probe"), b);
  sim.SetWindowPos(c, kHwndTop, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
  EXPECT_EQ(sim.FindWindowEx(parent, 0, "Probe"), c);
  EXPECT_EQ(sim.FindWindowEx(parent, c, "Probe"), a);
}

TEST_F(SimTest, ANewTopLevelWindowGoesInFront) {
  const Hwnd first = Make("Probe", "one");
  const Hwnd second = Make("Probe", "two");
  EXPECT_EQ(sim.FindWindow("Probe"), second);
  EXPECT_EQ(sim.FindWindowEx(0, second, "Probe"), first);
}

TEST_F(SimTest, ClassAndCaptionMatchIgnoringCase) {
  const Hwnd parent = Make("Probe", "Send Instant Message");
  EXPECT_EQ(sim.FindWindow("PROBE", std::string_view("send instant MESSAGE")), parent);
  EXPECT_EQ(sim.FindWindow("probe", std::string_view("Send Instant")), 0u);  // whole caption only
  // An ANSI window holds "Lódz ÉTÉ" (Windows' look-alikes for Ł and ź), and a
  // lookup compares against that as it was asked.
  const Hwnd child = Make("Probe", "Łódź ÉTÉ", parent);
  EXPECT_EQ(sim.FindWindowEx(parent, 0, "probe", std::string_view("lÓdz été")), child);
  EXPECT_EQ(sim.FindWindowEx(parent, 0, "probe", std::string_view("Łódź ÉTÉ")), 0u);
}

TEST_F(SimTest, LookupUnderParentZeroSearchesTheDesktop) {
  const Hwnd top = Make("Probe", "top");
  const Hwnd inner = Make("Probe", "inner", top);
  EXPECT_EQ(sim.FindWindowEx(0, 0, "Probe"), top);
  EXPECT_NE(sim.FindWindowEx(0, 0, "Probe"), inner);
}

TEST_F(SimTest, NextSiblingChainRunsPastTheEndToZeroOnceThenStartsOver) {
  const Hwnd parent = Make("Probe", "p");
  const Hwnd a = Make("Probe", "a", parent);
  const Hwnd b = Make("Probe", "b", parent);
  std::vector<Hwnd> chain;
  Hwnd at = 0;
  for (int k = 0; k < 5; ++k) chain.push_back(at = sim.FindWindowEx(parent, at, "Probe"));
  EXPECT_EQ(chain, (std::vector<Hwnd>{a, b, 0, a, b}));
}

TEST_F(SimTest, SentRunsAtOncePostedWaitsForTheNextYield) {
  const Hwnd w = Make("Probe", "w");
  received.clear();
  EXPECT_EQ(sim.SendMessage(w, kWmUser, 0, 0), 42);
  EXPECT_TRUE(sim.PostMessage(w, kWmUser + 1, 0, 0));
  EXPECT_EQ(received, (std::vector<Msg>{kWmUser}));
  sim.Yield();
  EXPECT_EQ(received, (std::vector<Msg>{kWmUser, kWmUser + 1}));
}

TEST_F(SimTest, HandleZeroAndDeadHandlesDoNothing) {
  EXPECT_EQ(sim.SendMessage(0, kWmUser, 0, 0), 0);
  EXPECT_FALSE(sim.PostMessage(0, kWmClose, 0, 0));
  EXPECT_EQ(sim.SendMessageGetText(0, kWmGetText, 10, 10), "");
  EXPECT_EQ(sim.GetWindowTextLength(0), 0);
  EXPECT_EQ(sim.FindWindowEx(0x7777, 0, "Probe"), 0u);
  const Hwnd w = Make("Probe", "w");
  sim.DestroyWindow(w);
  EXPECT_FALSE(sim.PostMessage(w, kWmUser, 0, 0));
  EXPECT_FALSE(sim.IsWindow(w));
}

TEST_F(SimTest, TextArrivesAsWindows1252AndLengthsCountThoseCharacters) {
  const Hwnd w = Make("Probe", "");
  // Ω has a look-alike in the code page, 中 none, 😀 is two UTF-16 units.
  sim.SendMessageText(w, kWmSetText, 0, ".·´`°·• Ω 中😀");
  EXPECT_EQ(sim.Inspect(w)->text_bytes, "\x2E\xB7\xB4\x60\xB0\xB7\x95 O ???");
  EXPECT_EQ(sim.SendMessage(w, kWmGetTextLength, 0, 0), 13);
  EXPECT_EQ(sim.SendMessageGetText(w, kWmGetText, 20, 20), ".·´`°·• O ???");
  // A buffer of four characters holds three and the terminating zero.
  EXPECT_EQ(sim.SendMessageGetText(w, kWmGetText, 4, 4), ".·´");
  EXPECT_EQ(sim.GetWindowText(w, 3), ".·");
}

TEST_F(SimTest, WaitJumpsToTimersAndRunsThemOnTime) {
  const Hwnd w = Make("Probe", "w");
  std::vector<double> ticks;
  sim.RegisterClass("Ticker", [&](Hwnd h, const Message& m) -> LResult {
    if (m.id == kWmTimer) ticks.push_back(sim.Now());
    return sim.DefWindowProc(h, m);
  });
  const Hwnd t = Make("Ticker", "t", w);
  const double start = sim.Now();
  sim.SetTimer(t, 1, 1000);
  sim.WaitUntil(start + 3.5);
  ASSERT_EQ(ticks.size(), 3u);
  EXPECT_DOUBLE_EQ(ticks[0] - start, 1.0);
  EXPECT_DOUBLE_EQ(ticks[2] - start, 3.0);
  EXPECT_DOUBLE_EQ(sim.Now(), start + 3.5);
  sim.KillTimer(t, 1);
  sim.WaitUntil(start + 10);
  EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(SimTest, ATimerThatFellBehindFiresOnceAndKeepsItsPhase) {
  std::vector<double> ticks;
  sim.RegisterClass("Slow", [&](Hwnd h, const Message& m) -> LResult {
    if (m.id == kWmTimer) {
      ticks.push_back(sim.Now());
      if (ticks.size() == 1) sim.WaitUntil(sim.Now() + 3.5);  // a handler that waits long
    }
    return sim.DefWindowProc(h, m);
  });
  const Hwnd t = Make("Slow", "t");
  const double start = sim.Now();
  sim.SetTimer(t, 1, 1000);
  sim.WaitUntil(start + 6.0);
  // Inside the long wait the timer goes on ticking (nested), at its own pace.
  std::vector<double> offsets;
  for (double tick : ticks) offsets.push_back(tick - start);
  EXPECT_EQ(offsets, (std::vector<double>{1, 2, 3, 4, 5, 6}));
}

TEST_F(SimTest, ClosingEndsAWaitAtOnce) {
  const double start = sim.Now();
  sim.At(start + 1, [&] { sim.PostQuitMessage(3); });
  sim.WaitUntil(start + 100);
  EXPECT_DOUBLE_EQ(sim.Now(), start + 1);
  EXPECT_TRUE(sim.Closing());
  EXPECT_EQ(sim.ExitCode(), 3);
}

TEST_F(SimTest, ButtonClicksReachTheParentAndMessageBoxClosesOnSpace) {
  const Hwnd owner = Make("Probe", "owner");
  const Hwnd box = sim.ShowMessageBox(owner, "No such screen name.", "America Online");
  EXPECT_EQ(sim.FindWindow("#32770", std::string_view("America Online")), box);
  const Hwnd icon = sim.FindWindowEx(box, 0, "Static");
  const Hwnd ok = sim.FindWindowEx(box, 0, "Button");
  const Hwnd text = sim.FindWindowEx(box, icon, "Static");
  EXPECT_EQ(sim.FindWindowEx(box, 0, "Button", std::string_view("OK")), ok);
  EXPECT_EQ(sim.Inspect(text)->text, "No such screen name.");
  // A key up alone is no press.
  sim.SendMessage(ok, kWmKeyUp, kVkSpace, 0);
  EXPECT_TRUE(sim.IsWindow(box));
  sim.SendMessage(ok, kWmKeyDown, kVkSpace, 0);
  sim.SendMessage(ok, kWmKeyUp, kVkSpace, 0);
  EXPECT_FALSE(sim.IsWindow(box));
}

TEST_F(SimTest, AnotherProcessMemoryIsReadWholeOrNotAtAll) {
  const Pid client = sim.CreateProcess("client");
  std::uint32_t address = 0;
  {
    auto scope = sim.AsProcess(client);
    address = sim.AllocateSharedMemory(8);
    const char bytes[] = "ABCDEFGH";
    ASSERT_TRUE(sim.WriteOwnMemory(address, bytes, 8));
    EXPECT_FALSE(sim.WriteOwnMemory(address + 4, bytes, 8));  // past the block
  }
  ProcessHandle process = sim.OpenProcess(kStandardRightsRequired | kProcessVmRead, false, client);
  ASSERT_TRUE(process);
  char buffer[8] = {};
  std::size_t read = 99;
  EXPECT_TRUE(sim.ReadProcessMemory(process.get(), address + 2, buffer, 4, &read));
  EXPECT_EQ(std::string(buffer, 4), "CDEF");
  EXPECT_EQ(read, 4u);
  char untouched[4] = {'x', 'x', 'x', 'x'};
  EXPECT_FALSE(sim.ReadProcessMemory(process.get(), address + 6, untouched, 4, &read));
  EXPECT_EQ(std::string(untouched, 4), "xxxx");
  EXPECT_EQ(read, 0u);
  const std::uint32_t handle = process.get();
  process.Close();
  EXPECT_FALSE(sim.CloseHandle(handle));  // already closed by its owner
  sim.SetProcessReadable(client, false);
  EXPECT_FALSE(sim.OpenProcess(kStandardRightsRequired | kProcessVmRead, false, client));
}

TEST_F(SimTest, MenusAnswerByPositionAndByCommand) {
  const Hwnd w = Make("Probe", "w");
  const MenuHandle bar = sim.CreateMenu();
  const MenuHandle file = sim.CreatePopupMenu();
  sim.AppendMenu(file, kMfString, 101, "&Open");
  sim.AppendMenu(file, kMfSeparator, 0, "");
  sim.AppendMenu(bar, kMfPopup, file, "&File");
  sim.SetMenu(w, bar);
  EXPECT_EQ(sim.GetMenu(w), bar);
  EXPECT_EQ(sim.GetMenuItemCount(bar), 1);
  EXPECT_EQ(sim.GetMenuItemCount(0), -1);
  EXPECT_EQ(sim.GetSubMenu(bar, 0), file);
  EXPECT_EQ(sim.GetMenuItemID(bar, 0), 0xFFFFFFFFu);  // opens a submenu
  EXPECT_EQ(sim.GetMenuItemID(file, 0), 101u);
  EXPECT_EQ(sim.GetMenuString(bar, 101, 100, kMfByCommand), "&Open");
  EXPECT_EQ(sim.GetMenuString(file, 0, 3, kMfByPosition), "&O");
  EXPECT_EQ(sim.GetMenuString(file, 555, 100, kMfByCommand), std::nullopt);
}

TEST_F(SimTest, TabMovesFocusAlongTheTabStops) {
  WindowSpec frame{"Probe", "form", 0, {100, 100, 300, 200}};
  frame.title_bar = true;
  const Hwnd form = sim.CreateWindow(frame);
  const Hwnd first = sim.CreateWindow({"Button", "1", form, {0, 0, 10, 10}, 1, true, true});
  sim.CreateWindow({"Static", "label", form, {0, 0, 10, 10}});
  const Hwnd second = sim.CreateWindow({"Edit", "", form, {0, 0, 10, 10}, 2, true, true});
  sim.SetFocus(first);
  sim.UserKey(first, kVkTab);
  sim.Yield();
  EXPECT_EQ(sim.GetFocus(), second);
  sim.UserKey(second, kVkTab);
  sim.Yield();
  EXPECT_EQ(sim.GetFocus(), first);
}

TEST_F(SimTest, ATopLevelWindowGetsItsClientAreaWhereAsked) {
  WindowSpec spec{"Probe", "form", 0, {135, 155, 135 + 415, 155 + 100}};
  spec.title_bar = true;
  const Hwnd form = sim.CreateWindow(spec);
  const Hwnd child = sim.CreateWindow({"Button", "b", form, {10, 20, 60, 40}});
  EXPECT_EQ(sim.GetClientRect(form), (Rect{135, 155, 550, 255}));
  EXPECT_EQ(sim.GetWindowRect(child), (Rect{145, 175, 195, 195}));
  const Rect outer = sim.GetWindowRect(form);
  EXPECT_LT(outer.top, 155);
  sim.SetWindowPos(form, kHwndTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
  EXPECT_EQ(sim.GetWindowRect(form), outer);
  EXPECT_TRUE(sim.Inspect(form)->topmost);
}

}  // namespace
