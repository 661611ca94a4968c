// CountLines and GetLine on any text and any line number: no failure, and
// the lines agree with each other.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/string_primitives.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::int64_t probe = input.ConsumeIntegral<std::int64_t>();
  const std::string text = input.ConsumeRemainingBytesAsString();

  const std::int64_t count = text::CountLines(text);
  const std::vector<std::string> lines = text::GetLines(text);
  if (static_cast<std::int64_t>(lines.size()) != count) std::abort();
  if (count > 0 && !text::GetLine(text, count + 1).empty()) std::abort();

  const std::string probed = text::GetLine(text, probe);
  if (probe >= 1 && probe <= count) {
    if (probed != lines[static_cast<std::size_t>(probe - 1)]) std::abort();
  } else if (!probed.empty()) {
    std::abort();
  }

  for (std::size_t i = 0; i < lines.size() && i < 64; ++i) {
    if (text::GetLine(text, static_cast<std::int64_t>(i) + 1) != lines[i]) std::abort();
    if (lines[i].find('\r') != std::string::npos) std::abort();
    if (count > 1 && lines[i].find('\n') != std::string::npos) std::abort();
  }
  text::GetCharacter(text, probe);
  return 0;
}
