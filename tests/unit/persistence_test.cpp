// Saving and loading text boxes, list boxes, combo boxes and list-box pairs,
// on the simulated desktop's own controls and disk.
#include "files/persistence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/codec.h"
#include "platform/sim/sim_platform.h"

namespace {

using namespace platform;
using platform::sim::SimPlatform;

constexpr char kFile[] = "C:\\data\\saved.txt";

class PersistenceTest : public ::testing::Test {
 protected:
  PersistenceTest() : use_(sim) {
    sim.PutDirectory("C:\\data");
    form = sim.CreateWindow({"Static", "form", 0, {0, 0, 400, 300}});
    text_box = sim.CreateWindow({"Edit", "", form, {0, 0, 200, 20}});
    list = sim.CreateWindow({"ListBox", "", form, {0, 30, 200, 90}});
    second = sim.CreateWindow({"ListBox", "", form, {0, 100, 200, 160}});
    combo = sim.CreateWindow({"ComboBox", "", form, {0, 170, 200, 190}});
  }
  ~PersistenceTest() override { files::Limits() = files::LoadLimits(); }

  void Fill(Hwnd control, const std::vector<std::string>& entries) {
    const Msg add = sim.GetClassName(control) == "ComboBox" ? kCbAddString : kLbAddString;
    for (const std::string& e : entries) sim.SendMessageText(control, add, 0, e);
  }
  std::vector<std::string> Entries(Hwnd control) { return sim.Inspect(control)->items; }
  std::string Text(Hwnd control) { return sim.Inspect(control)->text; }
  std::vector<const sim::CallRecord*> CallsNamed(const std::string& name) {
    std::vector<const sim::CallRecord*> out;
    for (const auto& call : sim.Calls()) {
      if (call.name == name) out.push_back(&call);
    }
    return out;
  }

  SimPlatform sim;
  ScopedPlatform use_;
  Hwnd form = 0;
  Hwnd text_box = 0;
  Hwnd list = 0;
  Hwnd second = 0;
  Hwnd combo = 0;
};

TEST_F(PersistenceTest, TextBoxRoundTripsExactly) {
  const std::string texts[] = {"",
                               "gone fishing",
                               "  blanks around  ",
                               "two\r\nlines",
                               "ends with a break\r\n",
                               "caf\xC3\xA9 \xC2\xB7\xC2\xB4`\xC2\xB0"};
  for (const std::string& text : texts) {
    sim.SendMessageText(text_box, kWmSetText, 0, text);
    files::SaveTextBox(text_box, kFile);
    EXPECT_EQ(sim.FileBytes(kFile), Utf8ToCp1252(text) + "\r\n") << text;
    sim.SendMessageText(text_box, kWmSetText, 0, "something else");
    files::LoadTextBox(text_box, kFile);
    EXPECT_EQ(Text(text_box), text);
  }
}

TEST_F(PersistenceTest, LoadTextBoxTakesOffOnlyTheLastLineBreak) {
  const struct {
    std::string file;
    std::string text;
  } cases[] = {
      {"no break", "no break"},           {"a\r\n", "a"}, {"a\r\n\r\n", "a\r\n"},
      {"lone\nfeeds\n", "lone\nfeeds\n"}, {"", ""},       {"caf\xE9\r\n", "caf\xC3\xA9"},
  };
  for (const auto& c : cases) {
    sim.PutFile(kFile, c.file);
    files::LoadTextBox(text_box, kFile);
    EXPECT_EQ(Text(text_box), c.text) << c.file;
  }
}

TEST_F(PersistenceTest, ATextBoxIsLeftAsItWasWhenItsFileCannotBeRead) {
  sim.SendMessageText(text_box, kWmSetText, 0, "keep me");
  sim.PutFile("C:\\data\\big.txt", std::string(2000, 'x'));
  files::Limits().max_file_bytes = 1000;
  for (const char* path : {"C:\\data\\missing.txt", "C:\\nowhere\\saved.txt", "C:\\data",
                           "C:\\data\\*.txt", "", "C:\\data\\big.txt"}) {
    files::LoadTextBox(text_box, path);
    EXPECT_EQ(Text(text_box), "keep me") << path;
  }
}

TEST_F(PersistenceTest, ListsRoundTripOneWholeEntryPerLine) {
  const std::vector<std::string> entries = {
      "a, b", "  leading blanks", "trailing blanks  ", "\"quoted\"", "", "x*y", "caf\xC3\xA9"};
  for (Hwnd control : {list, combo}) {
    const bool is_combo = control == combo;
    Fill(control, entries);
    is_combo ? files::SaveComboBox(kFile, control) : files::SaveListBox(kFile, control);
    EXPECT_EQ(
        sim.FileBytes(kFile),
        "a, b\r\n  leading blanks\r\ntrailing blanks  \r\n\"quoted\"\r\n\r\nx*y\r\ncaf\xE9\r\n");
    sim.SendMessage(control, is_combo ? kCbResetContent : kLbResetContent, 0, 0);
    Fill(control, {"already there"});
    is_combo ? files::LoadComboBox(kFile, control) : files::LoadListBox(kFile, control);
    std::vector<std::string> expected = {"already there"};
    expected.insert(expected.end(), entries.begin(), entries.end());
    EXPECT_EQ(Entries(control), expected) << (is_combo ? "combo box" : "list box");
  }
}

TEST_F(PersistenceTest, LoadingTwiceDoublesAndAnEmptyListMakesAnEmptyFile) {
  files::SaveListBox(kFile, list);
  EXPECT_EQ(sim.FileBytes(kFile), "");
  files::LoadListBox(kFile, list);
  EXPECT_TRUE(Entries(list).empty());
  sim.PutFile(kFile, "one\r\ntwo\r\n");
  files::LoadListBox(kFile, list);
  files::LoadListBox(kFile, list);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"one", "two", "one", "two"}));
}

TEST_F(PersistenceTest, LinesFromElsewhereLoadToo) {
  // Line feeds alone, and a last line without a break.
  sim.PutFile(kFile, "a\nb\r\nc");
  files::LoadListBox(kFile, list);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(PersistenceTest, PairsSaveAsFirstStarSecond) {
  Fill(list, {"x", "y"});
  Fill(second, {"z"});
  files::SaveListBoxPair(kFile, list, second);
  EXPECT_EQ(sim.FileBytes(kFile), "x*z\r\ny*\r\n");
}

TEST_F(PersistenceTest, PairsLoadSplitAtTheFirstStar) {
  sim.PutFile(kFile, "a*b*c\r\nno star\r\n*lead\r\ntrail*\r\n");
  files::LoadListBoxPair(kFile, list, second);
  // A line without a star gives the first list an empty entry, not the
  // previous line's first part.
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"a", "", "", "trail"}));
  EXPECT_EQ(Entries(second), (std::vector<std::string>{"b*c", "no star", "lead", ""}));
}

TEST_F(PersistenceTest, JoinListBox) {
  const struct {
    std::vector<std::string> entries;
    std::string joined;
  } cases[] = {
      {{}, ""},
      {{"a", "b", "c"}, "(a), (b), (c)"},
      {{"only"}, "(only)"},
      {{"", "b", "c"}, ""},
      {{"a", "", "c"}, "(a), (), (c)"},
  };
  for (const auto& c : cases) {
    sim.SendMessage(list, kLbResetContent, 0, 0);
    Fill(list, c.entries);
    EXPECT_EQ(files::JoinListBox(list), c.joined);
  }
}

TEST_F(PersistenceTest, AFailedSaveLeavesTheOldFileWhole) {
  sim.PutFile(kFile, "old\r\n");
  Fill(list, {"a rather long entry", "and another one"});
  sim.SetDiskSpace(10);  // the disk fills up during the write
  files::SaveListBox(kFile, list);
  sim.SendMessageText(text_box, kWmSetText, 0, "a text longer than the space left");
  files::SaveTextBox(text_box, kFile);
  EXPECT_EQ(sim.FileBytes(kFile), "old\r\n");
  EXPECT_EQ(sim.FolderEntries("C:\\data"), std::vector<std::string>{"saved.txt"});

  sim.SetDiskSpace(std::nullopt);
  sim.SetFileAttributes(kFile, kFileAttributeReadOnly);
  files::SaveListBox(kFile, list);
  EXPECT_EQ(sim.FileBytes(kFile), "old\r\n");  // a read-only file is not replaced

  files::SaveListBox("C:\\nowhere\\saved.txt", list);
  files::SaveListBoxPair("C:\\data", list, second);
  EXPECT_FALSE(sim.FileBytes("C:\\nowhere\\saved.txt"));
  EXPECT_EQ(sim.FolderEntries("C:\\data"), std::vector<std::string>{"saved.txt"});
}

TEST_F(PersistenceTest, EachEntryIsAddedAfterAYield) {
  sim.PutFile(kFile, "one\r\ntwo\r\n");
  sim.ClearCalls();
  files::LoadListBox(kFile, list);
  std::vector<std::string> order;
  for (const auto& call : sim.Calls()) {
    if (call.name == "Yield") order.push_back("yield");
    if (call.name == "SendMessage" && call.msg == kLbAddString) order.push_back(call.text);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"yield", "one", "yield", "two"}));
}

TEST_F(PersistenceTest, AListClosedWhileLoadingEndsTheLoad) {
  std::string lines;
  for (int k = 0; k < 1000; ++k) lines += "entry " + std::to_string(k) + "\r\n";
  sim.PutFile(kFile, lines);
  sim.At(sim.Now() + 0.0015, [&] { sim.DestroyWindow(list); });  // during the second yield
  files::LoadListBox(kFile, list);
  int adds = 0;
  for (const auto& call : sim.Calls()) {
    if (call.name == "SendMessage" && call.msg == kLbAddString) ++adds;
  }
  EXPECT_EQ(adds, 1);
}

TEST_F(PersistenceTest, LoadingEndsWhenTheProgramCloses) {
  std::string lines;
  for (int k = 0; k < 1000; ++k) lines += "entry " + std::to_string(k) + "\r\n";
  sim.PutFile(kFile, lines);
  sim.At(sim.Now() + 0.0025, [&] { sim.PostQuitMessage(0); });  // during the third yield
  files::LoadComboBox(kFile, combo);
  EXPECT_EQ(Entries(combo), (std::vector<std::string>{"entry 0", "entry 1"}));
}

TEST_F(PersistenceTest, AHugeFileIsRefusedWithoutBeingRead) {
  // 100 MB, made as it is read: the test allocates none of it.
  sim.PutGeneratedFile("C:\\data\\huge.txt", 100ull << 20, "entry\r\n");
  sim.SendMessageText(text_box, kWmSetText, 0, "keep me");
  Fill(list, {"kept"});
  files::LoadTextBox(text_box, "C:\\data\\huge.txt");
  files::LoadListBox("C:\\data\\huge.txt", list);
  files::LoadComboBox("C:\\data\\huge.txt", combo);
  files::LoadListBoxPair("C:\\data\\huge.txt", list, second);
  EXPECT_EQ(Text(text_box), "keep me");
  EXPECT_EQ(Entries(list), std::vector<std::string>{"kept"});
  EXPECT_TRUE(Entries(combo).empty());
  EXPECT_TRUE(Entries(second).empty());
  EXPECT_TRUE(CallsNamed("ReadFile").empty());
}

TEST_F(PersistenceTest, FilesWithinTheBoundAreReadInPieces) {
  files::Limits().max_file_bytes = 2u << 20;
  const std::string pattern = "0123456789abc\r\n";
  const std::uint64_t size = 1500000;  // 100000 lines
  sim.PutGeneratedFile("C:\\data\\big.txt", size, pattern);
  files::LoadTextBox(text_box, "C:\\data\\big.txt");
  const std::string text = Text(text_box);
  ASSERT_EQ(text.size(), size - 2);  // less the last line break
  EXPECT_EQ(text.substr(0, 30), pattern + pattern);
  const auto reads = CallsNamed("ReadFile");
  EXPECT_GT(reads.size(), 20u);
  for (const auto* read : reads) EXPECT_LE(read->numbers.at(0), 64 << 10);

  // One byte over the bound loads nothing; at the bound, everything.
  files::Limits().max_file_bytes = 20;
  sim.PutFile(kFile, std::string(19, 'a') + "\n");
  files::LoadListBox(kFile, list);
  EXPECT_EQ(Entries(list).size(), 1u);
  sim.PutFile(kFile, std::string(20, 'a') + "\n");
  files::LoadListBox(kFile, list);
  EXPECT_EQ(Entries(list).size(), 1u);
}

TEST_F(PersistenceTest, BinaryGarbageLoadsQuietly) {
  std::string garbage;
  std::uint32_t seed = 12345;
  for (int k = 0; k < 5000; ++k) {
    seed = seed * 1103515245u + 12345u;
    garbage.push_back(static_cast<char>(seed >> 24));
  }
  garbage.back() = 'x';  // the last line has no break
  sim.PutFile(kFile, garbage);
  files::LoadListBox(kFile, list);
  const auto breaks = std::count(garbage.begin(), garbage.end(), '\n');
  EXPECT_EQ(Entries(list).size(), static_cast<std::size_t>(breaks) + 1);
  // Each text ends at its first zero byte, as a Windows control would cut it.
  const std::vector<std::string> entries = Entries(list);
  const std::string last = garbage.substr(garbage.rfind('\n') + 1);
  EXPECT_TRUE(entries.back() == Cp1252ToUtf8(last.substr(0, last.find('\0'))));
  for (const std::string& entry : entries) EXPECT_EQ(entry.find('\0'), std::string::npos);
  files::LoadTextBox(text_box, kFile);
  EXPECT_TRUE(sim.Inspect(text_box)->text_bytes == garbage.substr(0, garbage.find('\0')));
}

}  // namespace
