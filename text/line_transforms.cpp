#include "text/line_transforms.h"

#include <vector>

#include "platform/codec.h"
#include "platform/platform.h"
#include "text/string_primitives.h"

namespace text {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// The lines of `text` followed by one empty line: the text with a line break
// added and split, as every transform here reads it.
std::vector<std::string> LinesWithBreakAdded(std::string_view text) {
  std::string with_break(text);
  with_break.append(kCrLf);
  return GetLines(with_break);
}

// Drops the last `count` characters; they are always the ASCII line breaks
// this file appended, so bytes and characters agree.
std::string WithoutLast(std::string text, std::size_t count) {
  text.resize(text.size() >= count ? text.size() - count : 0);
  return text;
}

void Swap(std::string& text, std::u32string_view a, std::u32string_view b) {
  std::string first = platform::CodePointsToUtf8(a);
  std::string second = platform::CodePointsToUtf8(b);
  SwapText(text, first, second);
}

void Replace(std::string& text, std::u32string_view find, std::u32string_view replacement) {
  ReplaceText(text, platform::CodePointsToUtf8(find), platform::CodePointsToUtf8(replacement));
}

void YieldToEventLoop() { platform::Current().Yield(); }

}  // namespace

std::string MirrorText(std::string_view text) {
  if (text.empty()) return {};
  std::string acc;
  for (const std::string& line : LinesWithBreakAdded(text)) {
    acc += ReverseText(line);
    acc += kCrLf;
  }
  Swap(acc, U"/", U"\\");
  Swap(acc, U"[", U"]");
  Swap(acc, U"{", U"}");
  Swap(acc, U"(", U")");
  Swap(acc, U"\u00AB", U"\u00BB");
  Swap(acc, U"\u2039", U"\u203A");
  Swap(acc, U"<", U">");
  // The break after the last line and the one after the added empty line.
  return WithoutLast(std::move(acc), 4);
}

std::string FlipText(std::string& text) {
  if (text.empty()) return {};
  const std::vector<std::string> lines = LinesWithBreakAdded(text);
  std::string flipped;
  // The last entry is the added empty line; the text's own lines come before.
  for (std::size_t k = lines.size() - 1; k-- > 0;) {
    flipped += lines[k];
    if (k > 0) flipped += kCrLf;
    YieldToEventLoop();
  }
  text = std::move(flipped);
  Swap(text, U"/", U"\\");
  Swap(text, U"\u00AF", U"_");
  Swap(text, U",", U"'");
  Replace(text, U",,", U",");
  Replace(text, U"`", U",");
  Swap(text, U"\u00B4", U".");
  Replace(text, U"\u2018", U".");
  Replace(text, U"\u2019", U",");
  Swap(text, U"\u02C6", U"\u00B8");
  Swap(text, U"\u201E", U"\"");
  return text;
}

std::string WidenText(std::string_view text) {
  if (text.empty()) return {};
  std::string acc;
  for (const std::string& line : LinesWithBreakAdded(text)) {
    acc += DoubleCharacters(line);
    acc += kCrLf;
  }
  return WithoutLast(std::move(acc), 4);
}

std::string IndentLines(std::string& text) {
  // The indented lines joined by CR LF. Cutting the assembled text to the
  // original length plus one character per line would give the same for
  // texts broken by CR LF, but loses the end of a text with a lone CR and
  // leaves a stray CR after a lone LF, so the lines are joined instead.
  const std::vector<std::string> lines = LinesWithBreakAdded(text);
  std::string acc;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    YieldToEventLoop();
    if (i + 1 == lines.size()) break;  // the added empty line
    if (i > 0) acc += kCrLf;
    acc += ' ';
    acc += lines[i];
  }
  text = std::move(acc);
  return text;
}

std::string UnindentLines(std::string& text) {
  std::string acc;
  for (const std::string& line : LinesWithBreakAdded(text)) {
    if (!line.empty()) {
      const std::u32string chars = platform::Utf8ToCodePoints(line);
      acc += platform::CodePointsToUtf8(std::u32string_view(chars).substr(1));
    }
    acc += kCrLf;
  }
  text = WithoutLast(std::move(acc), 4);
  return text;
}

}  // namespace text
