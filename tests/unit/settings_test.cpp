// Settings files: keys written upper-case, found in any case, values cut at
// 749 characters, the caller's key lower-cased.
#include "files/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_platform.h"

namespace {

using namespace platform;
using platform::sim::SimPlatform;

constexpr char kFile[] = "C:\\data\\idle.ini";

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() : use_(sim) { sim.PutDirectory("C:\\data"); }
  std::string Read(std::string section, std::string key, const std::string& file = kFile) {
    return files::ReadSetting(section, key, file);
  }
  SimPlatform sim;
  ScopedPlatform use_;
};

TEST_F(SettingsTest, WritesTheKeyUpperCaseUnderItsSection) {
  files::WriteSetting("Idle", "reason", "gone", kFile);
  EXPECT_EQ(sim.FileBytes(kFile), "[Idle]\r\nREASON=gone\r\n");
  files::WriteSetting("Idle", "cl\xC3\xA9", "v", kFile);  // "clé": Windows-1252 letters too
  EXPECT_EQ(sim.FileBytes(kFile), "[Idle]\r\nREASON=gone\r\nCL\xC9=v\r\n");
}

TEST_F(SettingsTest, AValueIsFoundWhateverTheCaseOfTheKeyInEitherCall) {
  const char* const written[] = {"reason", "REASON", "ReAsOn"};
  const char* const read[] = {"reason", "REASON", "rEaSoN"};
  for (const char* w : written) {
    for (const char* r : read) {
      files::WriteSetting("Idle", w, std::string("gone-") + w, kFile);
      EXPECT_EQ(Read("Idle", r), std::string("gone-") + w) << w << " / " << r;
    }
  }
}

TEST_F(SettingsTest, MissingFileSectionOrKeyGivesAnEmptyText) {
  files::WriteSetting("Idle", "reason", "gone", kFile);
  EXPECT_EQ(Read("Idle", "other"), "");
  EXPECT_EQ(Read("Away", "reason"), "");
  EXPECT_EQ(Read("Idle", "reason", "C:\\data\\none.ini"), "");
  EXPECT_EQ(Read("Idle", "reason", "C:\\nowhere\\idle.ini"), "");
}

TEST_F(SettingsTest, ValuesComeBackWholeUpTo749Characters) {
  std::string value;
  for (int k = 0; k < 800; ++k) value.push_back(static_cast<char>('a' + k % 26));
  const struct {
    std::string stored;
    std::string read;
  } cases[] = {
      {"", ""},
      {"gone fishing", "gone fishing"},
      {value.substr(0, 749), value.substr(0, 749)},
      {value.substr(0, 750), value.substr(0, 749)},
      {value, value.substr(0, 749)},
  };
  for (const auto& c : cases) {
    files::WriteSetting("Idle", "reason", c.stored, kFile);
    EXPECT_EQ(Read("Idle", "reason"), c.read) << c.stored.size();
  }
}

TEST_F(SettingsTest, TheCallersKeyIsLowerCased) {
  files::WriteSetting("Idle", "MyKey", "v", kFile);
  std::string key = "MyKey";
  EXPECT_EQ(files::ReadSetting("Idle", key, kFile), "v");
  EXPECT_EQ(key, "mykey");
  std::string missing =
      "N\xC3\x89"
      "ANT";  // "NÉANT", and not in the file
  EXPECT_EQ(files::ReadSetting("Idle", missing, kFile), "");
  EXPECT_EQ(missing,
            "n\xC3\xA9"
            "ant");
}

TEST_F(SettingsTest, TheCallsAreTheProfileFunctionsWithA750CharacterBuffer) {
  sim.ClearCalls();
  files::WriteSetting("Idle", "reason", "gone", kFile);
  std::string key = "Reason";
  files::ReadSetting("Idle", key, kFile);
  ASSERT_EQ(sim.Calls().size(), 2u);
  EXPECT_EQ(sim.Calls()[0].name, "WritePrivateProfileString");
  EXPECT_EQ(sim.Calls()[0].text2, "Idle|REASON|gone");
  EXPECT_EQ(sim.Calls()[1].name, "GetPrivateProfileString");
  EXPECT_EQ(sim.Calls()[1].text2, "Idle|reason");
  EXPECT_EQ(sim.Calls()[1].numbers, std::vector<std::int64_t>{750});
}

TEST_F(SettingsTest, AFileNameWithoutAFolderIsInTheWindowsDirectory) {
  files::WriteSetting("Idle", "reason", "gone", "idle.ini");
  EXPECT_EQ(sim.FileBytes("C:\\windows\\idle.ini"), "[Idle]\r\nREASON=gone\r\n");
  EXPECT_FALSE(sim.FileBytes("C:\\idle.ini"));  // not the current directory
  EXPECT_EQ(Read("Idle", "reason", "IDLE.INI"), "gone");
}

TEST_F(SettingsTest, AWriteIntoAMissingFolderIsLostQuietly) {
  files::WriteSetting("Idle", "reason", "gone", "C:\\nowhere\\idle.ini");
  EXPECT_FALSE(sim.FileBytes("C:\\nowhere\\idle.ini"));
  EXPECT_EQ(Read("Idle", "reason", "C:\\nowhere\\idle.ini"), "");
}

}  // namespace
