// The idler window end to end in the simulated desktop, against the
// substitute client, in virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "aol/core/wait_limits.h"
#include "app/away_mode.h"
#include "app/form3.h"
#include "client_fixture.h"
#include "platform/codec.h"

namespace {

using namespace platform;
using app::Form3;
using substitute::Received;
using testing_support::ClientFixture;
namespace lines = app::lines;

// The Windows-1252 bytes of a line of the idler.
std::string Bytes(std::string_view line) { return Utf8ToCp1252(line); }
std::string Reason(std::string_view reason) {
  return Bytes(std::string(lines::kReasonPrefix) + std::string(reason));
}

class IdlerTest : public ClientFixture {
 protected:
  void SetUp() override {
    StartClient();
    room = OpenRoom("Lobby");
  }

  // Opens the idler window; the load announcement runs first.
  Form3& OpenIdler() {
    form = std::make_unique<Form3>(sim);
    form->Open();
    return *form;
  }

  // Room lines received since `from` (an index into the log), as bytes.
  std::vector<std::string> LinesSince(std::size_t from) const {
    std::vector<std::string> out;
    const auto& log = client->Log();
    for (std::size_t k = from; k < log.size(); ++k) {
      if (log[k].kind == Received::Kind::kRoomLine) out.push_back(Utf8ToCp1252(log[k].text));
    }
    return out;
  }
  std::vector<double> LineTimesSince(std::size_t from) const {
    std::vector<double> out;
    const auto& log = client->Log();
    for (std::size_t k = from; k < log.size(); ++k) {
      if (log[k].kind == Received::Kind::kRoomLine) out.push_back(log[k].time);
    }
    return out;
  }
  std::string Caption(Hwnd window) { return sim.Inspect(window)->text; }
  void Click(Hwnd button) { sim.UserClick(button); }
  // Lets virtual time run up to `time`. A handler started meanwhile may have
  // carried the clock further already (its waits run nested).
  void RunUntil(double time) { sim.RunFor(std::max(0.0, time - sim.Now())); }

  Hwnd room = 0;
  std::unique_ptr<Form3> form;
};

TEST_F(IdlerTest, OpensWithItsControlsAndAnnouncesItself) {
  const double start = sim.Now();
  Form3& f = OpenIdler();
  EXPECT_EQ(client->TranscriptBytes(room),
            (std::vector<std::string>{Bytes(lines::kBanner), Bytes(lines::kCredit),
                                      Bytes(lines::kLoaded)}));
  const std::vector<double> times = LineTimesSince(0);
  EXPECT_NEAR(times[0] - start, 0.0, 0.01);
  EXPECT_NEAR(times[1] - times[0], 0.7, 0.01);
  EXPECT_NEAR(times[2] - times[1], 0.7, 0.01);

  EXPECT_EQ(Caption(f.hwnd()), "Brix  Qvx Idler");
  EXPECT_EQ(Caption(f.Text1()), "Were you goin?");
  EXPECT_EQ(Caption(f.Label1()), "0");
  EXPECT_EQ(Caption(f.Label2()), "0");
  EXPECT_EQ(Caption(f.Label3()), "Seconds");
  EXPECT_EQ(Caption(f.Label4()), "Minutes");
  EXPECT_EQ(Caption(f.Command1()), "Start");
  EXPECT_EQ(Caption(f.Command2()), "Stop");
  EXPECT_EQ(Caption(f.Command3()), "Exit");
  EXPECT_EQ(sim.GetFocus(), f.Command1());
  EXPECT_TRUE(sim.IsWindowVisible(f.hwnd()));
  EXPECT_FALSE(f.Timer1().enabled());
  EXPECT_FALSE(f.Timer2().enabled());
}

TEST_F(IdlerTest, TheLoadAnnouncementRunsBeforeTheWindowIsShown) {
  std::vector<bool> visible_at_line;
  sim.At(sim.Now() + 0.3, [&] { visible_at_line.push_back(sim.IsWindowVisible(form->hwnd())); });
  OpenIdler();
  EXPECT_EQ(visible_at_line, std::vector<bool>{false});
}

TEST_F(IdlerTest, WindowGeometryColoursAndPictureAreAsDesigned) {
  Form3& f = OpenIdler();
  EXPECT_EQ(sim.GetClientRect(f.hwnd()), (Rect{135, 155, 550, 255}));
  struct Place {
    Hwnd control;
    Rect at;  // within the client area, pixels
  };
  const Place places[] = {
      {f.Text1(), {104, 0, 281, 33}},    {f.Command3(), {352, 0, 417, 17}},
      {f.Command1(), {0, 72, 65, 89}},   {f.Label3(), {72, 72, 121, 89}},
      {f.Label1(), {136, 72, 185, 89}},  {f.Label4(), {216, 72, 257, 89}},
      {f.Label2(), {288, 72, 345, 89}},  {f.Command2(), {344, 72, 417, 89}},
  };
  for (const Place& p : places) {
    const Rect r = sim.GetWindowRect(p.control);
    EXPECT_EQ((Rect{r.left - 135, r.top - 155, r.right - 135, r.bottom - 155}), p.at)
        << Caption(p.control);
  }
  for (Hwnd label : {f.Label1(), f.Label2(), f.Label3(), f.Label4()}) {
    EXPECT_EQ(sim.Inspect(label)->text_color, (Color{128, 128, 128}));
    EXPECT_EQ(sim.Inspect(label)->background_color, (Color{0, 0, 0}));
  }
  EXPECT_EQ(sim.Inspect(f.hwnd())->background_color, (Color{0, 0, 0}));
  EXPECT_EQ(sim.Inspect(f.hwnd())->picture, "BACKGROUND");
  EXPECT_EQ(sim.Inspect(f.hwnd())->icon, "APPICON");
  EXPECT_EQ(f.Timer1().interval_ms(), 1000u);
  EXPECT_EQ(f.Timer2().interval_ms(), 60000u);
}

TEST_F(IdlerTest, TabRunsStartStopTextBoxExit) {
  Form3& f = OpenIdler();
  std::vector<Hwnd> order{sim.GetFocus()};
  for (int k = 0; k < 4; ++k) {
    sim.UserKey(sim.GetFocus(), kVkTab);
    sim.Yield();
    order.push_back(sim.GetFocus());
  }
  EXPECT_EQ(order, (std::vector<Hwnd>{f.Command1(), f.Command2(), f.Text1(), f.Command3(),
                                      f.Command1()}));
}

TEST_F(IdlerTest, StartAnnouncesThenTurnsInstantMessagesOff) {
  Form3& f = OpenIdler();
  const std::size_t mark = client->Log().size();
  const double clicked = sim.Now();
  Click(f.Command1());
  sim.RunFor(5);
  EXPECT_EQ(LinesSince(mark), (std::vector<std::string>{Bytes(lines::kBanner),
                                                        Bytes(lines::kStatus),
                                                        Reason("Were you goin?")}));
  const std::vector<double> times = LineTimesSince(mark);
  EXPECT_NEAR(times[0] - clicked, 0.0, 0.01);
  EXPECT_NEAR(times[1] - times[0], 0.7, 0.01);
  EXPECT_NEAR(times[2] - times[1], 0.7, 0.01);
  // One IM, after the three lines.
  std::vector<Received> ims;
  for (const Received& r : client->Log()) {
    if (r.kind == Received::Kind::kInstantMessage) ims.push_back(r);
  }
  ASSERT_EQ(ims.size(), 1u);
  EXPECT_EQ(ims[0].to, "$IM_OFF");
  EXPECT_EQ(ims[0].text, "Brix Idler");
  EXPECT_GT(ims[0].time, times[2]);
  EXPECT_TRUE(client->ImWindows().empty());
  EXPECT_TRUE(f.Timer1().enabled());
  EXPECT_TRUE(f.Timer2().enabled());
}

TEST_F(IdlerTest, AMinuteAfterStartTheThreeLinesComeAgainAndTheCountersTick) {
  Form3& f = OpenIdler();
  const double clicked = sim.Now();
  Click(f.Command1());
  sim.RunFor(0.001);  // the click is handled: Start's lines and IM go out
  const std::size_t mark = client->Log().size();
  RunUntil(clicked + 60.5);
  EXPECT_EQ(Caption(f.Label2()), "1");
  // About 60: the minute's own announcement runs its 1.4 s of pauses nested
  // in this wait, and the seconds go on counting meanwhile.
  EXPECT_NEAR(std::stod(Caption(f.Label1())), 60, 1.5);
  const std::vector<std::string> got = LinesSince(mark);
  ASSERT_GE(got.size(), 3u);
  // The last three are the minute's announcement (Start's own lines came
  // before, in the first 1.4 s).
  EXPECT_EQ(std::vector<std::string>(got.end() - 3, got.end()),
            (std::vector<std::string>{Bytes(lines::kBanner), Bytes(lines::kStatus),
                                      Reason("Were you goin?")}));
}

TEST_F(IdlerTest, TheReasonIsReadWhenItsLineIsSent) {
  Form3& f = OpenIdler();
  Click(f.Command1());
  sim.RunFor(5);
  sim.SendMessageText(f.Text1(), kWmSetText, 0, "");
  sim.UserType(f.Text1(), "out for lunch · back soon");
  sim.RunFor(56);
  std::vector<std::string> got = LinesSince(0);
  EXPECT_EQ(got.back(), Reason("out for lunch · back soon"));
  sim.SendMessageText(f.Text1(), kWmSetText, 0, "");
  sim.RunFor(60);
  got = LinesSince(0);
  EXPECT_EQ(got.back(), Bytes(".·´`°·• Reason: "));  // the trailing space stays
}

TEST_F(IdlerTest, StopAnnouncesTurnsInstantMessagesOnAndStartContinuesTheCounters) {
  Form3& f = OpenIdler();
  Click(f.Command1());
  sim.RunFor(125);
  EXPECT_EQ(Caption(f.Label1()), "125");
  EXPECT_EQ(Caption(f.Label2()), "2");
  const std::size_t mark = client->Log().size();
  Click(f.Command2());
  sim.RunFor(5);
  EXPECT_EQ(LinesSince(mark), (std::vector<std::string>{Bytes(lines::kShortBanner),
                                                        Bytes(lines::kCredit),
                                                        Bytes(lines::kStopped)}));
  EXPECT_EQ(client->InstantMessages().back(), (std::pair<std::string, std::string>{"$IM_ON",
                                                                                   "Brix Idler"}));
  sim.RunFor(100);
  EXPECT_EQ(Caption(f.Label1()), "125");  // stopped: nothing counts
  const double restarted = sim.Now();
  Click(f.Command1());
  RunUntil(restarted + 60.5);
  EXPECT_NEAR(std::stod(Caption(f.Label1())), 185, 1.5);
  EXPECT_EQ(Caption(f.Label2()), "3");
}

TEST_F(IdlerTest, AStopClickedWhileStartWaitsForTheClientRunsInsideThatWait) {
  client->script().im_window_delay = 3.0;  // a slow client
  Form3& f = OpenIdler();
  const std::size_t mark = client->Log().size();
  const double clicked = sim.Now();
  Click(f.Command1());
  sim.At(clicked + 2.0, [&] { Click(f.Command2()); });  // Start is still waiting then
  sim.RunFor(15);
  const std::vector<std::string> got = LinesSince(mark);
  EXPECT_EQ(got, (std::vector<std::string>{Bytes(lines::kBanner), Bytes(lines::kStatus),
                                           Reason("Were you goin?"), Bytes(lines::kShortBanner),
                                           Bytes(lines::kCredit), Bytes(lines::kStopped)}));
  EXPECT_FALSE(f.Timer1().enabled());
  // Stop's lines went out while Start was still waiting for its IM window.
  const std::vector<double> times = LineTimesSince(mark);
  EXPECT_LT(times[5], clicked + 1.4 + 3.0);
  const auto ims = client->InstantMessages();
  ASSERT_EQ(ims.size(), 2u);
  for (const auto& im : ims) EXPECT_EQ(im.second, "Brix Idler");
}

TEST_F(IdlerTest, WithNoClientStartReturnsWithinTheBoundAndTheCountersTick) {
  CloseWindow(client->frame());
  Form3& f = OpenIdler();
  const double clicked = sim.Now();
  Click(f.Command1());
  sim.RunFor(0.01);
  // The handler ran nested in that short run: its three lines (1.4 s of
  // pauses) and no wait for an IM window that cannot come.
  EXPECT_LT(sim.Now() - clicked, 1.5);
  RunUntil(clicked + aol::Limits().window_appears + 1);
  EXPECT_EQ(Caption(f.Label1()), std::to_string(static_cast<int>(aol::Limits().window_appears + 1)));
  sim.RunFor(60);
  EXPECT_EQ(Caption(f.Label2()), "1");
}

TEST_F(IdlerTest, ClosingTheWindowDuringAWaitEndsTheProgramCleanly) {
  client->script().im_window_delay = 5.0;
  Form3& f = OpenIdler();
  const std::size_t mark = client->Log().size();
  const double clicked = sim.Now();
  Click(f.Command1());
  sim.At(clicked + 1.0, [&] { sim.PostMessage(f.hwnd(), kWmClose, 0, 0); });
  const int code = sim.RunMessageLoop();
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(f.Alive());
  // Start had sent two lines when the close came; the farewells follow, and
  // nothing of Start's comes after them.
  EXPECT_EQ(LinesSince(mark), (std::vector<std::string>{Bytes(lines::kBanner),
                                                        Bytes(lines::kStatus),
                                                        Bytes(lines::kFarewell1),
                                                        Bytes(lines::kFarewell2)}));
  EXPECT_LT(sim.Now() - clicked, 3.0);
  EXPECT_TRUE(client->InstantMessages().empty());
}

TEST_F(IdlerTest, ExitSaysGoodbyeClosesTheWindowAndEndsTheProgram) {
  Form3& f = OpenIdler();
  const std::size_t mark = client->Log().size();
  Click(f.Command3());
  EXPECT_EQ(sim.RunMessageLoop(), 0);
  EXPECT_FALSE(f.Alive());
  EXPECT_EQ(LinesSince(mark), (std::vector<std::string>{Bytes(lines::kBanner),
                                                        Bytes(lines::kCredit),
                                                        Bytes(lines::kUnloaded),
                                                        Bytes(lines::kFarewell1),
                                                        Bytes(lines::kFarewell2)}));
  // Exit's lines 0.7 s apart; the farewells follow at once as the window closes.
  const std::vector<double> times = LineTimesSince(mark);
  const double gaps[] = {0.7, 0.7, 0.0, 0.7};
  for (std::size_t k = 1; k < times.size(); ++k) {
    EXPECT_NEAR(times[k] - times[k - 1], gaps[k - 1], 0.01);
  }
}

TEST_F(IdlerTest, TheFarewellsUseTheirOwnCharacters) {
  EXPECT_EQ(Bytes(lines::kFarewell1), "\xB0\x95>> Vyn\xB3\xB0\xB0\xB0 \x95 Idler Bot <<\x95\xB0");
  EXPECT_EQ(Bytes(lines::kFarewell2), "\xB0\x95>> UnL\xF8" "a\xD0" "e\xD0 <<\x95\xB0");
}

}  // namespace
