// Text as Windows hands it to an ANSI window under code page 1252, the way
// the simulated desktop stores what reaches its windows.
#pragma once

#include <string>
#include <string_view>

namespace platform::sim {

// UTF-8 to the bytes an ANSI window gets. A character the code page has
// becomes its byte; one it lacks becomes Windows' best-fit look-alike where
// Windows has one (Ł → L, Ω → O, a fullwidth Ａ → A) and "?" otherwise. A
// character beyond U+FFFF travels as two UTF-16 units and becomes "??".
std::string Utf8ToAnsi(std::string_view utf8);

// The same for one character (one or two bytes).
std::string CodePointToAnsi(char32_t code_point);

}  // namespace platform::sim
