#include "files/settings.h"

#include <array>
#include <cstdint>

#include "platform/codec.h"
#include "platform/platform.h"

namespace files {
namespace {

// The read buffer's size: a value comes back with at most 749 characters.
constexpr std::size_t kReadBuffer = 750;

// Upper case over the letters of Windows-1252, the code page the settings
// file is kept in (á to Á, ÿ to Ÿ, š to Š); other characters stay.
std::array<std::uint8_t, 256> UpperTable() {
  std::array<std::uint8_t, 256> upper{};
  for (int b = 0; b < 256; ++b) upper[b] = static_cast<std::uint8_t>(b);
  for (int b = 0; b < 256; ++b) {
    const std::uint8_t lower = platform::Cp1252ToLower(static_cast<std::uint8_t>(b));
    if (lower != b) upper[lower] = static_cast<std::uint8_t>(b);
  }
  return upper;
}

std::string ChangeCase(std::string_view text, bool to_upper) {
  static const std::array<std::uint8_t, 256> upper = UpperTable();
  std::u32string points = platform::Utf8ToCodePoints(text);
  for (char32_t& cp : points) {
    const std::uint8_t byte = platform::CodePointToCp1252(cp);
    if (byte == 0) continue;
    const std::uint8_t changed = to_upper ? upper[byte] : platform::Cp1252ToLower(byte);
    cp = platform::Cp1252ToCodePoint(changed);
  }
  return platform::CodePointsToUtf8(points);
}

}  // namespace

void WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                  std::string_view file_name) {
  // A write the system refuses is lost without a word.
  platform::Current().WritePrivateProfileString(section, ChangeCase(key, true), value, file_name);
}

std::string ReadSetting(std::string_view section, std::string& key, std::string_view file_name) {
  key = ChangeCase(key, false);
  return platform::Current().GetPrivateProfileString(section, key, "", kReadBuffer, file_name);
}

}  // namespace files
