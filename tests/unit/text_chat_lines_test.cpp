// Typing a multi-line text into the chat room, in virtual time against the
// substitute client.
#include "text/chat_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client_fixture.h"

namespace {

using platform::Hwnd;
using testing_support::ClientFixture;

constexpr double kTolerance = 1e-6;

class TextChatLines : public ClientFixture {
 protected:
  // Arrival times of the room's lines, relative to `start`.
  std::vector<double> ArrivalTimes(Hwnd room, double start) const {
    std::vector<double> times;
    for (const substitute::Received& r : client->Log()) {
      if (r.kind == substitute::Received::Kind::kRoomLine && r.window == room) {
        times.push_back(r.time - start);
      }
    }
    return times;
  }

  static void ExpectTimes(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_NEAR(actual[i], expected[i], kTolerance) << "line " << i + 1;
    }
  }

  static std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
  }
};

TEST_F(TextChatLines, FiveLongLinesAreCutAndPaced) {
  StartClient();
  const Hwnd room = OpenRoom("Lobby");
  std::vector<std::string> lines, expected;
  for (char c = 'A'; c < 'F'; ++c) {
    lines.push_back(std::string(100, c));
    expected.push_back(std::string(92, c));
  }
  const double start = sim.Now();
  text::SendChatLines(Join(lines));
  EXPECT_EQ(client->Transcript(room), expected);
  // 0.7 s after each line, 0.5 s more after the fourth.
  ExpectTimes(ArrivalTimes(room, start), {0.0, 0.7, 1.4, 2.1, 3.3});
  EXPECT_NEAR(sim.Now() - start, 4.0, kTolerance);  // the wait after the fifth line too
}

TEST_F(TextChatLines, LinesAreCutByCharactersNotBytes) {
  StartClient();
  const Hwnd room = OpenRoom("Lobby");
  std::string macrons;
  for (int i = 0; i < 100; ++i) macrons += "\u00AF";  // two bytes each in UTF-8
  text::SendChatLines(macrons);
  ASSERT_EQ(client->TranscriptBytes(room).size(), 1u);
  EXPECT_EQ(client->TranscriptBytes(room)[0], std::string(92, '\xAF'));
}

TEST_F(TextChatLines, ShortLinesAreSkippedButCountTowardsTheExtraPause) {
  StartClient();
  const Hwnd room = OpenRoom("Lobby");
  const double start = sim.Now();
  // Lines 2 to 4 are too short to send; line 5 still comes after the extra
  // half second that follows every fourth line.
  text::SendChatLines(Join({"abcd", "abc", "", "x", "efgh", "ijkl\u00AF"}));
  EXPECT_EQ(client->Transcript(room), (std::vector<std::string>{"abcd", "efgh", "ijkl\u00AF"}));
  ExpectTimes(ArrivalTimes(room, start), {0.0, 1.2, 1.9});
}

TEST_F(TextChatLines, NothingIsSentOrWaitedForWithoutARoomOrText) {
  struct Case {
    const char* what;
    bool client_running;
    bool room_open;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"no client at all", false, false, "hello there\r\nsecond line"},
      {"client without a room", true, false, "hello there\r\nsecond line"},
      {"room but empty text", true, true, ""},
  };
  for (const Case& c : cases) {
    if (c.client_running && !client) StartClient();
    Hwnd room = 0;
    if (c.room_open) room = OpenRoom("Lobby");
    const double start = sim.Now();
    sim.ClearCalls();
    text::SendChatLines(c.text);
    EXPECT_EQ(sim.Now(), start) << c.what;
    for (const auto& call : ProgramCalls()) {
      EXPECT_NE(call.name, "WaitUntil") << c.what;
      EXPECT_NE(call.name, "SendMessageText") << c.what;
    }
    if (client) {
      EXPECT_TRUE(client->AllRoomLineBytes().empty()) << c.what;
    }
    if (room != 0) CloseWindow(room);
  }
}

TEST_F(TextChatLines, ARoomClosedHalfWayStopsReceivingButThePaceGoesOn) {
  StartClient();
  const Hwnd room = OpenRoom("Lobby");
  const double start = sim.Now();
  sim.At(start + 1.0, [&] { CloseWindow(room); });
  text::SendChatLines(Join({"first", "second", "third"}));
  EXPECT_EQ(client->AllRoomLineBytes(), (std::vector<std::string>{"first", "second"}));
  EXPECT_NEAR(sim.Now() - start, 2.1, kTolerance);
}

}  // namespace
