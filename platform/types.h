// Plain value types shared by both sides of the platform layer.
#pragma once

#include <cstdint>

namespace platform {

// Window, menu and process handles are 32-bit values; 0 means "none".
using Hwnd = std::uint32_t;
using MenuHandle = std::uint32_t;
using Pid = std::uint32_t;
using Msg = std::uint32_t;
using WParam = std::uint64_t;
using LParam = std::int64_t;
using LResult = std::int64_t;

// Special insert-after values of SetWindowPos, as 32-bit handles.
inline constexpr Hwnd kHwndTop = 0;
inline constexpr Hwnd kHwndBottom = 1;
inline constexpr Hwnd kHwndTopmost = 0xFFFFFFFFu;    // (HWND)-1
inline constexpr Hwnd kHwndNoTopmost = 0xFFFFFFFEu;  // (HWND)-2

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

// An RGB colour as three bytes.
struct Color {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Color&) const = default;
};

}  // namespace platform
