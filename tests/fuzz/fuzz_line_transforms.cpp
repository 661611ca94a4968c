// The line transforms on any text: no failure, and on well-formed texts
// (valid UTF-8, every CR followed by LF and every LF preceded by CR) the
// transforms that can be undone are undone.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/codec.h"
#include "platform/platform.h"
#include "platform/sim/sim_platform.h"
#include "text/line_transforms.h"
#include "text/string_primitives.h"

namespace {

bool WellFormed(const std::string& text) {
  if (platform::CodePointsToUtf8(platform::Utf8ToCodePoints(text)) != text) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  }
  return true;
}

platform::sim::SimPlatform& Sim() {
  static platform::sim::SimPlatform sim;
  return sim;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::ScopedPlatform scope(Sim());
  const std::string original(reinterpret_cast<const char*>(data), size);
  const bool well_formed = WellFormed(original);

  const std::string mirrored = text::MirrorText(original);
  if (well_formed && text::MirrorText(mirrored) != original) std::abort();

  const std::string widened = text::WidenText(original);
  if (well_formed && text::CountLines(widened) != text::CountLines(original)) std::abort();

  std::string flipped = original;
  text::FlipText(flipped);
  if (well_formed && text::CountLines(flipped) != text::CountLines(original)) std::abort();

  std::string indented = original;
  text::IndentLines(indented);
  std::string unindented = indented;
  text::UnindentLines(unindented);
  if (well_formed && unindented != original) std::abort();

  std::string plain = original;
  text::UnindentLines(plain);

  Sim().ClearCalls();  // the log of yields would grow without end
  return 0;
}
