// The one door to Windows. Every routine of the program, and the substitute
// client, reaches windows, processes, the clock, sound and files only through
// this interface. Two implementations exist: the real Windows API
// (platform/win32) and a small Windows in memory with virtual time
// (platform/sim).
//
// The calls are shaped after the Windows functions of the same name so that a
// routine reads like its description. Rules common to both sides:
//  - Handles are 32-bit values, 0 = none. Lookups never fail; they return 0.
//    A message sent or posted to handle 0 has no effect and yields 0.
//  - Text crosses the interface as UTF-8. The client is an ANSI program: text
//    reaching one of its windows arrives in Windows-1252, and a character the
//    code page lacks arrives as Windows' best-fit look-alike (Ł as L, Ω as O)
//    or, where it has none, as "?" (one per UTF-16 unit). Windows of our own
//    classes are wide on Windows and get every character as it was sent.
//  - A sent message runs the target's handler before the call returns; a
//    posted one waits in the queue until the next Yield or wait.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messages.h"
#include "platform/types.h"

namespace platform {

// What a window handler receives. For messages whose lParam carries a text
// (WM_SETTEXT, LB_ADDSTRING, CB_ADDSTRING, ...) `text` holds it in UTF-8. For
// messages that fill a caller's buffer (WM_GETTEXT, LB_GETTEXT, CB_GETLBTEXT)
// the handler writes the text into `*reply`; the platform copies it into the
// caller's buffer (WM_GETTEXT cut to the buffer's size, entries whole).
struct Message {
  Msg id = 0;
  WParam w = 0;
  LParam l = 0;
  std::string_view text;
  std::string* reply = nullptr;
};

using WindowProc = std::function<LResult(Hwnd, const Message&)>;

// Built-in control classes every Windows has.
inline constexpr std::string_view kButtonClass = "Button";
inline constexpr std::string_view kEditClass = "Edit";
inline constexpr std::string_view kStaticClass = "Static";
inline constexpr std::string_view kListBoxClass = "ListBox";
inline constexpr std::string_view kComboBoxClass = "ComboBox";
inline constexpr std::string_view kDialogClass = "#32770";
inline constexpr std::string_view kPopupMenuClass = "#32768";

// How a new window looks and where it goes.
struct WindowSpec {
  std::string cls;
  std::string text;
  Hwnd parent = 0;  // 0: a top-level window
  // For a child: its rectangle in the parent's client area. For a top-level
  // window: its client area on the screen (the frame is added around it).
  Rect bounds;
  std::uint32_t id = 0;  // control identifier, sent back in WM_COMMAND
  bool visible = true;
  bool tab_stop = false;
  bool title_bar = false;  // top-level: caption, system menu, minimise box
  bool multi_line = false; // edit controls
  // A window of a registered class that shows its text (word-wrapped) in its
  // client area, for windows whose handler does no drawing of its own.
  bool shows_text = false;
};

// A process opened for reading. Closes itself on every path.
class Platform;
class ProcessHandle {
 public:
  ProcessHandle() = default;
  ProcessHandle(Platform* owner, std::uint32_t handle) : owner_(owner), handle_(handle) {}
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;
  ProcessHandle(ProcessHandle&& other) noexcept { *this = std::move(other); }
  ProcessHandle& operator=(ProcessHandle&& other) noexcept;
  ~ProcessHandle() { Close(); }

  std::uint32_t get() const { return handle_; }
  explicit operator bool() const { return handle_ != 0; }
  void Close();

 private:
  Platform* owner_ = nullptr;
  std::uint32_t handle_ = 0;
};

// A file opened for reading, from its start. Closes itself on every path.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // The file's length in bytes when it was opened.
  virtual std::uint64_t Size() = 0;
  // Reads the next bytes, at most `capacity`; 0 at the end of the file or on
  // an error. Callers read in pieces, so a huge file never has to fit in memory.
  virtual std::size_t Read(char* buffer, std::size_t capacity) = 0;
};

// A new content for a file, written aside and put in place in one step: the
// bytes go to a new file in the same folder, and Commit renames it over the
// old one. Until Commit succeeds the old file is untouched; a writer dropped
// without Commit, or whose write failed, removes its new file.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // False once a write has failed (disk full); later writes are ignored.
  virtual bool Write(std::string_view bytes) = 0;
  // Replaces the file with what was written. False when anything failed;
  // the old file is then as it was. A read-only file is never replaced.
  virtual bool Commit() = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // ---- Driving: windows of any program -------------------------------------
  // `caption` absent = match any caption (a null pointer in Windows).
  virtual Hwnd FindWindow(std::string_view cls, std::optional<std::string_view> caption = {}) = 0;
  virtual Hwnd FindWindowEx(Hwnd parent, Hwnd child_after, std::string_view cls,
                            std::optional<std::string_view> caption = {}) = 0;
  virtual LResult SendMessage(Hwnd window, Msg msg, WParam w, LParam l) = 0;
  // A message whose lParam points at a zero-terminated text.
  virtual LResult SendMessageText(Hwnd window, Msg msg, WParam w, std::string_view text) = 0;
  // A message whose lParam points at a buffer of `capacity` characters that
  // the window fills (WM_GETTEXT, LB_GETTEXT, CB_GETLBTEXT). Returns what the
  // window wrote, up to its terminating zero: WM_GETTEXT at most capacity - 1
  // characters; a list or combo entry whole, as Windows copies it whatever
  // the buffer's size.
  virtual std::string SendMessageGetText(Hwnd window, Msg msg, WParam w, std::size_t capacity) = 0;
  virtual bool PostMessage(Hwnd window, Msg msg, WParam w, LParam l) = 0;
  virtual bool ShowWindow(Hwnd window, int command) = 0;
  virtual bool SetWindowPos(Hwnd window, Hwnd insert_after, int x, int y, int cx, int cy,
                            std::uint32_t flags) = 0;
  virtual bool ReleaseCapture() = 0;
  virtual int GetWindowTextLength(Hwnd window) = 0;
  // The caption cut to `capacity` - 1 characters, as GetWindowText fills a buffer.
  virtual std::string GetWindowText(Hwnd window, int capacity) = 0;
  // Returns the thread id; stores the process id in *pid when given.
  virtual std::uint32_t GetWindowThreadProcessId(Hwnd window, Pid* pid) = 0;
  virtual bool IsWindow(Hwnd window) = 0;
  virtual bool IsWindowVisible(Hwnd window) = 0;
  virtual Hwnd GetParent(Hwnd window) = 0;
  virtual Rect GetWindowRect(Hwnd window) = 0;   // screen coordinates
  virtual Rect GetClientRect(Hwnd window) = 0;   // client area, in screen coordinates
  virtual std::string GetClassName(Hwnd window) = 0;

  // Menus of a window.
  virtual MenuHandle GetMenu(Hwnd window) = 0;
  virtual MenuHandle GetSubMenu(MenuHandle menu, int position) = 0;
  virtual int GetMenuItemCount(MenuHandle menu) = 0;  // -1 for a missing menu
  virtual std::uint32_t GetMenuItemID(MenuHandle menu, int position) = 0;  // 0xFFFFFFFF: none/submenu
  // The item's caption cut to `capacity` - 1 characters; nullopt when the item
  // is not found (Windows then returns 0 and leaves the buffer alone).
  virtual std::optional<std::string> GetMenuString(MenuHandle menu, std::uint32_t item,
                                                   int capacity, std::uint32_t flags) = 0;

  // The mouse cursor.
  virtual Point GetCursorPos() = 0;
  virtual bool SetCursorPos(int x, int y) = 0;

  // Another process's memory.
  virtual ProcessHandle OpenProcess(std::uint32_t access, bool inherit, Pid pid) = 0;
  // Copies `size` bytes at `address` of the process into `buffer`; false and
  // nothing copied when the range cannot be read.
  virtual bool ReadProcessMemory(std::uint32_t process, std::uint32_t address, void* buffer,
                                 std::size_t size, std::size_t* bytes_read) = 0;
  virtual bool CloseHandle(std::uint32_t handle) = 0;

  // ---- Time and the event loop -----------------------------------------------
  // A monotonic clock in seconds.
  virtual double Now() = 0;
  // Processes every pending message and every timer that is due, then returns.
  virtual void Yield() = 0;
  // Processes messages as they come until `deadline` (on Now()'s scale) or
  // until the program is closing. Never spins: it blocks between messages.
  virtual void WaitUntil(double deadline) = 0;
  // True once the program has begun to end (PostQuitMessage was called).
  virtual bool Closing() = 0;
  virtual void PostQuitMessage(int exit_code) = 0;
  // Runs the message loop until the program ends; returns the exit code.
  virtual int RunMessageLoop() = 0;

  // ---- Hosting: the program's own windows -----------------------------------
  // Registers a window class of the calling program. Returns false when the
  // name is already taken by this program.
  virtual bool RegisterClass(std::string_view name, WindowProc proc) = 0;
  virtual Hwnd CreateWindow(const WindowSpec& spec) = 0;
  virtual bool DestroyWindow(Hwnd window) = 0;
  // What Windows does for a message a handler leaves alone.
  virtual LResult DefWindowProc(Hwnd window, const Message& message) = 0;
  virtual bool SetTimer(Hwnd window, std::uint32_t id, std::uint32_t milliseconds) = 0;
  virtual bool KillTimer(Hwnd window, std::uint32_t id) = 0;
  virtual Hwnd SetFocus(Hwnd window) = 0;  // returns the window that had focus
  virtual Hwnd GetFocus() = 0;
  virtual Size GetScreenSize() = 0;  // pixels
  virtual Pid GetCurrentProcessId() = 0;

  // Look of the program's windows.
  virtual void SetControlColors(Hwnd control, Color text, Color background) = 0;
  virtual void SetBackgroundColor(Hwnd window, Color background) = 0;
  // A bitmap resource drawn unscaled from the client area's upper-left corner.
  virtual void SetBackgroundPicture(Hwnd window, std::string_view resource) = 0;
  virtual void SetWindowIcon(Hwnd window, std::string_view resource) = 0;

  // Menus the program builds for its own windows.
  virtual MenuHandle CreateMenu() = 0;
  virtual MenuHandle CreatePopupMenu() = 0;
  // flags: kMfString, kMfPopup (id is then the submenu), kMfSeparator.
  virtual bool AppendMenu(MenuHandle menu, std::uint32_t flags, std::uint32_t id,
                          std::string_view text) = 0;
  virtual bool SetMenu(Hwnd window, MenuHandle menu) = 0;

  // A modeless message box: a "#32770" window with the caption, whose
  // children are, in order, a "Static" (the icon), a "Button" "OK" and a
  // "Static" holding the text. A click or a space press on OK closes it.
  // Returns at once with the box's handle.
  virtual Hwnd ShowMessageBox(Hwnd owner, std::string_view text, std::string_view caption) = 0;

  // Memory of the calling program that other programs may read: a block
  // whose address fits in 32 bits, and a write into it.
  virtual std::uint32_t AllocateSharedMemory(std::size_t size) = 0;
  virtual bool WriteOwnMemory(std::uint32_t address, const void* data, std::size_t size) = 0;

  // ---- Files ---------------------------------------------------------------
  // Paths are Windows paths, absolute or relative to the current directory;
  // names match ignoring letter case. Attribute bits as in messages.h.

  // The ordinary-file search: the name (without folder) of the first entry
  // matching `pattern` ("*" and "?" allowed in its last component) that is
  // neither hidden, nor a system file, nor a directory; "" when none is.
  virtual std::string FindOrdinaryFile(std::string_view pattern) = 0;
  // kInvalidFileAttributes when the path names nothing (or holds wildcards).
  virtual std::uint32_t GetFileAttributes(std::string_view path) = 0;
  // Sets the whole attribute set; 0 makes a normal file.
  virtual bool SetFileAttributes(std::string_view path, std::uint32_t attributes) = 0;
  // Null when the file cannot be opened (missing, a directory, no access).
  virtual std::unique_ptr<FileReader> OpenFileReader(std::string_view path) = 0;
  // Null when the new file cannot be made (missing folder, no access).
  virtual std::unique_ptr<FileWriter> CreateFileWriter(std::string_view path) = 0;
  virtual bool DeleteFile(std::string_view path) = 0;
  virtual bool CreateDirectory(std::string_view path) = 0;

  // ---- Settings files (the profile functions) ------------------------------
  // A file name without a folder means the Windows directory. Sections and
  // keys match ignoring letter case; the file holds ANSI text. A read-only
  // file is not written.
  virtual bool WritePrivateProfileString(std::string_view section, std::string_view key,
                                         std::string_view value, std::string_view file) = 0;
  // The value (or `fallback` when the file, section or key is missing), cut
  // to `capacity` - 1 characters as a buffer of that size would hold it.
  virtual std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                              std::string_view fallback, std::size_t capacity,
                                              std::string_view file) = 0;

  // ---- Sound -----------------------------------------------------------------
  // sndPlaySound: flags as Windows' (kSndAsync, kSndNoDefault).
  virtual bool SndPlaySound(std::string_view path, std::uint32_t flags) = 0;
  // mciSendString with no return buffer and no callback window; returns the
  // media control's error code, 0 on success.
  virtual std::uint32_t MciSendString(std::string_view command) = 0;
};

// The platform the program runs on. Set once at start (or by a test).
Platform& Current();
void SetCurrent(Platform* platform);

// Installs a platform for one scope and puts the previous one back.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(Platform& platform);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  Platform* previous_;
};

}  // namespace platform
