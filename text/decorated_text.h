// Restyling of text drawings made of bars, slashes, macrons, underscores and
// spaces. Each routine is a fixed, ordered list of ReplaceText steps (see
// kDecorations in decorated_text.cpp); the caller's text receives the result,
// which is also returned.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace text {

// One step: every occurrence of `find` (ignoring letter case) becomes
// `replacement`. Both are UTF-8.
struct DecorationStep {
  std::string find;
  std::string replacement;
};

// A routine's name and its steps, in the order they run.
struct Decoration {
  std::string_view name;
  std::vector<DecorationStep> steps;
};

// All decorated-text routines, one entry per routine.
const std::vector<Decoration>& Decorations();

// Runs the steps of the routine called `name` on `text`; an unknown name
// leaves the text alone.
std::string Decorate(std::string_view name, std::string& text);

// Character conversions and multi-step restylings.
std::string ReplaceBarsWithBrokenBars(std::string& text);
std::string RemoveSpaces(std::string& text);
std::string ReplaceSlashesWithBraces(std::string& text);
std::string ReplaceSlashesWithParentheses(std::string& text);
std::string ReplaceSlashesWithBrackets(std::string& text);
std::string ReplaceBracketsWithSlashes(std::string& text);
std::string PadBarsWithSemicolons(std::string& text);
std::string PadBarsWithDashes(std::string& text);
std::string PadBarsWithWaves(std::string& text);
std::string CurlBarCorners(std::string& text);
std::string CurveSlashes(std::string& text);
std::string CurveOutlines(std::string& text);
std::string StraightenOutlines(std::string& text);
std::string DotOutlines(std::string& text);
std::string ShadeOutlines(std::string& text);

// Edge decorators: each run of macrons (upper edge) or underscores (lower
// edge) of the routine's length is replaced, left to right.
std::string DecorateOverlineStars(std::string& text);
std::string DecorateOverlineQuotes(std::string& text);
std::string DecorateOverlineDegrees(std::string& text);
std::string DecorateOverlineDegreeTicks(std::string& text);
std::string DecorateOverlineNotch(std::string& text);
std::string DecorateOverlineCurlyQuotes(std::string& text);
std::string DecorateOverlineOrdinals(std::string& text);
std::string DecorateOverlineZigzag(std::string& text);
std::string DecorateOverlineFigure(std::string& text);
std::string DecorateUnderlineHook(std::string& text);
std::string DecorateUnderlineCommas(std::string& text);
std::string DecorateUnderlineHats(std::string& text);
std::string DecorateUnderlineExclaims(std::string& text);
std::string DecorateUnderlineCedillas(std::string& text);

}  // namespace text
