// File checks: what the ordinary-file search sees, the attribute bits read,
// and the attribute sets the setters leave.
#include "files/file_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace {

using namespace platform;
using platform::sim::SimPlatform;

class FileChecksTest : public ::testing::Test {
 protected:
  FileChecksTest() : use_(sim) {
    sim.PutDirectory("C:\\data\\folder");
    sim.PutFile("C:\\data\\plain.txt", "p");
    sim.PutFile("C:\\data\\locked.txt", "r", kFileAttributeReadOnly);
    sim.PutFile("C:\\data\\secret.txt", "h", kFileAttributeHidden);
    sim.PutFile("C:\\data\\system.sys", "s", kFileAttributeSystem);
  }
  // The calls the routine made, by name.
  std::vector<std::string> CallNames() const {
    std::vector<std::string> names;
    for (const auto& call : sim.Calls()) names.push_back(call.name);
    return names;
  }
  SimPlatform sim;
  ScopedPlatform use_;
};

TEST_F(FileChecksTest, ExistsAndAttributesSeeOnlyOrdinaryFiles) {
  sim.PutDirectory("C:\\data\\only");
  sim.PutFile("C:\\data\\only\\ghost.txt", "g", kFileAttributeHidden);
  struct Case {
    const char* path;
    bool exists;
    int attributes;
  };
  const Case cases[] = {
      {"C:\\data\\plain.txt", true, 32},   // archive, as every file carries it
      {"c:\\DATA\\Plain.TXT", true, 32},   // names match ignoring case
      {"C:\\data\\locked.txt", true, 33},  // read-only and archive
      {"C:\\data\\secret.txt", false, 0},  // hidden: not seen
      {"C:\\data\\system.sys", false, 0},  // system: not seen
      {"C:\\data\\folder", false, 0},      // a folder is not a file
      {"C:\\data\\missing.txt", false, 0}, {"C:\\nowhere\\plain.txt", false, 0}, {"", false, 0},
      {"C:\\data\\*.txt", true, 0},  // a pattern exists, but names no single file
      {"C:\\data\\pl?in.*", true, 0},      {"C:\\data\\only\\*", false, 0},  // only a hidden file
                                                                             // matches
  };
  for (const Case& c : cases) {
    EXPECT_EQ(files::CheckFileExists(c.path), c.exists) << c.path;
    EXPECT_EQ(files::ReadFileAttributes(c.path), c.attributes) << c.path;
  }
}

TEST_F(FileChecksTest, RelativePathsStartAtTheCurrentDirectory) {
  ASSERT_TRUE(sim.SetCurrentDirectory("C:\\data\\folder"));
  for (const char* path : {"..\\plain.txt", "..\\nothing\\..\\plain.txt", "\\data\\plain.txt",
                           "C:..\\plain.txt", "../locked.txt", ".\\..\\.\\plain.txt"}) {
    EXPECT_TRUE(files::CheckFileExists(path)) << path;
  }
  EXPECT_FALSE(files::CheckFileExists("plain.txt"));
  files::MakeFileReadOnly("..\\plain.txt");
  EXPECT_EQ(files::ReadFileAttributes("C:\\data\\plain.txt"), 33);
}

TEST_F(FileChecksTest, AnEmptyPathIsNotSearchedFor) {
  sim.ClearCalls();
  EXPECT_FALSE(files::CheckFileExists(""));
  EXPECT_TRUE(sim.Calls().empty());
}

TEST_F(FileChecksTest, AttributesAreReadFromThePathGivenAfterTheSearch) {
  sim.ClearCalls();
  EXPECT_EQ(files::ReadFileAttributes("C:\\DATA\\LOCKED.TXT"), 33);
  ASSERT_EQ(CallNames(), (std::vector<std::string>{"FindOrdinaryFile", "GetFileAttributes"}));
  EXPECT_EQ(sim.Calls()[1].text, "C:\\DATA\\LOCKED.TXT");
}

TEST_F(FileChecksTest, SettersReplaceTheWholeSetOfFilesTheSearchFinds) {
  struct Case {
    const char* name;
    void (*routine)(std::string_view);
    const char* path;
    std::uint32_t set;  // the attributes set, when set at all
    bool sets;
    std::uint32_t after;  // as read back
  };
  const Case cases[] = {
      {"hide a normal file", files::HideFile, "C:\\data\\plain.txt", 2, true, 34},
      {"hiding a read-only file makes it writable", files::HideFile, "C:\\data\\locked.txt", 2,
       true, 34},
      {"read-only", files::MakeFileReadOnly, "C:\\data\\plain.txt", 1, true, 33},
      {"normal", files::MakeFileNormal, "C:\\data\\locked.txt", 0, true, 32},
      {"a hidden file is not seen by normal", files::MakeFileNormal, "C:\\data\\secret.txt", 0,
       false, 34},
      {"nor by read-only", files::MakeFileReadOnly, "C:\\data\\secret.txt", 0, false, 34},
      {"nor by hide", files::HideFile, "C:\\data\\secret.txt", 0, false, 34},
      {"a system file stays", files::MakeFileNormal, "C:\\data\\system.sys", 0, false, 36},
      {"a folder stays", files::MakeFileReadOnly, "C:\\data\\folder", 0, false, 16},
      {"a missing file", files::HideFile, "C:\\data\\missing.txt", 0, false,
       kInvalidFileAttributes},
  };
  for (const Case& c : cases) {
    SimPlatform fresh;
    ScopedPlatform use(fresh);
    fresh.PutDirectory("C:\\data\\folder");
    fresh.PutFile("C:\\data\\plain.txt", "p");
    fresh.PutFile("C:\\data\\locked.txt", "r", kFileAttributeReadOnly);
    fresh.PutFile("C:\\data\\secret.txt", "h", kFileAttributeHidden);
    fresh.PutFile("C:\\data\\system.sys", "s", kFileAttributeSystem);
    c.routine(c.path);
    std::vector<std::uint32_t> sets;
    for (const auto& call : fresh.Calls()) {
      if (call.name == "SetFileAttributes") {
        EXPECT_EQ(call.text, c.path) << c.name;  // the path given, not the name found
        sets.push_back(static_cast<std::uint32_t>(call.numbers.at(0)));
      }
    }
    EXPECT_EQ(sets, c.sets ? std::vector<std::uint32_t>{c.set} : std::vector<std::uint32_t>{})
        << c.name;
    EXPECT_EQ(fresh.GetFileAttributes(c.path), c.after) << c.name;
  }
}

TEST_F(FileChecksTest, AHiddenFileNoLongerExists) {
  ASSERT_TRUE(files::CheckFileExists("C:\\data\\plain.txt"));
  files::HideFile("C:\\data\\plain.txt");
  EXPECT_FALSE(files::CheckFileExists("C:\\data\\plain.txt"));
  EXPECT_EQ(files::ReadFileAttributes("C:\\data\\plain.txt"), 0);
}

TEST_F(FileChecksTest, APatternChangesNoFile) {
  for (auto routine : {files::HideFile, files::MakeFileReadOnly, files::MakeFileNormal}) {
    routine("C:\\data\\*.txt");
  }
  for (const auto& call : sim.Calls()) EXPECT_NE(call.name, "SetFileAttributes");
  EXPECT_EQ(sim.GetFileAttributes("C:\\data\\plain.txt"), 32u);
  EXPECT_EQ(sim.GetFileAttributes("C:\\data\\locked.txt"), 33u);
}

}  // namespace
