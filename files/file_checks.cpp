#include "files/file_checks.h"

#include <cstdint>

#include "platform/platform.h"

namespace files {
namespace {

using platform::Current;

// The attribute calls take one file, not a pattern. A pattern that the
// search matched names no single file here, so it reads as 0 and changes
// nothing, rather than touching whichever file the search happened to see.
bool IsPattern(std::string_view path) { return path.find_first_of("*?") != std::string_view::npos; }

bool Found(std::string_view path) { return !Current().FindOrdinaryFile(path).empty(); }

void SetAttributes(std::string_view path, std::uint32_t bits) {
  if (!Found(path) || IsPattern(path)) return;
  // A refusal (no permission, file in use) is let go: nothing is reported.
  Current().SetFileAttributes(path, bits);
}

}  // namespace

bool CheckFileExists(std::string_view path) { return !path.empty() && Found(path); }

int ReadFileAttributes(std::string_view path) {
  if (!Found(path) || IsPattern(path)) return 0;
  const std::uint32_t bits = Current().GetFileAttributes(path);
  // Windows reports a file with no bits at all as "normal" (128); to the
  // caller that is a file with no bits, 0.
  if (bits == platform::kInvalidFileAttributes || bits == platform::kFileAttributeNormal) return 0;
  return static_cast<int>(bits & 0xFFFFu);  // the caller's attribute value is 16 bits
}

void HideFile(std::string_view path) { SetAttributes(path, platform::kFileAttributeHidden); }

void MakeFileReadOnly(std::string_view path) {
  SetAttributes(path, platform::kFileAttributeReadOnly);
}

void MakeFileNormal(std::string_view path) { SetAttributes(path, 0); }

}  // namespace files
