#include "text/decorated_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/codec.h"

namespace {

using Routine = std::string (*)(std::string&);

struct Case {
  const char* name;
  Routine routine;
  std::string input;  // UTF-8
  std::string bytes;  // the result as the client receives it, in Windows-1252
};

#define ROUTINE(name) #name, text::name

// One case per routine that runs through all of its steps. The expected
// results are written as Windows-1252 bytes, so each character is checked
// by the byte the client gets (0x82 low quote, 0xB4 acute accent, ...).
const std::vector<Case>& EveryRoutine() {
  static const std::vector<Case> cases = {
      {ROUTINE(ReplaceBarsWithBrokenBars), "|x|", "\xA6x\xA6"},
      {ROUTINE(RemoveSpaces), " a b  ", "ab"},
      {ROUTINE(ReplaceSlashesWithBraces), "/\\_/", "{}_{"},
      {ROUTINE(ReplaceSlashesWithParentheses), "/\\_/", "()_("},
      {ROUTINE(ReplaceSlashesWithBrackets), "/\\_/", "[]_["},
      {ROUTINE(ReplaceBracketsWithSlashes), "{}[]()", "/\\/\\/\\"},
      {ROUTINE(PadBarsWithSemicolons), "a | b", "a;|;b"},
      {ROUTINE(PadBarsWithDashes), "   |   ", "-=|=-"},
      {ROUTINE(PadBarsWithWaves), "      |      ", "--^v^|^v^--"},
      {ROUTINE(CurlBarCorners), "|\u00AF\u00AF \u00A6\u00AF\u00AF", "|'\x98\xAF \xA6'\x98\xAF"},
      {ROUTINE(CurveSlashes), "/ \\ ", ",\xB4`,"},
      {ROUTINE(CurveSlashes), " /x \\", ",\xB4x`,"},
      {ROUTINE(CurveOutlines), "| / ;", "\xA6 ,\xB4:"},
      {ROUTINE(CurveOutlines), "x \\", "x`,"},
      {ROUTINE(StraightenOutlines), "\u00A6,\u00B4`,:", "|/  \\;"},
      {ROUTINE(DotOutlines), "\u00AF/\\|_\u00A6", "\xA8\xA8.\xB7\xB7.:..:"},
      {ROUTINE(ShadeOutlines), "    |  / \\   '", " .:;\xA6:;/;\\.:;'"},
      {ROUTINE(ShadeOutlines), "  |   /  \\ '", ":;\xA6.:;/:;\\;'"},
      {ROUTINE(DecorateOverlineStars), "\u00AF\u00AF\u00AF", "`**\xAF"},
      {ROUTINE(DecorateOverlineQuotes), "\u00AF\u00AF\u00AF", "`'\xAF`\x93"},
      {ROUTINE(DecorateOverlineDegrees), "\u00AF\u00AF\u00AF", "\xBA\xB0\xB0\xB0'"},
      {ROUTINE(DecorateOverlineDegreeTicks), "\u00AF\u00AF\u00AF", "\xB0'\xB0'\xB0'"},
      {ROUTINE(DecorateOverlineNotch), "\u00AF\u00AF\u00AF\u00AF", "\xAF`v\xB4\xAF"},
      {ROUTINE(DecorateOverlineCurlyQuotes), "\u00AF\u00AF\u00AF", "\x94\x91\x94\x91\x94\x91"},
      {ROUTINE(DecorateOverlineOrdinals), "\u00AF\u00AF\u00AF", "\xAA\x91\xAA\x91\xAA\x91"},
      {ROUTINE(DecorateOverlineZigzag), "\u00AF\u00AF\u00AF\u00AF\u00AF", "\xAF\\,/\xAF'v'"},
      {ROUTINE(DecorateOverlineFigure), "\u00AF\u00AF\u00AF\u00AF\u00AF\u00AF",
       "\xAF\\(\xAF)/\"\xAF"},
      {ROUTINE(DecorateUnderlineHook), "___", "_')\\."},
      {ROUTINE(DecorateUnderlineCommas), "___", "-\x82\x84\x82\xB8\x82"},
      {ROUTINE(DecorateUnderlineHats), "___", "\xEE,\xEE,\xEE,"},
      {ROUTINE(DecorateUnderlineExclaims), "___", "\xB8\xA1\xB8\xA1\xB8\xA1"},
      {ROUTINE(DecorateUnderlineCedillas), "___", "\xB8\x82\xB8\x82\xB8\x82"},
  };
  return cases;
}

TEST(TextDecorated, EachRoutineGivesTheClientTheRightBytes) {
  std::set<std::string> covered;
  for (const Case& c : EveryRoutine()) {
    std::string text = c.input;
    const std::string result = c.routine(text);
    EXPECT_EQ(platform::Utf8ToCp1252(result), c.bytes) << c.name;
    EXPECT_EQ(text, result) << c.name << " (caller's variable)";
    covered.insert(c.name);
  }
  // Every routine of the table has a case above.
  for (const text::Decoration& d : text::Decorations()) {
    EXPECT_TRUE(covered.count(std::string(d.name))) << d.name << " has no case";
  }
}

TEST(TextDecorated, TableFitsTheClientsCodePage) {
  std::set<std::string_view> names;
  for (const text::Decoration& d : text::Decorations()) {
    EXPECT_TRUE(names.insert(d.name).second) << d.name << " twice";
    EXPECT_FALSE(d.steps.empty()) << d.name;
    for (const text::DecorationStep& step : d.steps) {
      EXPECT_FALSE(step.find.empty()) << d.name;
      // No character of the table turns into "?" on its way to the client.
      EXPECT_EQ(platform::Utf8ToCp1252(step.find).find('?'), std::string::npos) << d.name;
      EXPECT_EQ(platform::Utf8ToCp1252(step.replacement).find('?'), std::string::npos) << d.name;
    }
  }
}

TEST(TextDecorated, TextWithoutFindTextsComesBackUnchanged) {
  for (const Case& c : EveryRoutine()) {
    std::string text = "Hello\r\nWorld";
    EXPECT_EQ(c.routine(text), "Hello\r\nWorld") << c.name;
  }
}

struct EdgeCase {
  const char* what;
  Routine routine;
  std::string input;
  std::string expected;  // UTF-8
};

TEST(TextDecorated, EdgeCases) {
  const std::string macron = "\u00AF";
  const std::string stars = "`**\u00AF";
  const std::vector<EdgeCase> cases = {
      {"a long run is cut into pieces from the left", text::DecorateOverlineStars,
       "\u00AF\u00AF\u00AF\u00AF\u00AF\u00AF\u00AF", stars + stars + macron},
      {"runs shorter than the find text stay", text::DecorateOverlineStars, "\u00AF\u00AF x",
       "\u00AF\u00AF x"},
      {"notch needs four macrons", text::DecorateOverlineNotch, "\u00AF\u00AF\u00AF",
       "\u00AF\u00AF\u00AF"},
      {"spaces only", text::RemoveSpaces, "    ", ""},
      {"four spaces before a bar", text::ShadeOutlines, "    |", " .:;\u00A6"},
      {"a bar alone", text::ShadeOutlines, "|", "\u00A6"},
      {"waves need six spaces", text::PadBarsWithWaves, "     |     ", "     |     "},
      {"dots: one macron grows by one character", text::DotOutlines, "a\u00AF\u00AFb",
       "a\u00A8\u00A8\u00A8\u00A8b"},
      {"letters in the find text are not needed; the replacement keeps its case",
       text::DecorateUnderlineHook, "A___B", "A_')\\.B"},
      {"empty text", text::ShadeOutlines, "", ""},
  };
  for (const EdgeCase& c : cases) {
    std::string text = c.input;
    EXPECT_EQ(c.routine(text), c.expected) << c.what;
  }
}

TEST(TextDecorated, RoundTrips) {
  // Slashes to braces and back restores a drawing without braces, brackets
  // or parentheses.
  const std::string drawing = " /\\_/\\\r\n( o.o )\r\n \\_^_/";
  const std::string plain = " /\\_/\\\r\n| o.o |\r\n \\_^_/";
  std::string text = plain;
  text::ReplaceSlashesWithBraces(text);
  EXPECT_EQ(text, " {}_{}\r\n| o.o |\r\n }_^_{");
  text::ReplaceBracketsWithSlashes(text);
  EXPECT_EQ(text, plain);

  // Parentheses in the drawing do not survive the trip.
  std::string with_parens = drawing;
  text::ReplaceSlashesWithBraces(with_parens);
  text::ReplaceBracketsWithSlashes(with_parens);
  EXPECT_EQ(with_parens, " /\\_/\\\r\n/ o.o \\\r\n \\_^_/");

  // Curving and straightening: "/ " comes back, " /" comes back as "/ ".
  std::string slash_first = "/ ";
  EXPECT_EQ(text::CurveOutlines(slash_first), ",\u00B4");
  EXPECT_EQ(text::StraightenOutlines(slash_first), "/ ");
  std::string space_first = " /";
  text::CurveOutlines(space_first);
  EXPECT_EQ(text::StraightenOutlines(space_first), "/ ");
}

TEST(TextDecorated, DecorateByNameMatchesTheRoutine) {
  std::string by_name = "|\u00AF\u00AF|";
  std::string by_routine = by_name;
  EXPECT_EQ(text::Decorate("CurlBarCorners", by_name), text::CurlBarCorners(by_routine));
  std::string unknown = "|";
  EXPECT_EQ(text::Decorate("NoSuchRoutine", unknown), "|");
}

}  // namespace
