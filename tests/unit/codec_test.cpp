#include "platform/codec.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << "byte " << b;
  }
}

TEST(Cp1252, MapsTheCharactersOfTheChatLines) {
  // ".·´`°·•" as Windows-1252 bytes.
  EXPECT_EQ(Utf8ToCp1252(".·´`°·•"), "\x2E\xB7\xB4\x60\xB0\xB7\x95");
  EXPECT_EQ(Utf8ToCp1252("°•>> Vyn³ UnLøaÐeÐ"), "\xB0\x95>> Vyn\xB3 UnL\xF8" "a\xD0" "e\xD0");
  EXPECT_EQ(Utf8ToCp1252("€Š…"), "\x80\x8A\x85");
}

TEST(Cp1252, UndefinedBytesStandForC1Controls) {
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(Cp1252ToCodePoint(b), static_cast<char32_t>(b));
    EXPECT_EQ(CodePointToCp1252(b), b);
  }
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("aΩb😀c"), "a?b?c");
  // Bytes that are not UTF-8 at all do not fail either.
  EXPECT_EQ(Utf8ToCp1252(std::string("x\xFF\xC3y", 4)), "x??y");
  EXPECT_EQ(Utf8ToCp1252(std::string("\xE2\x80", 2)), "??");
}

TEST(Cp1252, LowerCaseCoversTheWholeRepertoire) {
  EXPECT_TRUE(EqualsIgnoreCase("AOL Frame25", "aol frame25"));
  EXPECT_TRUE(EqualsIgnoreCase("ŠŒŽŸÀÞ", "šœžÿàþ"));
  EXPECT_FALSE(EqualsIgnoreCase("×", "÷"));  // multiplication and division signs are no pair
  EXPECT_FALSE(EqualsIgnoreCase("MDIClient", "MDIClient "));
}

TEST(Utf16, RoundTripsAcrossThePlanes) {
  const std::string text = "abc ·•€ Ω 😀";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
  EXPECT_EQ(Utf8ToUtf16("😀").size(), 2u);
}

}  // namespace
}  // namespace platform
