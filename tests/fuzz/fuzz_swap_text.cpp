// SwapText on any text and pair: it must end, leave the longer text of the
// pair first, and for two different single characters swapping twice must
// give the text back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/codec.h"
#include "text/string_primitives.h"

namespace {

bool IsValidUtf8(const std::string& text) {
  return platform::CodePointsToUtf8(platform::Utf8ToCodePoints(text)) == text;
}

std::size_t Length(const std::string& text) { return platform::Utf8ToCodePoints(text).size(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::string first = input.ConsumeRandomLengthString(32);
  std::string second = input.ConsumeRandomLengthString(32);
  const std::string original = input.ConsumeRemainingBytesAsString();

  std::string text = original;
  const std::string result = text::SwapText(text, first, second);
  if (result != text) std::abort();
  if (Length(first) < Length(second)) std::abort();

  if (Length(first) == 1 && Length(second) == 1 && first != second && IsValidUtf8(original) &&
      IsValidUtf8(first) && IsValidUtf8(second)) {
    text::SwapText(text, first, second);
    if (text != original) std::abort();
  }
  return 0;
}
