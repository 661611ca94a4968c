#include "desktop/window_utils.h"

#include <algorithm>
#include <cstdint>

#include "platform/platform.h"

namespace desktop {

using namespace platform;

namespace {

// SC_MOVE with 2 in its low bits: a move as if the caption had been grabbed.
constexpr WParam kScDragMove = kScMove + 2;
constexpr std::uint32_t kKeepPlaceAndSize = kSwpNoSize | kSwpNoMove;

// Room for `length` characters and the terminating zero; a negative length
// (an error answer) counts as none.
std::size_t BufferFor(LResult length) {
  return static_cast<std::size_t>(std::max<LResult>(length, 0)) + 1;
}

}  // namespace

void ShowWin(Hwnd window) { Current().ShowWindow(window, kSwShow); }

void HideWin(Hwnd window) { Current().ShowWindow(window, kSwHide); }

void CloseWin(Hwnd window) { Current().PostMessage(window, kWmClose, 0, 0); }

void SetText(Hwnd window, std::string_view text) {
  Current().SendMessageText(window, kWmSetText, 0, text);
}

void ClickWin(Hwnd window) {
  Platform& os = Current();
  os.SendMessage(window, kWmLButtonDown, 0, 0);
  os.SendMessage(window, kWmLButtonUp, 0, 0);
}

void PressSpace(Hwnd window) {
  Platform& os = Current();
  os.SendMessage(window, kWmKeyDown, kVkSpace, 0);
  os.SendMessage(window, kWmKeyUp, kVkSpace, 0);
}

void SetAlwaysAbove(Hwnd own_window) {
  Current().SetWindowPos(own_window, kHwndTopmost, 0, 0, 0, 0, kKeepPlaceAndSize);
}

void ClearAlwaysAbove(Hwnd own_window) {
  Current().SetWindowPos(own_window, kHwndNoTopmost, 0, 0, 0, 0, kKeepPlaceAndSize);
}

void DragForm(Hwnd own_window) {
  Platform& os = Current();
  os.ReleaseCapture();
  os.SendMessage(own_window, kWmSysCommand, kScDragMove, 0);
}

// The text as the window wrote it. A text that shrank between the two calls
// comes back shorter, not padded with zero characters.
std::string GetText(Hwnd window) {
  Platform& os = Current();
  const LResult length = os.SendMessage(window, kWmGetTextLength, 0, 0);
  const std::size_t buffer = BufferFor(length);
  return os.SendMessageGetText(window, kWmGetText, buffer, buffer);
}

std::string GetCaption(Hwnd window) {
  Platform& os = Current();
  const int length = os.GetWindowTextLength(window);
  return os.GetWindowText(window, static_cast<int>(BufferFor(length)));
}

std::string GetListText(Hwnd list) {
  Platform& os = Current();
  const LResult length = os.SendMessage(list, kLbGetTextLen, 0, 0);
  return os.SendMessageGetText(list, kLbGetText, 0, BufferFor(length));
}

}  // namespace desktop
