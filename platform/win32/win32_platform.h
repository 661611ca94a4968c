// The platform over the real Windows API (and Wine). Driving calls live in
// win32_platform.cpp, our own windows and the event loop in win32_hosting.cpp,
// the modeless message box in win32_message_box.cpp.
//
// This header stays free of <windows.h>: its macros (FindWindow, SendMessage,
// Yield, ...) would rename our methods for everyone who includes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/platform.h"

namespace platform {

class Win32Platform : public Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // Driving.
  Hwnd FindWindow(std::string_view cls, std::optional<std::string_view> caption = {}) override;
  Hwnd FindWindowEx(Hwnd parent, Hwnd child_after, std::string_view cls,
                    std::optional<std::string_view> caption = {}) override;
  LResult SendMessage(Hwnd window, Msg msg, WParam w, LParam l) override;
  LResult SendMessageText(Hwnd window, Msg msg, WParam w, std::string_view text) override;
  std::string SendMessageGetText(Hwnd window, Msg msg, WParam w, std::size_t capacity) override;
  bool PostMessage(Hwnd window, Msg msg, WParam w, LParam l) override;
  bool ShowWindow(Hwnd window, int command) override;
  bool SetWindowPos(Hwnd window, Hwnd insert_after, int x, int y, int cx, int cy,
                    std::uint32_t flags) override;
  bool ReleaseCapture() override;
  int GetWindowTextLength(Hwnd window) override;
  std::string GetWindowText(Hwnd window, int capacity) override;
  std::uint32_t GetWindowThreadProcessId(Hwnd window, Pid* pid) override;
  bool IsWindow(Hwnd window) override;
  bool IsWindowVisible(Hwnd window) override;
  Hwnd GetParent(Hwnd window) override;
  Rect GetWindowRect(Hwnd window) override;
  Rect GetClientRect(Hwnd window) override;
  std::string GetClassName(Hwnd window) override;

  MenuHandle GetMenu(Hwnd window) override;
  MenuHandle GetSubMenu(MenuHandle menu, int position) override;
  int GetMenuItemCount(MenuHandle menu) override;
  std::uint32_t GetMenuItemID(MenuHandle menu, int position) override;
  std::optional<std::string> GetMenuString(MenuHandle menu, std::uint32_t item, int capacity,
                                           std::uint32_t flags) override;

  Point GetCursorPos() override;
  bool SetCursorPos(int x, int y) override;

  ProcessHandle OpenProcess(std::uint32_t access, bool inherit, Pid pid) override;
  bool ReadProcessMemory(std::uint32_t process, std::uint32_t address, void* buffer,
                         std::size_t size, std::size_t* bytes_read) override;
  bool CloseHandle(std::uint32_t handle) override;

  // Time and the event loop.
  double Now() override;
  void Yield() override;
  void WaitUntil(double deadline) override;
  bool Closing() override;
  void PostQuitMessage(int exit_code) override;
  int RunMessageLoop() override;

  // Hosting.
  bool RegisterClass(std::string_view name, WindowProc proc) override;
  Hwnd CreateWindow(const WindowSpec& spec) override;
  bool DestroyWindow(Hwnd window) override;
  LResult DefWindowProc(Hwnd window, const Message& message) override;
  bool SetTimer(Hwnd window, std::uint32_t id, std::uint32_t milliseconds) override;
  bool KillTimer(Hwnd window, std::uint32_t id) override;
  Hwnd SetFocus(Hwnd window) override;
  Hwnd GetFocus() override;
  Size GetScreenSize() override;
  Pid GetCurrentProcessId() override;

  void SetControlColors(Hwnd control, Color text, Color background) override;
  void SetBackgroundColor(Hwnd window, Color background) override;
  void SetBackgroundPicture(Hwnd window, std::string_view resource) override;
  void SetWindowIcon(Hwnd window, std::string_view resource) override;

  MenuHandle CreateMenu() override;
  MenuHandle CreatePopupMenu() override;
  bool AppendMenu(MenuHandle menu, std::uint32_t flags, std::uint32_t id,
                  std::string_view text) override;
  bool SetMenu(Hwnd window, MenuHandle menu) override;

  Hwnd ShowMessageBox(Hwnd owner, std::string_view text, std::string_view caption) override;

  std::uint32_t AllocateSharedMemory(std::size_t size) override;
  bool WriteOwnMemory(std::uint32_t address, const void* data, std::size_t size) override;

  // Files (win32_files.cpp), settings files (win32_profile.cpp), sound (win32_sound.cpp).
  std::string FindOrdinaryFile(std::string_view pattern) override;
  std::uint32_t GetFileAttributes(std::string_view path) override;
  bool SetFileAttributes(std::string_view path, std::uint32_t attributes) override;
  std::unique_ptr<FileReader> OpenFileReader(std::string_view path) override;
  std::unique_ptr<FileWriter> CreateFileWriter(std::string_view path) override;
  bool DeleteFile(std::string_view path) override;
  bool CreateDirectory(std::string_view path) override;
  bool WritePrivateProfileString(std::string_view section, std::string_view key,
                                 std::string_view value, std::string_view file) override;
  std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                      std::string_view fallback, std::size_t capacity,
                                      std::string_view file) override;
  bool SndPlaySound(std::string_view path, std::uint32_t flags) override;
  std::uint32_t MciSendString(std::string_view command) override;

 private:
  friend struct Win32Hosting;  // the window procedure, in win32_hosting.cpp

  // A class registered by RegisterClass; its handler answers every window of it.
  struct HostedClass {
    std::string name;
    WindowProc proc;
    std::uint16_t atom = 0;
  };
  // GDI objects are kept as void* here so that this header needs no <windows.h>.
  struct ControlColors {
    Hwnd parent = 0;
    std::uint32_t text = 0;        // COLORREF
    std::uint32_t background = 0;  // COLORREF
    void* brush = nullptr;         // HBRUSH
  };
  struct Background {
    bool has_color = false;
    void* brush = nullptr;   // HBRUSH of the colour
    void* picture = nullptr; // HBITMAP, drawn unscaled at the top-left
  };
  struct SharedBlock {
    std::uint32_t address = 0;
    std::size_t size = 0;
  };

  void ForgetWindow(Hwnd window);
  void ForgetControlColors(Hwnd control);

  double ticks_per_second_ = 1.0;
  bool closing_ = false;
  int exit_code_ = 0;

  std::vector<std::unique_ptr<HostedClass>> classes_;
  // Top-level windows we created: their messages go through IsDialogMessage
  // so that Tab walks the tab stops.
  std::unordered_set<Hwnd> top_level_;
  std::unordered_set<Hwnd> text_windows_;  // created with WindowSpec::shows_text
  std::unordered_map<Hwnd, ControlColors> control_colors_;
  std::unordered_map<Hwnd, Background> backgrounds_;

  std::vector<SharedBlock> shared_blocks_;
  std::uint32_t next_shared_address_ = 0x20000000u;
};

}  // namespace platform
