// Conversions between the program's UTF-8 and the encodings Windows uses:
// Windows-1252 (the client's ANSI code page) and UTF-16 (the wide calls).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// UTF-8 to Windows-1252 bytes. Characters outside the code page, and bytes
// that are not valid UTF-8, become "?". The five bytes Windows leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for U+0081 etc., as in Windows.
std::string Utf8ToCp1252(std::string_view utf8);

// Windows-1252 bytes to UTF-8; every byte value has a character.
std::string Cp1252ToUtf8(std::string_view bytes);

// The Unicode code point of a Windows-1252 byte.
char32_t Cp1252ToCodePoint(std::uint8_t byte);

// The Windows-1252 byte of a code point, or 0 when the code page lacks it
// (U+0000 itself maps to 0 as well).
std::uint8_t CodePointToCp1252(char32_t code_point);

// Lower case of a Windows-1252 byte, over the code page's whole repertoire
// (ASCII, Latin-1 letters, Š, Œ, Ž, Ÿ).
std::uint8_t Cp1252ToLower(std::uint8_t byte);

// Case-insensitive comparison of two UTF-8 texts, as Windows compares class
// names and captions.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Decodes UTF-8 into code points; an invalid byte becomes U+FFFD.
std::u32string Utf8ToCodePoints(std::string_view utf8);
std::string CodePointsToUtf8(std::u32string_view code_points);
void AppendUtf8(std::string& out, char32_t code_point);

// UTF-8 <-> UTF-16, for the wide Windows calls.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace platform
