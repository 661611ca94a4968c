// A small Windows in memory, for fast and repeatable tests.
//
// It keeps a window tree with Windows' lookup and ordering rules, registered
// classes with handlers, the built-in controls the program uses, a message
// queue, timers, processes with readable memory, menus and a cursor. Time is
// virtual: the clock moves only when the program yields (a small fixed step)
// or waits (a jump to the next due timer, scheduled action or deadline), so
// "60 s after Start" runs in milliseconds and the same way every time. Every
// platform call is recorded with its arguments, texts as the bytes the
// receiving window got.
//
// Texts reaching a simulated window are stored as Windows-1252 bytes: the
// simulated desktop is an ANSI one, like the client the program drives.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::sim {

// One recorded platform call.
struct CallRecord {
  Pid pid = 0;             // the process that made the call (0: the outside world)
  std::string name;        // the platform function, e.g. "SendMessage"
  Hwnd window = 0;         // the window acted on (the parent for FindWindowEx)
  Hwnd window2 = 0;        // child-after for FindWindowEx, insert-after for SetWindowPos
  Msg msg = 0;
  WParam w = 0;
  LParam l = 0;
  std::string text;        // text argument as Windows-1252 bytes (class name for finds)
  std::optional<std::string> text2;  // caption argument of finds, as bytes
  std::vector<std::int64_t> numbers;  // any further numeric arguments
  std::int64_t result = 0;
};

// A snapshot of one window, for tests to look at.
struct WindowState {
  Hwnd handle = 0;
  Pid pid = 0;
  std::string cls;
  std::string text;        // UTF-8
  std::string text_bytes;  // Windows-1252, as stored
  Hwnd parent = 0;
  std::vector<Hwnd> children;  // front to back
  Rect window_rect;            // screen coordinates
  Rect client_rect;            // screen coordinates
  bool visible = false;
  bool topmost = false;
  bool tab_stop = false;
  std::uint32_t id = 0;
  std::optional<Color> text_color;
  std::optional<Color> background_color;
  std::string picture;
  std::string icon;
  std::vector<std::string> items;  // list and combo entries, UTF-8
  std::vector<std::uint64_t> item_data;
  std::int64_t check = 0;
  MenuHandle menu = 0;
};

class SimPlatform : public Platform {
 public:
  SimPlatform();
  ~SimPlatform() override;

  // ---- Driving ----
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

  // ---- Time and the event loop ----
  double Now() override;
  void Yield() override;
  void WaitUntil(double deadline) override;
  bool Closing() override;
  void PostQuitMessage(int exit_code) override;
  int RunMessageLoop() override;

  // ---- Hosting ----
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

  // ---- Files, settings files and sound (sim_files.cpp, sim_profile.cpp, sim_sound.cpp) ----
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

  // ---- Control of the simulated world (tests and scenarios) ----
  // The program under test runs as this process.
  static constexpr Pid kProgramPid = 1;
  // Starts another simulated process; calls made inside its scope (and every
  // handler of its windows) belong to it.
  Pid CreateProcess(std::string name);
  // Ends a process at once: its windows vanish without running any handler,
  // its timers, queued messages, classes and memory go with it.
  void KillProcess(Pid pid);
  // Refuses (or allows again) opening the process for reading.
  void SetProcessReadable(Pid pid, bool readable);

  class ProcessScope {
   public:
    ProcessScope(SimPlatform& sim, Pid pid) : sim_(sim), previous_(sim.current_pid_) {
      sim.current_pid_ = pid;
    }
    ~ProcessScope() { sim_.current_pid_ = previous_; }
    ProcessScope(const ProcessScope&) = delete;
    ProcessScope& operator=(const ProcessScope&) = delete;

   private:
    SimPlatform& sim_;
    Pid previous_;
  };
  ProcessScope AsProcess(Pid pid) { return ProcessScope(*this, pid); }

  // Runs `action` when virtual time reaches `time`, inside whatever wait or
  // yield the program is in then; it acts as the outside world (pid 0).
  void At(double time, std::function<void()> action);
  // Lets virtual time pass for `seconds`, processing messages as the program's
  // event loop would.
  void RunFor(double seconds);
  void SetScreenSize(Size size) { screen_ = size; }
  int ExitCode() const { return exit_code_; }

  // What a user does: input goes through the queue, as real input does.
  void UserClick(Hwnd window);                  // mouse down and up on a control
  void UserType(Hwnd window, std::string_view text);  // WM_CHAR per character
  void UserKey(Hwnd window, std::uint32_t virtual_key);  // key down and up

  // Inspection.
  std::optional<WindowState> Inspect(Hwnd window) const;
  std::vector<Hwnd> TopLevelWindows() const;  // front to back
  const std::vector<CallRecord>& Calls() const { return calls_; }
  std::vector<CallRecord> CallsBy(Pid pid) const;
  void ClearCalls() { calls_.clear(); }
  // Messages dispatched to handlers so far (sent, posted and timers).
  std::uint64_t DispatchCount() const { return dispatch_count_; }

  // The simulated disk: one drive, C:, holding C:\windows (the Windows
  // directory); the current directory starts at C:\. File contents are
  // bytes (Windows-1252 text). These calls are not logged.
  bool SetCurrentDirectory(std::string_view path);
  // Creates or replaces a file; its folder must exist. Attributes: read-only,
  // hidden, system bits.
  bool PutFile(std::string_view path, std::string_view bytes, std::uint32_t attributes = 0);
  // A file of `size` bytes, `pattern` repeated, made as it is read: a huge
  // file costs no memory.
  bool PutGeneratedFile(std::string_view path, std::uint64_t size, std::string pattern);
  // Creates the folder and any missing folder above it.
  bool PutDirectory(std::string_view path);
  // A file's bytes; nullopt when there is no such file.
  std::optional<std::string> FileBytes(std::string_view path) const;
  // Names in a folder, in the order the search lists them.
  std::vector<std::string> FolderEntries(std::string_view folder) const;
  // A full disk: a file being written may not grow past `bytes` (nullopt: no limit).
  void SetDiskSpace(std::optional<std::uint64_t> bytes);
  // What the speakers play: the wave sound (full path, "" when none) and the
  // media-control files playing.
  std::string PlayingWave() const;
  std::vector<std::string> PlayingMedia() const;

 private:
  struct Window;
  struct Menu;
  struct Process;
  struct Timer;
  struct Posted {
    Hwnd window;
    Msg msg;
    WParam w;
    LParam l;
    bool input;  // user input: the dialog manager sees it first (Tab)
  };
  struct Scheduled {
    double time;
    std::uint64_t seq;
    std::function<void()> action;
  };

  Window* Find(Hwnd window) const;
  std::vector<Hwnd>& SiblingsOf(const Window& window);
  Hwnd FindAmong(const std::vector<Hwnd>& list, Hwnd after, std::string_view cls,
                 std::optional<std::string_view> caption) const;
  LResult Dispatch(Hwnd window, Message& message);
  std::shared_ptr<WindowProc> ResolveClass(Pid pid, std::string_view cls) const;
  void DestroyTree(Hwnd window, bool run_handlers);
  Point ClientOrigin(const Window& window) const;
  CallRecord& Log(std::string name, Hwnd window = 0);
  bool ProcessPosted();
  bool FireDueTimers();
  bool RunDueActions();
  void ProcessPending();
  double NextEventTime() const;
  bool DialogNavigate(const Posted& posted);
  LResult BuiltinProc(Hwnd window, const Message& message);

  friend class ProcessScope;

  std::map<Hwnd, std::unique_ptr<Window>> windows_;
  std::vector<Hwnd> desktop_;  // top-level windows, front to back
  std::map<MenuHandle, std::unique_ptr<Menu>> menus_;
  std::map<Pid, std::unique_ptr<Process>> processes_;
  std::map<std::uint32_t, Pid> process_handles_;
  std::vector<Timer> timers_;
  std::deque<Posted> queue_;
  std::vector<Scheduled> scheduled_;
  std::vector<CallRecord> calls_;
  Pid current_pid_ = kProgramPid;
  Pid next_pid_ = kProgramPid + 1;
  Hwnd next_hwnd_ = 0x00010020;
  MenuHandle next_menu_ = 0x00020040;
  std::uint32_t next_process_handle_ = 0x100;
  std::uint64_t next_seq_ = 0;
  std::uint64_t dispatch_count_ = 0;
  double now_ = 1000.0;  // not 0, so code that treats 0 as "unset" is caught
  double yield_step_ = 0.001;  // how far one Yield moves the clock
  bool closing_ = false;
  int exit_code_ = 0;
  Hwnd focus_ = 0;
  Point cursor_{512, 384};
  Size screen_{1024, 768};

  // Disk and speakers, made on first use (sim_files.h).
  struct FileSystem;
  FileSystem& Files() const;
  mutable std::unique_ptr<FileSystem> files_;
};

}  // namespace platform::sim
