#include "text/decorated_text.h"

#include <algorithm>
#include <utility>

#include "platform/codec.h"
#include "text/string_primitives.h"

namespace text {
namespace {

// The table is written in code points: characters such as U+00B4 (acute
// accent, not an apostrophe) or U+201A (low quotation mark, not a comma) are
// spelt out so they can be told apart. Plain ASCII is written as itself.
struct Row {
  std::string_view name;
  std::vector<std::pair<std::u32string_view, std::u32string_view>> steps;
};

std::vector<Decoration> BuildDecorations() {
  // One row per routine; its steps run top to bottom, each on the text the
  // previous one left (so later steps see earlier output).
  const Row rows[] = {
      {"ReplaceBarsWithBrokenBars", {{U"|", U"\u00A6"}}},
      {"RemoveSpaces", {{U" ", U""}}},
      {"ReplaceSlashesWithBraces", {{U"\\", U"}"}, {U"/", U"{"}}},
      {"ReplaceSlashesWithParentheses", {{U"\\", U")"}, {U"/", U"("}}},
      {"ReplaceSlashesWithBrackets", {{U"\\", U"]"}, {U"/", U"["}}},
      {"ReplaceBracketsWithSlashes",
       {{U"}", U"\\"}, {U"{", U"/"}, {U"]", U"\\"}, {U"[", U"/"}, {U")", U"\\"}, {U"(", U"/"}}},
      {"PadBarsWithSemicolons", {{U" |", U";|"}, {U"| ", U"|;"}}},
      {"PadBarsWithDashes", {{U"   |", U"-=|"}, {U"|   ", U"|=-"}}},
      {"PadBarsWithWaves", {{U"      |", U"--^v^|"}, {U"|      ", U"|^v^--"}}},
      {"CurlBarCorners",
       {{U"|\u00AF\u00AF", U"|'\u02DC\u00AF"}, {U"\u00A6\u00AF\u00AF", U"\u00A6'\u02DC\u00AF"}}},
      {"CurveSlashes",
       {{U"/ ", U",\u00B4"}, {U"\\ ", U"`,"}, {U" /", U",\u00B4"}, {U" \\", U"`,"}}},
      {"CurveOutlines",
       {{U"|", U"\u00A6"},
        {U"/ ", U",\u00B4"},
        {U"\\ ", U"`,"},
        {U" /", U",\u00B4"},
        {U" \\", U"`,"},
        {U";", U":"}}},
      {"StraightenOutlines",
       {{U"\u00A6", U"|"}, {U",\u00B4", U"/ "}, {U"`,", U" \\"}, {U":", U";"}}},
      {"DotOutlines",
       {{U"\u00AF", U"\u00A8\u00A8"},
        {U"/", U".\u00B7"},
        {U"\\", U"\u00B7."},
        {U"|", U":"},
        {U"_", U".."},
        {U"\u00A6", U":"}}},
      {"ShadeOutlines",
       {{U"|", U"\u00A6"},
        {U"   \u00A6", U".:;\u00A6"},
        {U"  \u00A6", U":;\u00A6"},
        {U" \u00A6", U";\u00A6"},
        {U"   /", U".:;/"},
        {U"  /", U":;/"},
        {U" /", U";/"},
        {U"   \\", U".:;\\"},
        {U"  \\", U":;\\"},
        {U" \\", U";\\"},
        {U"   '", U".:;'"},
        {U"  '", U":;'"},
        {U" '", U";'"}}},

      {"DecorateOverlineStars", {{U"\u00AF\u00AF\u00AF", U"`**\u00AF"}}},
      {"DecorateOverlineQuotes", {{U"\u00AF\u00AF\u00AF", U"`'\u00AF`\u201C"}}},
      {"DecorateOverlineDegrees", {{U"\u00AF\u00AF\u00AF", U"\u00BA\u00B0\u00B0\u00B0'"}}},
      {"DecorateOverlineDegreeTicks", {{U"\u00AF\u00AF\u00AF", U"\u00B0'\u00B0'\u00B0'"}}},
      {"DecorateOverlineNotch", {{U"\u00AF\u00AF\u00AF\u00AF", U"\u00AF`v\u00B4\u00AF"}}},
      {"DecorateOverlineCurlyQuotes",
       {{U"\u00AF\u00AF\u00AF", U"\u201D\u2018\u201D\u2018\u201D\u2018"}}},
      {"DecorateOverlineOrdinals",
       {{U"\u00AF\u00AF\u00AF", U"\u00AA\u2018\u00AA\u2018\u00AA\u2018"}}},
      {"DecorateOverlineZigzag", {{U"\u00AF\u00AF\u00AF\u00AF\u00AF", U"\u00AF\\,/\u00AF'v'"}}},
      {"DecorateOverlineFigure",
       {{U"\u00AF\u00AF\u00AF\u00AF\u00AF\u00AF", U"\u00AF\\(\u00AF)/\"\u00AF"}}},
      {"DecorateUnderlineHook", {{U"___", U"_')\\."}}},
      {"DecorateUnderlineCommas", {{U"___", U"-\u201A\u201E\u201A\u00B8\u201A"}}},
      {"DecorateUnderlineHats", {{U"___", U"\u00EE,\u00EE,\u00EE,"}}},
      {"DecorateUnderlineExclaims", {{U"___", U"\u00B8\u00A1\u00B8\u00A1\u00B8\u00A1"}}},
      {"DecorateUnderlineCedillas", {{U"___", U"\u00B8\u201A\u00B8\u201A\u00B8\u201A"}}},
  };

  std::vector<Decoration> decorations;
  for (const Row& row : rows) {
    Decoration& decoration = decorations.emplace_back();
    decoration.name = row.name;
    for (const auto& [find, replacement] : row.steps) {
      decoration.steps.push_back(
          {platform::CodePointsToUtf8(find), platform::CodePointsToUtf8(replacement)});
    }
  }
  return decorations;
}

}  // namespace

const std::vector<Decoration>& Decorations() {
  static const std::vector<Decoration> decorations = BuildDecorations();
  return decorations;
}

std::string Decorate(std::string_view name, std::string& text) {
  const auto& all = Decorations();
  const auto it =
      std::find_if(all.begin(), all.end(), [&](const Decoration& d) { return d.name == name; });
  if (it == all.end()) return text;
  for (const DecorationStep& step : it->steps) ReplaceText(text, step.find, step.replacement);
  return text;
}

#define BRIX_DECORATION(Name) \
  std::string Name(std::string& text) { return Decorate(#Name, text); }

BRIX_DECORATION(ReplaceBarsWithBrokenBars)
BRIX_DECORATION(RemoveSpaces)
BRIX_DECORATION(ReplaceSlashesWithBraces)
BRIX_DECORATION(ReplaceSlashesWithParentheses)
BRIX_DECORATION(ReplaceSlashesWithBrackets)
BRIX_DECORATION(ReplaceBracketsWithSlashes)
BRIX_DECORATION(PadBarsWithSemicolons)
BRIX_DECORATION(PadBarsWithDashes)
BRIX_DECORATION(PadBarsWithWaves)
BRIX_DECORATION(CurlBarCorners)
BRIX_DECORATION(CurveSlashes)
BRIX_DECORATION(CurveOutlines)
BRIX_DECORATION(StraightenOutlines)
BRIX_DECORATION(DotOutlines)
BRIX_DECORATION(ShadeOutlines)
BRIX_DECORATION(DecorateOverlineStars)
BRIX_DECORATION(DecorateOverlineQuotes)
BRIX_DECORATION(DecorateOverlineDegrees)
BRIX_DECORATION(DecorateOverlineDegreeTicks)
BRIX_DECORATION(DecorateOverlineNotch)
BRIX_DECORATION(DecorateOverlineCurlyQuotes)
BRIX_DECORATION(DecorateOverlineOrdinals)
BRIX_DECORATION(DecorateOverlineZigzag)
BRIX_DECORATION(DecorateOverlineFigure)
BRIX_DECORATION(DecorateUnderlineHook)
BRIX_DECORATION(DecorateUnderlineCommas)
BRIX_DECORATION(DecorateUnderlineHats)
BRIX_DECORATION(DecorateUnderlineExclaims)
BRIX_DECORATION(DecorateUnderlineCedillas)

#undef BRIX_DECORATION

}  // namespace text
