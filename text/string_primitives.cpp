#include "text/string_primitives.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "platform/codec.h"

namespace text {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

// Lower case as the client's code page knows it; characters outside
// Windows-1252 are compared as they are.
char32_t LowerCase(char32_t c) {
  if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
  const std::uint8_t byte = platform::CodePointToCp1252(c);
  if (byte == 0) return c;
  return platform::Cp1252ToCodePoint(platform::Cp1252ToLower(byte));
}

std::u32string LowerCase(std::u32string text) {
  for (char32_t& c : text) c = LowerCase(c);
  return text;
}

// For every index of `text`, whether `pattern` (not empty) starts there.
// Knuth-Morris-Pratt, so the cost stays linear however the two look.
std::vector<bool> MatchStarts(std::u32string_view text, std::u32string_view pattern) {
  std::vector<bool> starts(text.size(), false);
  const std::size_t m = pattern.size();
  if (m == 0 || m > text.size()) return starts;
  std::vector<std::size_t> border(m, 0);
  for (std::size_t i = 1, k = 0; i < m; ++i) {
    while (k > 0 && pattern[i] != pattern[k]) k = border[k - 1];
    if (pattern[i] == pattern[k]) ++k;
    border[i] = k;
  }
  for (std::size_t i = 0, q = 0; i < text.size(); ++i) {
    while (q > 0 && text[i] != pattern[q]) q = border[q - 1];
    if (text[i] == pattern[q]) ++q;
    if (q == m) {
      starts[i + 1 - m] = true;
      q = border[q - 1];
    }
  }
  return starts;
}

void AppendCodePoints(std::string& out, std::u32string_view code_points) {
  for (char32_t c : code_points) platform::AppendUtf8(out, c);
}

}  // namespace

std::string ReplaceText(std::string& text, std::string_view find, std::string_view replacement) {
  // An empty find text would match everywhere; nothing sensible can be
  // replaced, so the text stays as it is.
  if (find.empty() || text.empty()) return text;
  const std::u32string chars = platform::Utf8ToCodePoints(text);
  const std::vector<bool> starts =
      MatchStarts(LowerCase(chars), LowerCase(platform::Utf8ToCodePoints(find)));
  if (std::find(starts.begin(), starts.end(), true) == starts.end()) return text;

  // The search resumes right after each match, so matches never overlap and
  // the inserted replacement is never looked at again.
  const std::size_t find_length = platform::Utf8ToCodePoints(find).size();
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (std::size_t i = 0; i < chars.size();) {
    if (starts[i]) {
      out.append(replacement);
      i += find_length;
    } else {
      platform::AppendUtf8(out, chars[i]);
      ++i;
    }
  }
  text = std::move(out);
  return text;
}

std::string SwapText(std::string& text, std::string& first, std::string& second) {
  std::u32string longer = platform::Utf8ToCodePoints(first);
  std::u32string shorter = platform::Utf8ToCodePoints(second);
  if (shorter.size() > longer.size()) {
    std::swap(first, second);
    std::swap(longer, shorter);
  }
  const std::u32string chars = platform::Utf8ToCodePoints(text);
  // An empty text of the pair occurs nowhere. Where both texts start at the
  // same place (one begins the other), the longer one is taken.
  const std::vector<bool> longer_starts = MatchStarts(chars, longer);
  const std::vector<bool> shorter_starts = MatchStarts(chars, shorter);
  const auto none = [](const std::vector<bool>& v) {
    return std::find(v.begin(), v.end(), true) == v.end();
  };
  if (none(longer_starts) && none(shorter_starts)) return text;

  // One pass; each replacement is written to the output and the scan goes
  // on after the text it replaced, so nothing is swapped back.
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (std::size_t i = 0; i < chars.size();) {
    if (longer_starts[i]) {
      AppendCodePoints(out, shorter);
      i += longer.size();
    } else if (shorter_starts[i]) {
      AppendCodePoints(out, longer);
      i += shorter.size();
    } else {
      platform::AppendUtf8(out, chars[i]);
      ++i;
    }
  }
  text = std::move(out);
  return text;
}

std::int64_t CountLines(std::string_view text) {
  if (text.empty()) return 0;
  // CR and LF are single bytes in UTF-8 and never part of another character.
  return 1 + static_cast<std::int64_t>(std::count(text.begin(), text.end(), kCr));
}

namespace {

std::string WithoutLineFeeds(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (char c : line) {
    if (c != kCr && c != kLf) out.push_back(c);
  }
  return out;
}

}  // namespace

std::string GetLine(std::string_view text, std::int64_t line_number) {
  const std::int64_t count = CountLines(text);
  // Line numbers start at 1; anything below reads as "no such line".
  if (line_number < 1 || line_number > count) return {};
  if (count == 1) return std::string(text);
  std::size_t start = 0;
  for (std::int64_t k = 1; k < line_number; ++k) start = text.find(kCr, start) + 1;
  std::size_t end = text.find(kCr, start);
  if (end == std::string_view::npos) end = text.size();
  return WithoutLineFeeds(text.substr(start, end - start));
}

std::vector<std::string> GetLines(std::string_view text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  if (CountLines(text) == 1) {
    lines.emplace_back(text);
    return lines;
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(kCr, start);
    if (end == std::string_view::npos) {
      lines.push_back(WithoutLineFeeds(text.substr(start)));
      return lines;
    }
    lines.push_back(WithoutLineFeeds(text.substr(start, end - start)));
    start = end + 1;
  }
}

std::string ReverseText(std::string_view text) {
  std::u32string chars = platform::Utf8ToCodePoints(text);
  std::reverse(chars.begin(), chars.end());
  return platform::CodePointsToUtf8(chars);
}

std::string DoubleCharacters(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char32_t c : platform::Utf8ToCodePoints(text)) {
    platform::AppendUtf8(out, c);
    platform::AppendUtf8(out, c);
  }
  return out;
}

std::string GetCharacter(std::string_view text, std::int64_t position) {
  // Positions start at 1; 0 and below give nothing.
  if (position < 1) return {};
  const std::u32string chars = platform::Utf8ToCodePoints(text);
  if (static_cast<std::uint64_t>(position) > chars.size()) return {};
  std::string out;
  platform::AppendUtf8(out, chars[static_cast<std::size_t>(position - 1)]);
  return out;
}

std::string ExtractBeforeColon(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return {};
  return std::string(text.substr(0, colon));
}

std::string ExtractAfterTab(std::string_view text) {
  const std::size_t tab = text.find('\t');
  if (tab == std::string_view::npos) return {};
  return std::string(text.substr(tab + 1));
}

}  // namespace text
