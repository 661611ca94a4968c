// Finding the chat room among the client's windows and typing a line into it.
#include <gtest/gtest.h>

#include "aol/core/chat_send.h"
#include "aol/core/find_chat_room.h"
#include "aol/core/window_path.h"
#include "client_fixture.h"

namespace {

using testing_support::ClientFixture;
using platform::Hwnd;

class ChatRoomTest : public ClientFixture {};

TEST_F(ChatRoomTest, WithTwoRoomsTheFrontOneIsFound) {
  StartClient();
  const Hwnd older = OpenRoom("Lobby");
  const Hwnd newer = OpenRoom("Town Square");
  EXPECT_EQ(aol::FindChatRoom(), newer);
  BringToFront(older);
  EXPECT_EQ(aol::FindChatRoom(), older);
}

TEST_F(ChatRoomTest, WindowsThatOnlyLookLikeARoomAreSkipped) {
  StartClient();
  const Hwnd room = OpenRoom("Lobby");
  // In front of the room: windows lacking one of the four children.
  OpenWindow("No label", {"RICHCNTL", "RICHCNTL", "_AOL_Listbox", "_AOL_Icon"});
  OpenWindow("No list", {"RICHCNTL", "_AOL_Icon", "_AOL_Static"});
  OpenWindow("Send Instant Message", {"RICHCNTL", "RICHCNTL", "_AOL_Icon", "_AOL_Static"});
  EXPECT_EQ(aol::FindChatRoom(), room);
}

TEST_F(ChatRoomTest, EveryCandidateGetsAllFourLookupsInOrder) {
  StartClient();
  OpenWindow("Mail", {"_AOL_Icon"});
  const Hwnd room = OpenRoom("Lobby");
  BringToFront(sim.FindWindowEx(client->mdi(), room, "AOL Child"));
  sim.ClearCalls();
  EXPECT_EQ(aol::FindChatRoom(), room);
  std::vector<std::string> classes;
  for (const auto& call : ProgramCalls()) classes.push_back(call.text);
  EXPECT_EQ(classes, (std::vector<std::string>{
                         "AOL Frame25", "MDIClient", "AOL Child",
                         "RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static",  // the mail window
                         "AOL Child",
                         "RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}));
}

TEST_F(ChatRoomTest, NoRoomOrNoClientGivesZero) {
  EXPECT_EQ(aol::FindChatRoom(), 0u);  // no client at all
  aol::ChatSend("into the void");      // goes nowhere, fails nothing
  StartClient();
  OpenWindow("Welcome, BrixUser!", {"_AOL_Icon", "_AOL_Static"});
  EXPECT_EQ(aol::FindChatRoom(), 0u);
}

TEST_F(ChatRoomTest, ALineReachesTheRoomAsExactWindows1252Bytes) {
  StartClient();
  const Hwnd room = OpenRoom("Lobby");
  aol::ChatSend(".·´`°·• Brix Idler");
  ASSERT_EQ(client->TranscriptBytes(room).size(), 1u);
  EXPECT_EQ(client->TranscriptBytes(room)[0],
            "\x2E\xB7\xB4\x60\xB0\xB7\x95\x20\x42\x72\x69\x78\x20\x49\x64\x6C\x65\x72");
}

TEST_F(ChatRoomTest, SendingReplacesWhatStoodInTheEntryBoxAndEmptyLinesStillGoOut) {
  StartClient();
  const Hwnd room = OpenRoom("Lobby");
  const Hwnd history = sim.FindWindowEx(room, 0, "RICHCNTL");
  const Hwnd entry = sim.FindWindowEx(room, history, "RICHCNTL");
  sim.UserType(entry, "half-typed");
  sim.Yield();
  aol::ChatSend("hello");
  aol::ChatSend("");
  aol::ChatSend("€ and Ω");
  // The client is ANSI: Windows hands it the look-alike for Ω.
  EXPECT_EQ(client->Transcript(room), (std::vector<std::string>{"hello", "", "€ and O"}));
}

TEST_F(ChatRoomTest, ChatSendMakesExactlyTheTwoMessagesToTheEntryBox) {
  StartClient();
  const Hwnd room = OpenRoom("Lobby");
  const Hwnd history = sim.FindWindowEx(room, 0, "RICHCNTL");
  const Hwnd entry = sim.FindWindowEx(room, history, "RICHCNTL");
  sim.ClearCalls();
  aol::ChatSend("hi");
  std::vector<platform::sim::CallRecord> sends;
  for (const auto& call : ProgramCalls()) {
    if (call.name == "SendMessage") sends.push_back(call);
  }
  ASSERT_EQ(sends.size(), 2u);
  EXPECT_EQ(sends[0].window, entry);
  EXPECT_EQ(sends[0].msg, platform::kWmSetText);
  EXPECT_EQ(sends[0].text, "hi");
  EXPECT_EQ(sends[1].window, entry);
  EXPECT_EQ(sends[1].msg, platform::kWmChar);
  EXPECT_EQ(sends[1].w, 13u);
  EXPECT_EQ(sends[1].l, 0);
}

TEST_F(ChatRoomTest, PathsWalkFromTheFrame) {
  StartClient();
  EXPECT_EQ((aol::AolWindowPath{{"AOL Toolbar"}, {"_AOL_Toolbar"}, {"_AOL_Combobox"}, {"Edit"}}
                 .Walk()),
            client->keyword_box());
  const Hwnd inner = sim.FindWindowEx(sim.FindWindowEx(client->frame(), 0, "AOL Toolbar"), 0,
                                      "_AOL_Toolbar");
  Hwnd third = 0;
  for (int k = 0; k < 3; ++k) third = sim.FindWindowEx(inner, third, "_AOL_Icon");
  EXPECT_EQ((aol::AolWindowPath{{"AOL Toolbar"}, {"_AOL_Toolbar"}, {"_AOL_Icon", {}, 3}}.Walk()),
            third);
  EXPECT_EQ(aol::NthChild(inner, "_AOL_Icon", 11), 0u);  // ten buttons: the eleventh is none
  EXPECT_EQ(aol::NthChild(inner, "_AOL_Icon", 12), aol::NthChild(inner, "_AOL_Icon", 1));
}

}  // namespace
