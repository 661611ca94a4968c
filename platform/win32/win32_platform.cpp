// Driving windows of any program, reading another process's memory, the
// clock: thin wrappers over the wide Windows calls.
#include "platform/win32/win32_platform.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/codec.h"
#include "platform/win32/win32_util.h"

#include "platform/win32/windows_api.h"

namespace platform {

using win32::FromNative;
using win32::Narrow;
using win32::NarrowUpToZero;
using win32::ToNative;
using win32::Wide;

namespace {

HWND W(Hwnd window) { return ToNative<HWND>(window); }
HMENU M(MenuHandle menu) { return ToNative<HMENU>(menu); }
HANDLE K(std::uint32_t handle) { return ToNative<HANDLE>(handle); }

Rect FromRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

// Class names compare ignoring case, as FindWindow matches them.
bool HasClass(HWND window, const std::wstring& cls) {
  wchar_t name[257] = {};
  int length = ::GetClassNameW(window, name, 257);
  return length > 0 && ::CompareStringOrdinal(name, length, cls.c_str(), static_cast<int>(cls.size()),
                                              TRUE) == CSTR_EQUAL;
}

}  // namespace

Win32Platform::Win32Platform() {
  LARGE_INTEGER frequency;
  if (::QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
    ticks_per_second_ = static_cast<double>(frequency.QuadPart);
  }
}

// ---- Finding and messaging --------------------------------------------------

Hwnd Win32Platform::FindWindow(std::string_view cls, std::optional<std::string_view> caption) {
  std::wstring wide_class = Wide(cls);
  std::wstring wide_caption = caption ? Wide(*caption) : std::wstring();
  return FromNative(::FindWindowW(wide_class.c_str(), caption ? wide_caption.c_str() : nullptr));
}

Hwnd Win32Platform::FindWindowEx(Hwnd parent, Hwnd child_after, std::string_view cls,
                                 std::optional<std::string_view> caption) {
  std::wstring wide_class = Wide(cls);
  std::wstring wide_caption = caption ? Wide(*caption) : std::wstring();
  const wchar_t* wanted_caption = caption ? wide_caption.c_str() : nullptr;
  HWND after = W(child_after);
  if (after != nullptr && !HasClass(after, wide_class)) {
    // Windows searches on after `child_after` whatever its class; Wine's
    // FindWindowExW only looks for it among the windows of the class asked
    // for, and gives 0. Step over to the nearest sibling of the class asked
    // for, then let Windows match the caption from there.
    HWND container = parent != 0 ? W(parent) : ::GetDesktopWindow();
    if (::GetAncestor(after, GA_PARENT) != container) return 0;
    HWND next = ::GetWindow(after, GW_HWNDNEXT);
    while (next != nullptr && !HasClass(next, wide_class)) next = ::GetWindow(next, GW_HWNDNEXT);
    if (next == nullptr) return 0;
    // Start just before `next`: at the previous window of its class, or from
    // the beginning when it is the first.
    after = ::GetWindow(next, GW_HWNDPREV);
    while (after != nullptr && !HasClass(after, wide_class)) after = ::GetWindow(after, GW_HWNDPREV);
  }
  return FromNative(::FindWindowExW(W(parent), after, wide_class.c_str(), wanted_caption));
}

LResult Win32Platform::SendMessage(Hwnd window, Msg msg, WParam w, LParam l) {
  if (window == 0) return 0;
  return ::SendMessageW(W(window), msg, static_cast<WPARAM>(w), static_cast<LPARAM>(l));
}

LResult Win32Platform::SendMessageText(Hwnd window, Msg msg, WParam w, std::string_view text) {
  if (window == 0) return 0;
  // Wide, so Windows converts to the receiver's code page itself.
  std::wstring wide = Wide(text);
  return ::SendMessageW(W(window), msg, static_cast<WPARAM>(w),
                        reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string Win32Platform::SendMessageGetText(Hwnd window, Msg msg, WParam w,
                                              std::size_t capacity) {
  if (window == 0) return {};
  std::size_t size = std::max<std::size_t>(capacity, 1);
  // LB_GETTEXT and CB_GETLBTEXT copy the whole entry whatever the buffer's
  // size; make room for it rather than let another program overrun us.
  Msg length_msg = msg == kLbGetText ? kLbGetTextLen : msg == kCbGetLbText ? kCbGetLbTextLen : 0;
  if (length_msg != 0) {
    LRESULT length = ::SendMessageW(W(window), length_msg, static_cast<WPARAM>(w), 0);
    if (length > 0) size = std::max(size, static_cast<std::size_t>(length) + 1);
  }
  std::vector<wchar_t> buffer(size, L'\0');
  ::SendMessageW(W(window), msg, static_cast<WPARAM>(w), reinterpret_cast<LPARAM>(buffer.data()));
  return NarrowUpToZero(buffer.data(), buffer.size());
}

bool Win32Platform::PostMessage(Hwnd window, Msg msg, WParam w, LParam l) {
  // PostMessage(NULL, ...) would post to our own thread's queue.
  if (window == 0) return false;
  return ::PostMessageW(W(window), msg, static_cast<WPARAM>(w), static_cast<LPARAM>(l)) != FALSE;
}

// ---- Window state -------------------------------------------------------------

bool Win32Platform::ShowWindow(Hwnd window, int command) {
  if (window == 0) return false;
  return ::ShowWindow(W(window), command) != FALSE;
}

bool Win32Platform::SetWindowPos(Hwnd window, Hwnd insert_after, int x, int y, int cx, int cy,
                                 std::uint32_t flags) {
  if (window == 0) return false;
  // Sign extension turns kHwndTopmost/kHwndNoTopmost into HWND_TOPMOST (-1)
  // and HWND_NOTOPMOST (-2); kHwndTop and kHwndBottom are 0 and 1 as in Windows.
  return ::SetWindowPos(W(window), W(insert_after), x, y, cx, cy, flags) != FALSE;
}

bool Win32Platform::ReleaseCapture() { return ::ReleaseCapture() != FALSE; }

int Win32Platform::GetWindowTextLength(Hwnd window) {
  if (window == 0) return 0;
  return ::GetWindowTextLengthW(W(window));
}

std::string Win32Platform::GetWindowText(Hwnd window, int capacity) {
  if (window == 0 || capacity <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<std::size_t>(capacity), L'\0');
  int copied = ::GetWindowTextW(W(window), buffer.data(), capacity);
  if (copied <= 0) return {};
  return Narrow(std::wstring_view(buffer.data(), std::min<std::size_t>(copied, buffer.size())));
}

std::uint32_t Win32Platform::GetWindowThreadProcessId(Hwnd window, Pid* pid) {
  DWORD process = 0;
  DWORD thread = window == 0 ? 0 : ::GetWindowThreadProcessId(W(window), &process);
  if (pid != nullptr) *pid = process;
  return thread;
}

bool Win32Platform::IsWindow(Hwnd window) { return window != 0 && ::IsWindow(W(window)) != FALSE; }

bool Win32Platform::IsWindowVisible(Hwnd window) {
  return window != 0 && ::IsWindowVisible(W(window)) != FALSE;
}

Hwnd Win32Platform::GetParent(Hwnd window) {
  if (window == 0) return 0;
  return FromNative(::GetParent(W(window)));
}

Rect Win32Platform::GetWindowRect(Hwnd window) {
  RECT r{};
  if (window == 0 || !::GetWindowRect(W(window), &r)) return {};
  return FromRect(r);
}

Rect Win32Platform::GetClientRect(Hwnd window) {
  RECT r{};
  if (window == 0 || !::GetClientRect(W(window), &r)) return {};
  POINT origin{0, 0};
  ::ClientToScreen(W(window), &origin);
  return Rect{origin.x, origin.y, origin.x + r.right, origin.y + r.bottom};
}

std::string Win32Platform::GetClassName(Hwnd window) {
  if (window == 0) return {};
  wchar_t buffer[257] = {};  // class names are at most 256 characters
  int length = ::GetClassNameW(W(window), buffer, 257);
  if (length <= 0) return {};
  return Narrow(std::wstring_view(buffer, static_cast<std::size_t>(length)));
}

// ---- Menus of a window ----------------------------------------------------------

MenuHandle Win32Platform::GetMenu(Hwnd window) {
  if (window == 0) return 0;
  return FromNative(::GetMenu(W(window)));
}

MenuHandle Win32Platform::GetSubMenu(MenuHandle menu, int position) {
  if (menu == 0) return 0;
  return FromNative(::GetSubMenu(M(menu), position));
}

int Win32Platform::GetMenuItemCount(MenuHandle menu) {
  if (menu == 0) return -1;
  return ::GetMenuItemCount(M(menu));
}

std::uint32_t Win32Platform::GetMenuItemID(MenuHandle menu, int position) {
  if (menu == 0) return 0xFFFFFFFFu;
  return ::GetMenuItemID(M(menu), position);
}

std::optional<std::string> Win32Platform::GetMenuString(MenuHandle menu, std::uint32_t item,
                                                        int capacity, std::uint32_t flags) {
  if (menu == 0) return std::nullopt;
  if (capacity <= 0) {
    // Windows then only reports the length and copies nothing.
    if (::GetMenuStringW(M(menu), item, nullptr, 0, flags) == 0) return std::nullopt;
    return std::string();
  }
  std::vector<wchar_t> buffer(static_cast<std::size_t>(capacity), L'\0');
  int copied = ::GetMenuStringW(M(menu), item, buffer.data(), capacity, flags);
  if (copied == 0) return std::nullopt;
  return Narrow(std::wstring_view(buffer.data(), std::min<std::size_t>(copied, buffer.size())));
}

// ---- Cursor -----------------------------------------------------------------------

Point Win32Platform::GetCursorPos() {
  POINT p{};
  if (!::GetCursorPos(&p)) return {};
  return Point{p.x, p.y};
}

bool Win32Platform::SetCursorPos(int x, int y) { return ::SetCursorPos(x, y) != FALSE; }

// ---- Process memory ---------------------------------------------------------------

ProcessHandle Win32Platform::OpenProcess(std::uint32_t access, bool inherit, Pid pid) {
  HANDLE process = ::OpenProcess(access, inherit ? TRUE : FALSE, pid);
  if (process == nullptr) return ProcessHandle();
  return ProcessHandle(this, FromNative(process));
}

bool Win32Platform::ReadProcessMemory(std::uint32_t process, std::uint32_t address, void* buffer,
                                      std::size_t size, std::size_t* bytes_read) {
  if (bytes_read != nullptr) *bytes_read = 0;
  if (process == 0 || (size > 0 && buffer == nullptr)) return false;
  // Windows may copy part of a range before failing; read aside so that a
  // failed read leaves the caller's buffer untouched.
  std::vector<unsigned char> scratch(size);
  SIZE_T got = 0;
  BOOL ok = ::ReadProcessMemory(K(process), reinterpret_cast<LPCVOID>(static_cast<std::uintptr_t>(address)),
                                scratch.data(), size, &got);
  if (!ok || got != size) return false;
  if (size > 0) std::memcpy(buffer, scratch.data(), size);
  if (bytes_read != nullptr) *bytes_read = got;
  return true;
}

bool Win32Platform::CloseHandle(std::uint32_t handle) {
  if (handle == 0) return false;
  return ::CloseHandle(K(handle)) != FALSE;
}

std::uint32_t Win32Platform::AllocateSharedMemory(std::size_t size) {
  if (size == 0) return 0;
  // Readers take the address as 32 bits, so place the block ourselves below
  // 4 GB. Reservations start on 64 KB boundaries.
  constexpr std::uint64_t kGranularity = 0x10000;
  constexpr std::uint64_t kLimit = 0x100000000ull;
  std::uint64_t length = (static_cast<std::uint64_t>(size) + kGranularity - 1) / kGranularity * kGranularity;
  for (std::uint64_t at = next_shared_address_; at + length <= kLimit; at += kGranularity) {
    void* block = ::VirtualAlloc(reinterpret_cast<void*>(static_cast<std::uintptr_t>(at)), length,
                                 MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (block == nullptr) continue;
    if (reinterpret_cast<std::uintptr_t>(block) != at) {  // not where we asked: unusable
      ::VirtualFree(block, 0, MEM_RELEASE);
      continue;
    }
    auto address = static_cast<std::uint32_t>(at);
    shared_blocks_.push_back(SharedBlock{address, size});
    next_shared_address_ = static_cast<std::uint32_t>(std::min(at + length, kLimit - kGranularity));
    return address;
  }
  return 0;
}

bool Win32Platform::WriteOwnMemory(std::uint32_t address, const void* data, std::size_t size) {
  for (const SharedBlock& block : shared_blocks_) {
    std::uint64_t begin = block.address;
    std::uint64_t end = begin + block.size;
    if (address >= begin && static_cast<std::uint64_t>(address) + size <= end) {
      if (size > 0) {
        std::memcpy(reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)), data, size);
      }
      return true;
    }
  }
  return false;
}

// ---- Clock and process --------------------------------------------------------------

double Win32Platform::Now() {
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / ticks_per_second_;
}

Pid Win32Platform::GetCurrentProcessId() { return ::GetCurrentProcessId(); }

Size Win32Platform::GetScreenSize() {
  return Size{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace platform
