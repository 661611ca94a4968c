// The substitute program's options, scenario files and received-log lines.
#include "substitute/scenario.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using substitute::Scenario;

// Scenario files held in memory.
struct Files {
  std::map<std::string, std::string> texts;
  bool operator()(const std::string& path, std::string& out) const {
    auto it = texts.find(path);
    if (it == texts.end()) return false;
    out = it->second;
    return true;
  }
};

TEST(ScenarioTest, OptionsAndFilesBuildTheSameScenario) {
  Files files{{{"lobby.txt",
                "# a busy lobby\n"
                "room = Lobby\n"
                "member = Zed\n"
                "member = Quorv   # trailing comment\n"
                "\n"
                "im-window-delay = 1.5\r\n"
                "refuse = Nobody=Nobody is not currently signed on.\n"
                "online = Zed\n"}}};
  Scenario from_file;
  EXPECT_EQ(substitute::ParseArguments({"--scenario", "lobby.txt", "--log", "out.log"}, from_file,
                                       files),
            "");
  ASSERT_EQ(from_file.rooms.size(), 1u);
  EXPECT_EQ(from_file.rooms[0].name, "Lobby");
  EXPECT_EQ(from_file.rooms[0].members, (std::vector<std::string>{"Zed", "Quorv"}));
  EXPECT_DOUBLE_EQ(from_file.script.im_window_delay, 1.5);
  EXPECT_EQ(from_file.script.refusals.at("Nobody"), "Nobody is not currently signed on.");
  EXPECT_EQ(from_file.script.online.count("Zed"), 1u);
  EXPECT_EQ(from_file.log_path, "out.log");

  Scenario from_options;
  EXPECT_EQ(substitute::ParseArguments({"--room", "Lobby", "--member", "Zed", "--member", "Quorv",
                                        "--im-window-delay", "1.5"},
                                       from_options, files),
            "");
  EXPECT_EQ(from_options.rooms[0].members, from_file.rooms[0].members);
  EXPECT_DOUBLE_EQ(from_options.script.im_window_delay, 1.5);
}

TEST(ScenarioTest, MistakesAreReportedNotGuessed) {
  const Files files{{{"self.txt", "scenario = self.txt\n"}, {"bad.txt", "room Lobby\n"}}};
  const struct {
    std::vector<std::string> args;
    const char* complaint;
  } cases[] = {
      {{"--member", "Zed"}, "before any room"},
      {{"--room"}, "needs a value"},
      {{"room", "Lobby"}, "expected an option"},
      {{"--colour", "red"}, "unknown option"},
      {{"--im-send-delay", "soon"}, "not a number"},
      {{"--answer-delay", "-1"}, "not a number"},
      {{"--refuse", "Nobody"}, "NAME=TEXT"},
      {{"--ignore-im-links", "maybe"}, "yes or no"},
      {{"--scenario", "missing.txt"}, "cannot read"},
      {{"--scenario", "bad.txt"}, "no '='"},
      {{"--scenario", "self.txt"}, "nest too deep"},
  };
  for (const auto& c : cases) {
    Scenario scenario;
    const std::string error = substitute::ParseArguments(c.args, scenario, files);
    EXPECT_NE(error.find(c.complaint), std::string::npos) << c.args[0] << ": " << error;
  }
}

TEST(ScenarioTest, LogLinesCarryTheBytesTheClientGot) {
  const substitute::Received line{substitute::Received::Kind::kRoomLine, 0, ".·´ Ω\tx", 12.5, ""};
  EXPECT_EQ(substitute::FormatLogLine(line, "Lobby"), "ROOM\t12.500\tLobby\t2EB7B4203F0978\t.·´ Ω\tx");
  const substitute::Received im{substitute::Received::Kind::kInstantMessage, 0, "Brix Idler", 3,
                                "$IM_OFF"};
  EXPECT_EQ(substitute::FormatLogLine(im, ""), "IM\t3.000\t$IM_OFF\t427269782049646C6572\tBrix Idler");
}

}  // namespace
