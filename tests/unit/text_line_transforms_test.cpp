#include "text/line_transforms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim_platform.h"

namespace {

struct Case {
  std::string text;
  std::string expected;
};

// FlipText and IndentLines let the window's messages run while they work,
// so they run over a simulated desktop.
class TextLineTransforms : public ::testing::Test {
 protected:
  platform::sim::SimPlatform sim_;
  platform::ScopedPlatform scope_{sim_};
};

TEST_F(TextLineTransforms, MirrorReversesEveryLineAndTurnsFacingCharacters) {
  const std::vector<Case> cases = {
      {"ab/\r\n(x", "\\ba\r\nx)"},
      {"", ""},
      {"abc", "cba"},
      {"[{(<\u00AB\u2039/", "\\\u203A\u00BB>)}]"},
      {"ab\r\n", "ba\r\n"},
      {"a\r\n\r\nbc", "a\r\n\r\ncb"},
      // A lone LF is dropped with the line it belongs to, like GetLine does.
      {"a\nb\r\ncd", "ba\r\ndc"},
  };
  for (const Case& c : cases) EXPECT_EQ(text::MirrorText(c.text), c.expected) << c.text;
}

TEST_F(TextLineTransforms, WidenDoublesEveryCharacterOfEveryLine) {
  const std::vector<Case> cases = {
      {"ab\r\nc", "aabb\r\ncc"},
      {"", ""},
      {"\u00AF|", "\u00AF\u00AF||"},
      {"a\r\n", "aa\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(text::WidenText(c.text), c.expected) << c.text;
}

TEST_F(TextLineTransforms, FlipReversesTheLinesAndTurnsCharactersUpsideDown) {
  const std::vector<Case> cases = {
      {"a\r\nb\r\nc", "c\r\nb\r\na"},
      {"x", "x"},
      {"_/", "\u00AF\\"},
      {"\u00AF\\", "_/"},
      {"''", ","},  // two commas after the swap, then joined into one
      {",", "'"},
      {"a\r\n", "\r\na"},  // the empty line after the break comes first
      // Every later step, in order: ` to comma, acute and full stop swapped,
      // left quote to full stop (after that swap), right quote to comma,
      // circumflex and cedilla swapped, low double quote and '"' swapped.
      {"`\u2018\u2019\u02C6\u00B8\u201E\"\u00B4.", ",.,\u00B8\u02C6\"\u201E.\u00B4"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    const std::string result = text::FlipText(text);
    EXPECT_EQ(result, c.expected) << c.text;
    EXPECT_EQ(text, c.expected) << c.text << " (caller's variable)";
  }
  std::string empty;
  EXPECT_EQ(text::FlipText(empty), "");
  EXPECT_EQ(empty, "");
}

TEST_F(TextLineTransforms, IndentPutsOneSpaceInFrontOfEveryLine) {
  const std::vector<Case> cases = {
      {"a\r\nb", " a\r\n b"},
      {"", " "},
      {"a", " a"},
      {"a\r\n", " a\r\n "},
      {"a\r\n\r\nb", " a\r\n \r\n b"},
      // Lines broken by a lone CR keep all their text and get CR LF.
      {"a\rb", " a\r\n b"},
      // A lone LF is dropped as GetLine drops it, with nothing left behind.
      {"a\nb\r\nc", " ab\r\n c"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    const std::string result = text::IndentLines(text);
    EXPECT_EQ(result, c.expected) << c.text;
    EXPECT_EQ(text, c.expected) << c.text << " (caller's variable)";
  }
}

TEST_F(TextLineTransforms, UnindentRemovesTheFirstCharacterOfEveryLine) {
  const std::vector<Case> cases = {
      {" a\r\n b", "a\r\nb"},
      {"xa\r\n\r\nxb", "a\r\n\r\nb"},  // empty lines stay empty
      {"", ""},
      {"a", ""},
      {"\u20ACx\r\n\u00AFy", "x\r\ny"},
      {"ab\r\n", "b\r\n"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    const std::string result = text::UnindentLines(text);
    EXPECT_EQ(result, c.expected) << c.text;
    EXPECT_EQ(text, c.expected) << c.text << " (caller's variable)";
  }
}

TEST_F(TextLineTransforms, IndentThenUnindentGivesTheTextBack) {
  for (const std::string original : {"a\r\nb", "", "a\r\n\r\nb\r\n", " x\r\n  y"}) {
    std::string text = original;
    text::IndentLines(text);
    EXPECT_EQ(text::UnindentLines(text), original);
  }
}

TEST_F(TextLineTransforms, FlipAndIndentLetWindowMessagesRunOncePerLine) {
  std::vector<platform::Msg> handled;
  sim_.RegisterClass("TextTestWindow", [&](platform::Hwnd window, const platform::Message& m) {
    handled.push_back(m.id);
    return sim_.DefWindowProc(window, m);
  });
  platform::WindowSpec spec;
  spec.cls = "TextTestWindow";
  const platform::Hwnd window = sim_.CreateWindow(spec);
  ASSERT_NE(window, 0u);

  const auto yields = [&] {
    int count = 0;
    for (const auto& call : sim_.Calls()) count += call.name == "Yield" ? 1 : 0;
    return count;
  };

  constexpr platform::Msg kPing = 0x8001;  // WM_APP + 1
  handled.clear();
  sim_.ClearCalls();
  sim_.PostMessage(window, kPing, 0, 0);
  std::string three_lines = "a\r\nb\r\nc";
  text::FlipText(three_lines);
  EXPECT_EQ(yields(), 3);
  EXPECT_EQ(std::count(handled.begin(), handled.end(), kPing), 1);

  handled.clear();
  sim_.ClearCalls();
  sim_.PostMessage(window, kPing, 0, 0);
  text::IndentLines(three_lines);
  EXPECT_EQ(yields(), 4);  // three lines and the empty one after the added break
  EXPECT_EQ(std::count(handled.begin(), handled.end(), kPing), 1);

  // The others never touch the event loop.
  handled.clear();
  sim_.ClearCalls();
  sim_.PostMessage(window, kPing, 0, 0);
  text::MirrorText(three_lines);
  text::WidenText(three_lines);
  text::UnindentLines(three_lines);
  EXPECT_EQ(yields(), 0);
  EXPECT_TRUE(handled.empty());
}

}  // namespace
