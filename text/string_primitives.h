// The small text functions the rest of the toolkit is built on: a
// case-insensitive replace-all, a two-way swap, lines of a CR LF text, and a
// few one-liners.
//
// Texts are UTF-8. Positions (from 1) and lengths count characters (code
// points), never bytes. Line breaks are CR LF; lines are counted by CR alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Every occurrence of `find` (searched ignoring letter case, over the whole
// Windows-1252 repertoire) replaced by `replacement` as given, left to right,
// never overlapping and never searching inserted text again. `text` receives
// the result, which is also returned. An empty `find` changes nothing.
std::string ReplaceText(std::string& text, std::string_view find, std::string_view replacement);

// Every occurrence of `first` becomes `second` and every occurrence of
// `second` becomes `first`, in one left-to-right pass (letter case matters).
// Inserted text is never swapped back. If `second` is longer than `first`,
// the caller's two variables are exchanged so that `first` is the longer.
// `text` receives the result, which is also returned.
std::string SwapText(std::string& text, std::string& first, std::string& second);

// 0 for an empty text, otherwise 1 + the number of CR characters.
std::int64_t CountLines(std::string_view text);

// Line `line_number` (from 1), without its CR and LF characters; empty past
// the last line and below 1. A text with no CR at all comes back whole for
// line 1, LF characters included.
std::string GetLine(std::string_view text, std::int64_t line_number);

// GetLine for every line from 1 to CountLines, in one pass over the text.
std::vector<std::string> GetLines(std::string_view text);

// The characters in reverse order.
std::string ReverseText(std::string_view text);

// Every character written twice: "ab" gives "aabb".
std::string DoubleCharacters(std::string_view text);

// The character at `position` (from 1); empty at 0, below 0 and past the end.
std::string GetCharacter(std::string_view text, std::int64_t position);

// The characters before the first ":", or empty when there is none.
std::string ExtractBeforeColon(std::string_view text);

// The characters after the first TAB, or empty when there is none.
std::string ExtractAfterTab(std::string_view text);

}  // namespace text
