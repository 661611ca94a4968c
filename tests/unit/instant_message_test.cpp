// Keywords and Instant Messages against the substitute client.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aol/core/instant_message.h"
#include "aol/core/keyword.h"
#include "aol/core/wait_limits.h"
#include "client_fixture.h"

namespace {

using namespace platform;
using platform::sim::CallRecord;
using testing_support::ClientFixture;

class KeywordTest : public ClientFixture {};

TEST_F(KeywordTest, TypesTheTargetThenASpaceThenEnter) {
  StartClient();
  const Hwnd box = client->keyword_box();
  struct Case {
    void (*routine)(std::string_view);
    std::string argument;
    std::string typed;
  };
  const Case cases[] = {
      {aol::Keyword, "Quorvallianz", "Quorvallianz"},
      {aol::Keyword, "ends in space ", "ends in space "},
      {aol::EnterRoom2, "Town Square", "aol://2719:2-2-Town Square"},
      {aol::EnterRoom21, "Lobby 12", "aol://2719:21-2-Lobby 12"},
      {aol::EnterRoom61, "", "aol://2719:61-2-"},
  };
  for (const Case& c : cases) {
    sim.ClearCalls();
    c.routine(c.argument);
    std::vector<CallRecord> sends;
    for (const CallRecord& call : ProgramCalls()) {
      if (call.name == "SendMessage") sends.push_back(call);
    }
    ASSERT_EQ(sends.size(), 3u) << c.typed;
    EXPECT_EQ(sends[0].window, box);
    EXPECT_EQ(sends[0].msg, kWmSetText);
    EXPECT_EQ(sends[0].text, c.typed);
    EXPECT_EQ(sends[1].window, box);
    EXPECT_EQ(sends[1].msg, kWmChar);
    EXPECT_EQ(sends[1].w, 32u);
    EXPECT_EQ(sends[2].window, box);
    EXPECT_EQ(sends[2].msg, kWmChar);
    EXPECT_EQ(sends[2].w, 13u);
    EXPECT_EQ(client->Keywords().back(), c.typed + " ");  // the box held the space too
  }
}

TEST_F(KeywordTest, WithoutTheClientNothingHappens) {
  aol::Keyword("anything");
  aol::EnterRoom2("Lobby");
  for (const CallRecord& call : ProgramCalls()) {
    if (call.name == "SendMessage") {
      EXPECT_EQ(call.window, 0u);
    }
  }
}

class InstantMessageTest : public ClientFixture {
 protected:
  void SetUp() override { StartClient(); }
};

TEST_F(InstantMessageTest, AMessageTheClientSendsAtOnceClosesItsWindowAndNothingIsPosted) {
  sim.ClearCalls();
  aol::InstantMessage("Zed", "hello there");
  EXPECT_EQ(client->InstantMessages(),
            (std::vector<std::pair<std::string, std::string>>{{"Zed", "hello there"}}));
  EXPECT_EQ(client->Keywords().back(), "aol://9293:Zed ");
  for (const CallRecord& call : ProgramCalls()) EXPECT_NE(call.name, "PostMessage");
  EXPECT_TRUE(client->ImWindows().empty());
}

TEST_F(InstantMessageTest, ARefusalBoxIsDismissedWithASpacePressAndTheWindowClosed) {
  client->script().refusals["Nobody"] = "Nobody is not currently signed on.";
  sim.ClearCalls();
  aol::InstantMessage("Nobody", "hi");
  // What the routine posted, in order: space down and up to the box's
  // button, then WM_CLOSE to the IM window.
  std::vector<CallRecord> posts;
  for (const CallRecord& call : ProgramCalls()) {
    if (call.name == "PostMessage") posts.push_back(call);
  }
  ASSERT_EQ(posts.size(), 3u);
  const Hwnd box = sim.FindWindow("#32770", std::string_view("America Online"));
  const Hwnd button = sim.FindWindowEx(box, 0, "Button");
  const Hwnd im = client->ImWindows().at(0);
  EXPECT_EQ(posts[0].window, button);
  EXPECT_EQ(posts[0].msg, kWmKeyDown);
  EXPECT_EQ(posts[0].w, 0x20u);
  EXPECT_EQ(posts[1].window, button);
  EXPECT_EQ(posts[1].msg, kWmKeyUp);
  EXPECT_EQ(posts[2].window, im);
  EXPECT_EQ(posts[2].msg, kWmClose);
  sim.Yield();  // the posted messages take effect
  EXPECT_EQ(sim.FindWindow("#32770", std::string_view("America Online")), 0u);
  EXPECT_TRUE(client->ImWindows().empty());
  EXPECT_TRUE(client->InstantMessages().empty());
}

TEST_F(InstantMessageTest, AWindowStillBeingBuiltIsWaitedForNotClickedAtTheWrongButton) {
  // The window shows with six buttons; the ninth comes half a second later.
  // A chain of nine lookups over six buttons wraps round to the second one.
  client->script().im_buttons_at_first = 6;
  client->script().im_rest_delay = 0.5;
  aol::InstantMessage("Zed", "hello");
  EXPECT_EQ(client->InstantMessages(),
            (std::vector<std::pair<std::string, std::string>>{{"Zed", "hello"}}));
  EXPECT_TRUE(client->ImWindows().empty());
}

TEST_F(InstantMessageTest, WrappersAddressTheReservedNames) {
  aol::TurnImsOff();
  aol::TurnImsOn();
  aol::TurnImsOffFor("");
  aol::TurnImsOnFor("Zed");
  EXPECT_EQ(client->InstantMessages(), (std::vector<std::pair<std::string, std::string>>{
                                           {"$IM_OFF", "=)"},
                                           {"$IM_ON", "=)"},
                                           {"$IM_OFF, ", "=)"},
                                           {"$IM_ON, Zed", "=)"}}));
}

TEST_F(InstantMessageTest, ANeverOpeningWindowIsWaitedForOnlyUpToTheBoundAndNothingIsTyped) {
  client->script().ignore_im_links = true;
  const double start = sim.Now();
  sim.ClearCalls();
  aol::InstantMessage("Zed", "hello");
  EXPECT_NEAR(sim.Now() - start, aol::Limits().window_appears, 0.1);
  for (const CallRecord& call : ProgramCalls()) {
    if (call.name == "SendMessage" && call.msg == kWmSetText) {
      EXPECT_EQ(call.window, client->keyword_box());  // only the keyword was typed
    }
    EXPECT_NE(call.msg, kWmLButtonDown);
  }
}

TEST_F(InstantMessageTest, TheWaitKeepsTheWindowLiveAndEndsWhenTheClientDies) {
  client->script().im_window_delay = 5;
  const double start = sim.Now();
  sim.At(start + 1, [&] { sim.KillProcess(client_pid); });
  aol::InstantMessage("Zed", "hello");
  EXPECT_LE(sim.Now() - start, aol::Limits().window_appears + 0.1);
  EXPECT_TRUE(client->InstantMessages().empty());
}

TEST_F(InstantMessageTest, ClosingTheProgramEndsTheWait) {
  client->script().ignore_im_links = true;
  const double start = sim.Now();
  sim.At(start + 0.5, [&] { sim.PostQuitMessage(0); });
  aol::InstantMessage("Zed", "hello");
  EXPECT_NEAR(sim.Now() - start, 0.5, 0.06);
}

class CheckOnlineTest : public InstantMessageTest {};

TEST_F(CheckOnlineTest, AnswersFromTheBoxTextAndCleansUpEitherWay) {
  client->script().online = {"Zed"};
  client->script().answer_text_delay = 0.5;  // the box shows before its text
  EXPECT_TRUE(aol::CheckOnline("zed"));
  sim.Yield();
  EXPECT_EQ(sim.FindWindow("#32770", std::string_view("America Online")), 0u);
  EXPECT_TRUE(client->ImWindows().empty());
  EXPECT_FALSE(aol::CheckOnline("Nobody"));
  sim.Yield();
  EXPECT_EQ(sim.FindWindow("#32770", std::string_view("America Online")), 0u);
  EXPECT_TRUE(client->ImWindows().empty());
  EXPECT_TRUE(client->InstantMessages().empty());  // no message text was sent
}

TEST_F(CheckOnlineTest, AWindowWithFewerThanTenButtonsIsNotTakenAsReady) {
  client->script().im_buttons = 8;  // the chain of ten wraps to the second button
  client->script().online = {"Zed"};
  const double start = sim.Now();
  EXPECT_FALSE(aol::CheckOnline("Zed"));
  EXPECT_NEAR(sim.Now() - start, aol::Limits().window_appears, 0.1);
  for (const auto& r : client->Log()) EXPECT_NE(r.kind, substitute::Received::Kind::kOnlineQuery);
}

TEST_F(CheckOnlineTest, AWindowStillBeingBuiltIsWaitedFor) {
  // Five buttons at first: ten lookups wrap round to the fourth, which is
  // none of the first three, yet no "Available?" button either.
  client->script().im_buttons_at_first = 5;
  client->script().im_rest_delay = 0.5;
  client->script().online = {"Zed"};
  EXPECT_TRUE(aol::CheckOnline("Zed"));
}

TEST_F(CheckOnlineTest, AClientThatNeverAnswersGivesFalseAndClosesTheWindow) {
  client->script().never_answer = true;
  EXPECT_FALSE(aol::CheckOnline("Zed"));
  sim.Yield();
  EXPECT_TRUE(client->ImWindows().empty());
}

}  // namespace
