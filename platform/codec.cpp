#include "platform/codec.h"

#include <array>

namespace platform {
namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// Decodes one UTF-8 sequence at text[i]; advances i. Returns U+FFFD for a
// malformed sequence (consuming one byte).
char32_t DecodeOne(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
  const std::uint8_t lead = byte(i);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int extra = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, min = 0x10000;
  } else {
    ++i;
    return 0xFFFD;
  }
  if (i + static_cast<std::size_t>(extra) >= text.size()) {
    ++i;
    return 0xFFFD;
  }
  for (int k = 1; k <= extra; ++k) {
    const std::uint8_t b = byte(i + k);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return 0xFFFD;
  }
  i += static_cast<std::size_t>(extra) + 1;
  return cp;
}

}  // namespace

char32_t Cp1252ToCodePoint(std::uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::uint8_t CodePointToCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<std::uint8_t>(cp);
  for (std::size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == cp) return static_cast<std::uint8_t>(0x80 + k);
  }
  return 0;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = DecodeOne(utf8, i);
    const std::uint8_t b = CodePointToCp1252(cp);
    out.push_back(b == 0 && cp != 0 ? '?' : static_cast<char>(b));
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (char c : bytes) AppendUtf8(out, Cp1252ToCodePoint(static_cast<std::uint8_t>(c)));
  return out;
}

std::uint8_t Cp1252ToLower(std::uint8_t b) {
  if (b >= 'A' && b <= 'Z') return static_cast<std::uint8_t>(b + 0x20);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<std::uint8_t>(b + 0x20);
  switch (b) {
    case 0x8A: return 0x9A;  // Š
    case 0x8C: return 0x9C;  // Œ
    case 0x8E: return 0x9E;  // Ž
    case 0x9F: return 0xFF;  // Ÿ
    default: return b;
  }
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  const std::u32string ca = Utf8ToCodePoints(a);
  const std::u32string cb = Utf8ToCodePoints(b);
  if (ca.size() != cb.size()) return false;
  for (std::size_t k = 0; k < ca.size(); ++k) {
    if (ca[k] == cb[k]) continue;
    const std::uint8_t xa = CodePointToCp1252(ca[k]);
    const std::uint8_t xb = CodePointToCp1252(cb[k]);
    if (xa == 0 || xb == 0 || Cp1252ToLower(xa) != Cp1252ToLower(xb)) return false;
  }
  return true;
}

std::u32string Utf8ToCodePoints(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) out.push_back(DecodeOne(utf8, i));
  return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string CodePointsToUtf8(std::u32string_view cps) {
  std::string out;
  out.reserve(cps.size());
  for (char32_t cp : cps) AppendUtf8(out, cp);
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = DecodeOne(utf8, i);
    if (cp >= 0x10000) {
      const char32_t v = cp - 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace platform
