// Small conversions shared by the Windows side: our 32-bit handles to and from
// the native pointer-sized ones, and UTF-8 to and from the wide strings the W
// calls take. Kept free of <windows.h> so it can sit in any order with it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/codec.h"

namespace platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W calls take UTF-16");

// Window, menu and kernel handles fit in 32 bits on 64-bit Windows; they are
// sign-extended so that (HWND)-1 (HWND_TOPMOST) and GetCurrentProcess()'s -1
// survive the round trip.
template <class Native>
Native ToNative(std::uint32_t handle) {
  return reinterpret_cast<Native>(static_cast<std::intptr_t>(static_cast<std::int32_t>(handle)));
}

template <class Native>
std::uint32_t FromNative(Native handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

inline std::wstring Wide(std::string_view utf8) {
  std::u16string utf16 = Utf8ToUtf16(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

inline std::string Narrow(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

// A zero-terminated wide text of at most `capacity` characters, as a window
// leaves it in a buffer it was asked to fill.
inline std::string NarrowUpToZero(const wchar_t* text, std::size_t capacity) {
  std::size_t length = 0;
  while (length < capacity && text[length] != L'\0') ++length;
  return Narrow(std::wstring_view(text, length));
}

}  // namespace platform::win32
