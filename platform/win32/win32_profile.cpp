// Settings files through Windows' own profile functions, wide, so that
// Windows converts to the file's ANSI text itself.
#include "platform/win32/win32_platform.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/win32_util.h"

#include "platform/win32/windows_api.h"

namespace platform {

using win32::Narrow;
using win32::Wide;

namespace {

// Where the profile functions keep `file`: a name without a folder is in the
// Windows directory.
std::wstring ProfilePath(const std::wstring& file) {
  if (file.find_first_of(L"\\/") != std::wstring::npos) return file;
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return file;
  return std::wstring(folder, length) + L"\\" + file;
}

}  // namespace

// Empty texts are passed as empty texts, never as null pointers: a null
// section or key would list names or delete, which the program never asks for.
bool Win32Platform::WritePrivateProfileString(std::string_view section, std::string_view key,
                                              std::string_view value, std::string_view file) {
  // Windows refuses to write a read-only file; Wine run by the administrator
  // writes it all the same. Ask first, so a read-only file is kept on both.
  const DWORD attributes = ::GetFileAttributesW(ProfilePath(Wide(file)).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return false;
  }
  return ::WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(),
                                      Wide(file).c_str()) != FALSE;
}

std::string Win32Platform::GetPrivateProfileString(std::string_view section, std::string_view key,
                                                   std::string_view fallback, std::size_t capacity,
                                                   std::string_view file) {
  if (capacity == 0) return {};
  const auto size = static_cast<DWORD>(std::min<std::size_t>(capacity, 1u << 20));
  std::vector<wchar_t> buffer(size, L'\0');
  const DWORD copied =
      ::GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(fallback).c_str(),
                                 buffer.data(), size, Wide(file).c_str());
  return Narrow(std::wstring_view(buffer.data(), std::min<DWORD>(copied, size - 1)));
}

}  // namespace platform
