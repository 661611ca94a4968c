// ReplaceText on any text, find and replacement: it must end, and the
// caller's variable must hold what is returned.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/codec.h"
#include "text/string_primitives.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string find = input.ConsumeRandomLengthString(64);
  const std::string replacement = input.ConsumeRandomLengthString(64);
  const std::string original = input.ConsumeRemainingBytesAsString();

  std::string text = original;
  const std::string result = text::ReplaceText(text, find, replacement);
  if (result != text) std::abort();
  if (find.empty() && result != original) std::abort();

  // Removing a find text that cannot reappear (a single character) leaves
  // none of it behind.
  if (platform::Utf8ToCodePoints(find).size() == 1) {
    std::string removed = original;
    text::ReplaceText(removed, find, "");
    std::string again = removed;
    text::ReplaceText(again, find, "");
    if (again != removed) std::abort();
  }
  return 0;
}
