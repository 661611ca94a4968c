// Window-message numbers, styles and flags, with Windows' values.
// Named kXxx rather than the Windows macro names so that this header can sit
// beside <windows.h> without a clash.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

// Window messages.
inline constexpr Msg kWmNull = 0x0000;
inline constexpr Msg kWmCreate = 0x0001;
inline constexpr Msg kWmDestroy = 0x0002;
inline constexpr Msg kWmMove = 0x0003;
inline constexpr Msg kWmSize = 0x0005;
inline constexpr Msg kWmSetFocus = 0x0007;
inline constexpr Msg kWmKillFocus = 0x0008;
inline constexpr Msg kWmSetText = 0x000C;
inline constexpr Msg kWmGetText = 0x000D;
inline constexpr Msg kWmGetTextLength = 0x000E;
inline constexpr Msg kWmPaint = 0x000F;
inline constexpr Msg kWmClose = 0x0010;
inline constexpr Msg kWmQuit = 0x0012;
inline constexpr Msg kWmKeyDown = 0x0100;
inline constexpr Msg kWmKeyUp = 0x0101;
inline constexpr Msg kWmChar = 0x0102;
inline constexpr Msg kWmCommand = 0x0111;
inline constexpr Msg kWmSysCommand = 0x0112;
inline constexpr Msg kWmTimer = 0x0113;
inline constexpr Msg kWmLButtonDown = 0x0201;
inline constexpr Msg kWmLButtonUp = 0x0202;
inline constexpr Msg kWmUser = 0x0400;

// Button messages and notifications.
inline constexpr Msg kBmGetCheck = 0x00F0;
inline constexpr Msg kBmSetCheck = 0x00F1;
inline constexpr Msg kBmClick = 0x00F5;
inline constexpr std::uint32_t kBnClicked = 0;

// List-box messages.
inline constexpr Msg kLbAddString = 0x0180;
inline constexpr Msg kLbInsertString = 0x0181;
inline constexpr Msg kLbDeleteString = 0x0182;
inline constexpr Msg kLbResetContent = 0x0184;
inline constexpr Msg kLbSetCurSel = 0x0186;
inline constexpr Msg kLbGetCurSel = 0x0188;
inline constexpr Msg kLbGetText = 0x0189;
inline constexpr Msg kLbGetTextLen = 0x018A;
inline constexpr Msg kLbGetCount = 0x018B;
inline constexpr Msg kLbGetItemData = 0x0199;
inline constexpr Msg kLbSetItemData = 0x019A;

// Combo-box messages.
inline constexpr Msg kCbAddString = 0x0143;
inline constexpr Msg kCbDeleteString = 0x0144;
inline constexpr Msg kCbGetCount = 0x0146;
inline constexpr Msg kCbGetCurSel = 0x0147;
inline constexpr Msg kCbGetLbText = 0x0148;
inline constexpr Msg kCbGetLbTextLen = 0x0149;
inline constexpr Msg kCbInsertString = 0x014A;
inline constexpr Msg kCbResetContent = 0x014B;
inline constexpr Msg kCbSetCurSel = 0x014E;
inline constexpr Msg kCbGetItemData = 0x0150;
inline constexpr Msg kCbSetItemData = 0x0151;

// List and combo results.
inline constexpr LResult kLbErr = -1;
inline constexpr LResult kCbErr = -1;

// Virtual-key codes.
inline constexpr std::uint32_t kVkBack = 0x08;
inline constexpr std::uint32_t kVkTab = 0x09;
inline constexpr std::uint32_t kVkReturn = 0x0D;
inline constexpr std::uint32_t kVkSpace = 0x20;
inline constexpr std::uint32_t kVkUp = 0x26;
inline constexpr std::uint32_t kVkRight = 0x27;
inline constexpr std::uint32_t kVkDown = 0x28;

// ShowWindow commands.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShow = 5;

// SetWindowPos flags.
inline constexpr std::uint32_t kSwpNoSize = 0x0001;
inline constexpr std::uint32_t kSwpNoMove = 0x0002;
inline constexpr std::uint32_t kSwpNoZOrder = 0x0004;
inline constexpr std::uint32_t kSwpNoActivate = 0x0010;

// System commands.
inline constexpr std::uint32_t kScMove = 0xF010;

// Process access rights.
inline constexpr std::uint32_t kStandardRightsRequired = 0x000F0000;
inline constexpr std::uint32_t kProcessVmRead = 0x0010;

// Menu flags.
inline constexpr std::uint32_t kMfByCommand = 0x0000;
inline constexpr std::uint32_t kMfString = 0x0000;
inline constexpr std::uint32_t kMfPopup = 0x0010;
inline constexpr std::uint32_t kMfSeparator = 0x0800;
inline constexpr std::uint32_t kMfByPosition = 0x0400;

// File attributes.
inline constexpr std::uint32_t kFileAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kFileAttributeHidden = 0x02;
inline constexpr std::uint32_t kFileAttributeSystem = 0x04;
inline constexpr std::uint32_t kFileAttributeDirectory = 0x10;
inline constexpr std::uint32_t kFileAttributeArchive = 0x20;
inline constexpr std::uint32_t kFileAttributeNormal = 0x80;
inline constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;

// sndPlaySound flags.
inline constexpr std::uint32_t kSndAsync = 0x0001;
inline constexpr std::uint32_t kSndNoDefault = 0x0002;

// Builds the wParam of WM_COMMAND: control id low, notification high.
constexpr WParam MakeWParam(std::uint32_t low, std::uint32_t high) {
  return static_cast<WParam>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}
constexpr std::uint32_t LowWord(WParam w) { return static_cast<std::uint32_t>(w & 0xFFFFu); }
constexpr std::uint32_t HighWord(WParam w) { return static_cast<std::uint32_t>((w >> 16) & 0xFFFFu); }

}  // namespace platform
