#include "text/string_primitives.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kTiny = std::numeric_limits<std::int64_t>::min();

struct ReplaceCase {
  const char* what;
  std::string text;
  std::string find;
  std::string replacement;
  std::string expected;
};

TEST(TextReplaceText, ReplacesEveryOccurrenceAndUpdatesTheCallersText) {
  const std::vector<ReplaceCase> cases = {
      {"search ignores case", "Hello HELLO", "hello", "x", "x x"},
      {"replacement keeps its own case", "aXa", "x", "Y", "aYa"},
      {"no occurrence", "abc", "z", "q", "abc"},
      {"inserted text is not searched again", "aaa", "a", "aa", "aaaaaa"},
      {"replacement containing find", "ab", "b", "bb", "abb"},
      {"match at the very end", "abc", "c", "", "ab"},
      {"match at the very start", "abc", "a", "", "bc"},
      {"the whole text", "abc", "ABC", "", ""},
      {"matches do not overlap", "aaa", "aa", "b", "ba"},
      {"two matches back to back", "aaaa", "aa", "b", "bb"},
      {"a long run is cut from the left", "\u00AF\u00AF\u00AF\u00AF", "\u00AF\u00AF\u00AF",
       "\u00BA\u00B0\u00B0\u00B0'", "\u00BA\u00B0\u00B0\u00B0'\u00AF"},
      {"positions count characters, not bytes", "\u20ACa\u20ACa", "a", "-", "\u20AC-\u20AC-"},
      {"multi-byte find", "x\u20ACy\u20AC", "\u20AC", "E", "xEyE"},
      {"Latin-1 letters ignore case", "\u00C0\u00C9\u00DE", "\u00E0\u00E9\u00FE", "x", "x"},
      {"Windows-1252 extras ignore case", "\u0160\u0152\u017D\u0178", "\u0161\u0153\u017E\u00FF",
       "x", "x"},
      {"lower case finds upper case extras", "\u0161\u0153\u017E\u00FF", "\u0160\u0152\u017D\u0178",
       "x", "x"},
      {"multiplication sign is not a letter", "a\u00D7b", "\u00F7", "x", "a\u00D7b"},
      {"CR LF stripped", "a\r\nb", "\r\n", "", "ab"},
      {"NUL stripped", std::string("a\0b\0", 4), std::string("\0", 1), "", "ab"},
      {"empty text", "", "a", "b", ""},
      {"empty find changes nothing", "abc", "", "x", "abc"},
  };
  for (const ReplaceCase& c : cases) {
    std::string text = c.text;
    const std::string result = text::ReplaceText(text, c.find, c.replacement);
    EXPECT_EQ(result, c.expected) << c.what;
    EXPECT_EQ(text, c.expected) << c.what << " (caller's variable)";
  }
}

struct SwapCase {
  const char* what;
  std::string text;
  std::string first;
  std::string second;
  std::string expected;
  std::string first_after;
  std::string second_after;
};

TEST(TextSwapText, ExchangesBothWaysInOnePass) {
  const std::vector<SwapCase> cases = {
      {"plain exchange", "a/b\\c", "/", "\\", "a\\b/c", "/", "\\"},
      {"runs of each", "((x))", "(", ")", "))x((", "(", ")"},
      {"case matters", "AB", "a", "b", "AB", "a", "b"},
      {"nothing to swap", "xyz", "a", "b", "xyz", "a", "b"},
      {"multi-byte characters", "\u00ABx\u00BB", "\u00AB", "\u00BB", "\u00BBx\u00AB", "\u00AB",
       "\u00BB"},
      {"the same text twice", "a/a", "/", "/", "a/a", "/", "/"},
      // The pair is put longer-first in the caller's variables too.
      {"longer second is moved first", "wolf cat", "cat", "wolf", "cat wolf", "wolf", "cat"},
      {"longer first stays", "cat dog wolf", "wolf", "cat", "wolf dog cat", "wolf", "cat"},
      {"inserted text is not read again", "aabb", "ab", "ba", "abab", "ab", "ba"},
      {"one begins the other: longer wins", "abab a", "a", "ab", "aa ab", "ab", "a"},
      {"one ends the other", "xab b", "ab", "b", "xb ab", "ab", "b"},
      {"empty second never matches", "a-b", "-", "", "ab", "-", ""},
      {"empty pair", "abc", "", "", "abc", "", ""},
      {"empty text", "", "a", "b", "", "a", "b"},
  };
  for (const SwapCase& c : cases) {
    std::string text = c.text;
    std::string first = c.first;
    std::string second = c.second;
    const std::string result = text::SwapText(text, first, second);
    EXPECT_EQ(result, c.expected) << c.what;
    EXPECT_EQ(text, c.expected) << c.what << " (caller's variable)";
    EXPECT_EQ(first, c.first_after) << c.what;
    EXPECT_EQ(second, c.second_after) << c.what;
  }
}

TEST(TextCountLines, CountsCarriageReturnsOnly) {
  const std::vector<std::pair<std::string, std::int64_t>> cases = {
      {"", 0},           {"abc", 1}, {"a\r\nb", 2},   {"a\nb", 1},
      {"a\r\nb\r\n", 3}, {"\r", 2},  {"\r\n\r\n", 3}, {"\u20AC\r\u20AC", 2},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(text::CountLines(text), expected) << '"' << text << '"';
  }
}

struct LineCase {
  std::string text;
  std::int64_t line;
  std::string expected;
};

TEST(TextGetLine, ReturnsTheLineWithoutBreaks) {
  const std::vector<LineCase> cases = {
      {"a\r\nb\r\nc", 1, "a"},
      {"a\r\nb\r\nc", 2, "b"},
      {"a\r\nb\r\nc", 3, "c"},
      {"a\r\nb\r\nc", 4, ""},
      {"a\r\nb\r\n", 3, ""},
      {"ab", 1, "ab"},
      // A text of one line comes back whole, LF included ...
      {"a\nb", 1, "a\nb"},
      // ... but from a text of several lines LF characters are dropped.
      {"x\ny\r\nz", 1, "xy"},
      {"x\r\ny\nz", 2, "yz"},
      {"a\rb", 2, "b"},
      {"\u00AF\u00AF\r\n\u20AC", 2, "\u20AC"},
      {"", 1, ""},
      // Out of range in every direction: nothing, and no failure.
      {"a\r\nb", 0, ""},
      {"a\r\nb", -1, ""},
      {"a\r\nb", kTiny, ""},
      {"a\r\nb", kHuge, ""},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(text::GetLine(c.text, c.line), c.expected) << '"' << c.text << "\" line " << c.line;
  }
}

TEST(TextGetLines, AgreesWithGetLineForEveryLine) {
  const std::vector<std::string> texts = {"",         "a",           "a\nb", "a\r\nb\r\nc", "a\r\n",
                                          "\r\n\r\n", "x\ny\r\nz\n", "\r",   "\n\r\n"};
  for (const std::string& text : texts) {
    const std::vector<std::string> lines = text::GetLines(text);
    ASSERT_EQ(static_cast<std::int64_t>(lines.size()), text::CountLines(text)) << text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i], text::GetLine(text, static_cast<std::int64_t>(i) + 1))
          << '"' << text << "\" line " << i + 1;
    }
  }
}

TEST(TextOneLiners, ReverseAndDouble) {
  const std::vector<std::pair<std::string, std::string>> reversed = {
      {"abc", "cba"}, {"", ""}, {"a\u00AF\u20AC", "\u20AC\u00AFa"}};
  for (const auto& [text, expected] : reversed) EXPECT_EQ(text::ReverseText(text), expected);

  const std::vector<std::pair<std::string, std::string>> doubled = {
      {"ab", "aabb"}, {"", ""}, {"\u00A6x", "\u00A6\u00A6xx"}};
  for (const auto& [text, expected] : doubled) EXPECT_EQ(text::DoubleCharacters(text), expected);
}

TEST(TextGetCharacter, CountsCharactersFromOne) {
  const std::vector<LineCase> cases = {
      {"abc", 1, "a"},           {"abc", 3, "c"},      {"abc", 0, ""},     {"abc", 4, ""},
      {"abc", -1, ""},           {"abc", kTiny, ""},   {"abc", kHuge, ""}, {"", 1, ""},
      {"a\u20ACb", 2, "\u20AC"}, {"a\u20ACb", 3, "b"},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(text::GetCharacter(c.text, c.line), c.expected)
        << '"' << c.text << "\" at " << c.line;
  }
}

TEST(TextExtract, BeforeColonAndAfterTab) {
  struct Case {
    std::string text;
    std::string before_colon;
    std::string after_tab;
  };
  const std::vector<Case> cases = {
      {"Name:\thello", "Name", "hello"},
      {"none", "", ""},
      {":x", "", ""},
      {"a:b:c", "a", ""},
      {"a\tb\tc", "", "b\tc"},
      {"a\t", "", ""},
      {"\u00C9t\u00E9:\t\u20AC", "\u00C9t\u00E9", "\u20AC"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::ExtractBeforeColon(c.text), c.before_colon) << c.text;
    EXPECT_EQ(text::ExtractAfterTab(c.text), c.after_tab) << c.text;
  }
}

}  // namespace
