// Line-by-line transforms of multi-line texts (lines separated by CR LF):
// mirror, flip upside down, widen, indent and unindent. Lines are read as
// GetLine gives them, so CR and LF never survive inside a line.
#pragma once

#include <string>
#include <string_view>

namespace text {

// Every line written backwards, the lines in their order, and characters
// that face left or right ("/" "\", brackets, braces, parentheses, guillemets,
// "<" ">") turned to face the other way.
std::string MirrorText(std::string_view text);

// The lines in reverse order, with characters that face up or down exchanged
// ("/" "\", macron and underscore, comma and apostrophe, ...). The caller's
// text receives the result unless it is empty. Processes pending window
// messages once per line.
std::string FlipText(std::string& text);

// Every character of every line written twice.
std::string WidenText(std::string_view text);

// One space in front of every line; an empty text gives one space. The
// caller's text receives the result. Processes pending window messages once
// per line.
std::string IndentLines(std::string& text);

// The first character of every line removed; empty lines stay empty. The
// caller's text receives the result.
std::string UnindentLines(std::string& text);

}  // namespace text
