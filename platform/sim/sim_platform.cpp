// The simulated desktop: window tree, lookups, messages and window state.
#include "platform/sim/sim_platform.h"

#include <algorithm>
#include <cctype>

#include "platform/codec.h"
#include "platform/sim/sim_ansi.h"
#include "platform/sim/sim_internal.h"

namespace platform::sim {
namespace {

// Frame of a top-level window with a title bar: border and caption, pixels.
constexpr Rect kTitledFrame{3, 26, 3, 3};

// Built-in classes, lower case.
const char* const kBuiltins[] = {"button", "edit", "static", "listbox", "combobox", "#32770"};

bool IsBuiltin(std::string_view lower) {
  return std::any_of(std::begin(kBuiltins), std::end(kBuiltins),
                     [&](const char* b) { return lower == b; });
}

// Case-insensitive match of a caption, kept as Windows-1252 bytes, against a
// UTF-8 query. Windows keeps captions in Unicode and compares the query as it
// was asked: "Łódź" does not find the window that got "Lódz".
bool MatchesIgnoringCase(const std::string& stored_bytes, std::string_view query_utf8) {
  return EqualsIgnoreCase(Cp1252ToUtf8(stored_bytes), query_utf8);
}

// The name Windows gives a built-in class, whatever case made the window.
std::string_view BuiltinName(std::string_view lower) {
  static constexpr std::string_view kNames[] = {"Button",  "Edit",     "Static",
                                                "ListBox", "ComboBox", "#32770"};
  for (std::string_view name : kNames) {
    if (EqualsIgnoreCase(name, lower)) return name;
  }
  return lower;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

SimPlatform::SimPlatform() {
  auto program = std::make_unique<Process>();
  program->pid = kProgramPid;
  program->name = "program";
  processes_[kProgramPid] = std::move(program);
}

SimPlatform::~SimPlatform() = default;

SimPlatform::Window* SimPlatform::Find(Hwnd window) const {
  if (window == 0) return nullptr;
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

std::vector<Hwnd>& SimPlatform::SiblingsOf(const Window& window) {
  if (window.parent == 0) return desktop_;
  return Find(window.parent)->children;
}

CallRecord& SimPlatform::Log(std::string name, Hwnd window) {
  CallRecord record;
  record.pid = current_pid_;
  record.name = std::move(name);
  record.window = window;
  calls_.push_back(std::move(record));
  return calls_.back();
}

std::vector<CallRecord> SimPlatform::CallsBy(Pid pid) const {
  std::vector<CallRecord> out;
  for (const auto& call : calls_) {
    if (call.pid == pid) out.push_back(call);
  }
  return out;
}

// ---- Lookups ----------------------------------------------------------------

Hwnd SimPlatform::FindAmong(const std::vector<Hwnd>& list, Hwnd after, std::string_view cls,
                            std::optional<std::string_view> caption) const {
  auto it = list.begin();
  if (after != 0) {
    it = std::find(list.begin(), list.end(), after);
    if (it == list.end()) return 0;  // not a child of this parent
    ++it;
  }
  for (; it != list.end(); ++it) {
    const Window& w = *Find(*it);
    if (w.destroying) continue;
    if (!EqualsIgnoreCase(w.cls, cls)) continue;
    if (caption && !MatchesIgnoringCase(w.text, *caption)) continue;
    return w.handle;
  }
  return 0;
}

Hwnd SimPlatform::FindWindow(std::string_view cls, std::optional<std::string_view> caption) {
  CallRecord& call = Log("FindWindow");
  call.text = Utf8ToAnsi(cls);
  if (caption) call.text2 = Utf8ToAnsi(*caption);
  const Hwnd found = FindAmong(desktop_, 0, cls, caption);
  calls_.back().result = found;
  return found;
}

Hwnd SimPlatform::FindWindowEx(Hwnd parent, Hwnd child_after, std::string_view cls,
                               std::optional<std::string_view> caption) {
  CallRecord& call = Log("FindWindowEx", parent);
  call.window2 = child_after;
  call.text = Utf8ToAnsi(cls);
  if (caption) call.text2 = Utf8ToAnsi(*caption);
  Hwnd found = 0;
  if (parent == 0) {
    // Windows searches the windows directly under the desktop.
    found = FindAmong(desktop_, child_after, cls, caption);
  } else if (const Window* p = Find(parent)) {
    found = FindAmong(p->children, child_after, cls, caption);
  }
  calls_.back().result = found;
  return found;
}

// ---- Messages ---------------------------------------------------------------

std::shared_ptr<WindowProc> SimPlatform::ResolveClass(Pid pid, std::string_view cls) const {
  const std::string key = AsciiLower(cls);
  auto p = processes_.find(pid);
  if (p != processes_.end()) {
    auto c = p->second->classes.find(key);
    if (c != p->second->classes.end()) return c->second.proc;
  }
  return nullptr;
}

LResult SimPlatform::Dispatch(Hwnd window, Message& message) {
  Window* w = Find(window);
  if (w == nullptr) return 0;
  ++dispatch_count_;
  ProcessScope scope(*this, w->pid);
  if (w->proc) {
    const std::shared_ptr<WindowProc> proc = w->proc;  // the handler may destroy the window
    return (*proc)(window, message);
  }
  return BuiltinProc(window, message);
}

LResult SimPlatform::SendMessage(Hwnd window, Msg msg, WParam w, LParam l) {
  CallRecord& call = Log("SendMessage", window);
  call.msg = msg;
  call.w = w;
  call.l = l;
  const std::size_t index = calls_.size() - 1;
  Message message{msg, w, l, {}, nullptr};
  const LResult result = Dispatch(window, message);
  calls_[index].result = result;
  return result;
}

LResult SimPlatform::SendMessageText(Hwnd window, Msg msg, WParam w, std::string_view text) {
  const std::string bytes = Utf8ToAnsi(text);
  CallRecord& call = Log("SendMessage", window);
  call.msg = msg;
  call.w = w;
  call.text = bytes;
  const std::size_t index = calls_.size() - 1;
  // An ANSI window gets the code page's bytes: what it cannot show is "?".
  const std::string arrived = Cp1252ToUtf8(bytes);
  Message message{msg, w, 0, arrived, nullptr};
  const LResult result = Dispatch(window, message);
  calls_[index].result = result;
  return result;
}

std::string SimPlatform::SendMessageGetText(Hwnd window, Msg msg, WParam w, std::size_t capacity) {
  CallRecord& call = Log("SendMessage", window);
  call.msg = msg;
  call.w = w;
  call.numbers = {static_cast<std::int64_t>(capacity)};
  const std::size_t index = calls_.size() - 1;
  std::string reply;
  Message message{msg, w, 0, {}, &reply};
  const LResult result = Dispatch(window, message);
  // Back through the code page, cut to the caller's buffer (room for the
  // zero). List and combo entries come whole, as Windows copies them
  // whatever the buffer's size (the win32 side makes room for them).
  std::string bytes = Utf8ToAnsi(reply);
  const std::size_t room = capacity == 0 ? 0 : capacity - 1;
  const bool whole = msg == kLbGetText || msg == kCbGetLbText;
  if (!whole && bytes.size() > room) bytes.resize(room);
  const auto zero = bytes.find('\0');
  if (zero != std::string::npos) bytes.resize(zero);
  calls_[index].result = result;
  calls_[index].text = bytes;
  return Cp1252ToUtf8(bytes);
}

bool SimPlatform::PostMessage(Hwnd window, Msg msg, WParam w, LParam l) {
  CallRecord& call = Log("PostMessage", window);
  call.msg = msg;
  call.w = w;
  call.l = l;
  if (Find(window) == nullptr) return false;  // never a thread message
  queue_.push_back({window, msg, w, l, false});
  calls_.back().result = 1;
  return true;
}

LResult SimPlatform::DefWindowProc(Hwnd window, const Message& message) {
  Window* w = Find(window);
  if (w == nullptr) return 0;
  switch (message.id) {
    case kWmSetText:
      w->text = Utf8ToAnsi(message.text);
      return 1;
    case kWmGetText: {
      if (message.reply == nullptr || message.w == 0) return 0;
      std::string bytes = w->text.substr(0, static_cast<std::size_t>(message.w) - 1);
      *message.reply = Cp1252ToUtf8(bytes);
      return static_cast<LResult>(bytes.size());
    }
    case kWmGetTextLength:
      return static_cast<LResult>(w->text.size());
    case kWmClose:
      DestroyWindow(window);
      return 0;
    default:
      return 0;
  }
}

// ---- Window state -----------------------------------------------------------

bool SimPlatform::ShowWindow(Hwnd window, int command) {
  CallRecord& call = Log("ShowWindow", window);
  call.numbers = {command};
  Window* w = Find(window);
  if (w == nullptr) return false;
  const bool was_visible = w->visible;
  w->visible = command != kSwHide;
  calls_.back().result = was_visible;
  return was_visible;
}

bool SimPlatform::SetWindowPos(Hwnd window, Hwnd insert_after, int x, int y, int cx, int cy,
                               std::uint32_t flags) {
  CallRecord& call = Log("SetWindowPos", window);
  call.window2 = insert_after;
  call.numbers = {x, y, cx, cy, flags};
  Window* w = Find(window);
  if (w == nullptr) return false;
  if ((flags & kSwpNoMove) == 0) {
    const int width = w->rect.width();
    const int height = w->rect.height();
    w->rect = {x, y, x + width, y + height};
  }
  if ((flags & kSwpNoSize) == 0) {
    w->rect.right = w->rect.left + cx;
    w->rect.bottom = w->rect.top + cy;
  }
  if ((flags & kSwpNoZOrder) == 0) {
    std::vector<Hwnd>& siblings = SiblingsOf(*w);
    auto self = std::find(siblings.begin(), siblings.end(), window);
    // Topmost windows stay in a band in front of the others.
    const auto front_of_others = [&] {
      return std::find_if(siblings.begin(), siblings.end(),
                          [&](Hwnd h) { return !Find(h)->topmost; });
    };
    if (insert_after == kHwndTopmost) {
      w->topmost = true;
      siblings.erase(self);
      siblings.insert(siblings.begin(), window);
    } else if (insert_after == kHwndTop || (insert_after == kHwndNoTopmost && w->topmost)) {
      // HWND_NOTOPMOST takes a topmost window to the front of the others (a
      // window that is not topmost stays where it is).
      if (insert_after == kHwndNoTopmost) w->topmost = false;
      siblings.erase(self);
      siblings.insert(w->topmost ? siblings.begin() : front_of_others(), window);
    } else if (insert_after == kHwndBottom) {
      w->topmost = false;  // a topmost window sent to the bottom stops being topmost
      siblings.erase(self);
      siblings.push_back(window);
    } else if (insert_after != kHwndNoTopmost && Find(insert_after) != nullptr &&
               insert_after != window) {
      auto anchor = std::find(siblings.begin(), siblings.end(), insert_after);
      if (anchor != siblings.end()) {
        siblings.erase(self);
        anchor = std::find(siblings.begin(), siblings.end(), insert_after);
        siblings.insert(anchor + 1, window);
      }
    }
  }
  calls_.back().result = 1;
  return true;
}

bool SimPlatform::ReleaseCapture() {
  Log("ReleaseCapture").result = 1;
  return true;
}

int SimPlatform::GetWindowTextLength(Hwnd window) {
  Log("GetWindowTextLength", window);
  const std::size_t index = calls_.size() - 1;
  const Window* w = Find(window);
  int length = 0;
  if (w != nullptr) {
    if (w->pid == current_pid_) {
      Message message{kWmGetTextLength, 0, 0, {}, nullptr};
      length = static_cast<int>(Dispatch(window, message));
    } else {
      // Another program's caption is read from the window itself, as Windows does.
      length = static_cast<int>(w->text.size());
    }
  }
  calls_[index].result = length;
  return length;
}

std::string SimPlatform::GetWindowText(Hwnd window, int capacity) {
  CallRecord& call = Log("GetWindowText", window);
  call.numbers = {capacity};
  const std::size_t index = calls_.size() - 1;
  const Window* w = Find(window);
  if (w == nullptr || capacity <= 0) return "";
  std::string bytes;
  if (w->pid == current_pid_) {
    std::string reply;
    Message message{kWmGetText, static_cast<WParam>(capacity), 0, {}, &reply};
    Dispatch(window, message);
    bytes = Utf8ToAnsi(reply);
  } else {
    bytes = w->text;
  }
  if (bytes.size() > static_cast<std::size_t>(capacity - 1)) bytes.resize(capacity - 1);
  calls_[index].text = bytes;
  calls_[index].result = static_cast<std::int64_t>(bytes.size());
  return Cp1252ToUtf8(bytes);
}

std::uint32_t SimPlatform::GetWindowThreadProcessId(Hwnd window, Pid* pid) {
  Log("GetWindowThreadProcessId", window);
  const Window* w = Find(window);
  const Pid owner = w == nullptr ? 0 : w->pid;
  if (pid != nullptr) *pid = owner;
  const std::uint32_t thread = owner == 0 ? 0 : owner * 4 + 0x1000;
  calls_.back().result = thread;
  return thread;
}

bool SimPlatform::IsWindow(Hwnd window) {
  const Window* w = Find(window);
  return w != nullptr && !w->destroying;
}

bool SimPlatform::IsWindowVisible(Hwnd window) {
  Log("IsWindowVisible", window);
  bool visible = Find(window) != nullptr;
  for (const Window* w = Find(window); w != nullptr; w = Find(w->parent)) {
    visible = visible && w->visible;
  }
  calls_.back().result = visible;
  return visible;
}

Hwnd SimPlatform::GetParent(Hwnd window) {
  const Window* w = Find(window);
  return w == nullptr ? 0 : w->parent;
}

Point SimPlatform::ClientOrigin(const Window& window) const {
  Point origin{window.rect.left + window.frame.left, window.rect.top + window.frame.top};
  if (const Window* parent = Find(window.parent)) {
    const Point p = ClientOrigin(*parent);
    origin.x += p.x;
    origin.y += p.y;
  }
  return origin;
}

Rect SimPlatform::GetWindowRect(Hwnd window) {
  const Window* w = Find(window);
  if (w == nullptr) return {};
  Point offset{0, 0};
  if (const Window* parent = Find(w->parent)) offset = ClientOrigin(*parent);
  return {w->rect.left + offset.x, w->rect.top + offset.y, w->rect.right + offset.x,
          w->rect.bottom + offset.y};
}

Rect SimPlatform::GetClientRect(Hwnd window) {
  const Window* w = Find(window);
  if (w == nullptr) return {};
  const Point origin = ClientOrigin(*w);
  const int width = w->rect.width() - w->frame.left - w->frame.right;
  const int height = w->rect.height() - w->frame.top - w->frame.bottom;
  return {origin.x, origin.y, origin.x + width, origin.y + height};
}

std::string SimPlatform::GetClassName(Hwnd window) {
  const Window* w = Find(window);
  return w == nullptr ? std::string() : w->cls;
}

Point SimPlatform::GetCursorPos() {
  Log("GetCursorPos").numbers = {cursor_.x, cursor_.y};
  return cursor_;
}

bool SimPlatform::SetCursorPos(int x, int y) {
  Log("SetCursorPos").numbers = {x, y};
  // Windows keeps the cursor on the screen.
  cursor_.x = std::clamp(x, 0, screen_.width - 1);
  cursor_.y = std::clamp(y, 0, screen_.height - 1);
  calls_.back().result = 1;
  return true;
}

// ---- Hosting ----------------------------------------------------------------

bool SimPlatform::RegisterClass(std::string_view name, WindowProc proc) {
  Log("RegisterClass").text = std::string(name);
  Process& process = *processes_.at(current_pid_);
  const std::string key = AsciiLower(name);
  if (process.classes.count(key) != 0) return false;
  process.classes[key] = {std::string(name), std::make_shared<WindowProc>(std::move(proc))};
  calls_.back().result = 1;
  return true;
}

Hwnd SimPlatform::CreateWindow(const WindowSpec& spec) {
  CallRecord& call = Log("CreateWindow", spec.parent);
  call.text = spec.cls;
  call.text2 = Utf8ToAnsi(spec.text);
  call.numbers = {spec.bounds.left, spec.bounds.top, spec.bounds.width(), spec.bounds.height(),
                  spec.id};
  const std::size_t index = calls_.size() - 1;
  if (spec.parent != 0 && Find(spec.parent) == nullptr) return 0;

  auto window = std::make_unique<Window>();
  window->proc = ResolveClass(current_pid_, spec.cls);
  if (!window->proc) {
    window->builtin = AsciiLower(spec.cls);
    if (!IsBuiltin(window->builtin)) return 0;
  }
  const Hwnd handle = next_hwnd_;
  next_hwnd_ += 4;
  window->handle = handle;
  window->pid = current_pid_;
  // Windows names the window's class as it was registered.
  window->cls = window->proc ? processes_.at(current_pid_)->classes.at(AsciiLower(spec.cls)).name
                             : std::string(BuiltinName(window->builtin));
  window->text = Utf8ToAnsi(spec.text);
  window->parent = spec.parent;
  window->visible = spec.visible;
  window->tab_stop = spec.tab_stop;
  window->id = spec.id;
  if (spec.parent == 0 && spec.title_bar) {
    window->frame = kTitledFrame;
    window->dialog_navigation = true;
  }
  window->rect = {spec.bounds.left - window->frame.left, spec.bounds.top - window->frame.top,
                  spec.bounds.right + window->frame.right,
                  spec.bounds.bottom + window->frame.bottom};
  windows_[handle] = std::move(window);
  if (spec.parent == 0) {
    // A new top-level window goes in front, behind the topmost ones.
    desktop_.insert(
        std::find_if(desktop_.begin(), desktop_.end(), [&](Hwnd h) { return !Find(h)->topmost; }),
        handle);
  } else {
    Find(spec.parent)->children.push_back(handle);  // children keep creation order
  }
  calls_[index].result = handle;
  Message create{kWmCreate, 0, 0, {}, nullptr};
  if (Dispatch(handle, create) == -1) {
    DestroyWindow(handle);
    return 0;
  }
  return handle;
}

void SimPlatform::DestroyTree(Hwnd window, bool run_handlers) {
  Window* w = Find(window);
  if (w == nullptr) return;
  w->destroying = true;
  if (run_handlers) {
    Message destroy{kWmDestroy, 0, 0, {}, nullptr};
    Dispatch(window, destroy);
  }
  w = Find(window);
  if (w == nullptr) return;
  const std::vector<Hwnd> children = w->children;
  for (Hwnd child : children) DestroyTree(child, run_handlers);
  w = Find(window);
  if (w == nullptr) return;
  std::vector<Hwnd>& siblings = SiblingsOf(*w);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return t.window == window; }),
                timers_.end());
  if (focus_ == window) focus_ = 0;
  windows_.erase(window);
}

bool SimPlatform::DestroyWindow(Hwnd window) {
  Log("DestroyWindow", window);
  Window* w = Find(window);
  if (w == nullptr || w->destroying) return false;
  DestroyTree(window, true);
  return true;
}

Hwnd SimPlatform::SetFocus(Hwnd window) {
  Log("SetFocus", window);
  if (window != 0 && Find(window) == nullptr) return 0;
  const Hwnd previous = focus_;
  focus_ = window;
  calls_.back().result = previous;
  return previous;
}

Hwnd SimPlatform::GetFocus() { return focus_; }

Size SimPlatform::GetScreenSize() { return screen_; }

Pid SimPlatform::GetCurrentProcessId() { return current_pid_; }

void SimPlatform::SetControlColors(Hwnd control, Color text, Color background) {
  Log("SetControlColors", control);
  if (Window* w = Find(control)) {
    w->text_color = text;
    w->background_color = background;
  }
}

void SimPlatform::SetBackgroundColor(Hwnd window, Color background) {
  Log("SetBackgroundColor", window);
  if (Window* w = Find(window)) w->background_color = background;
}

void SimPlatform::SetBackgroundPicture(Hwnd window, std::string_view resource) {
  Log("SetBackgroundPicture", window).text = std::string(resource);
  if (Window* w = Find(window)) w->picture = std::string(resource);
}

void SimPlatform::SetWindowIcon(Hwnd window, std::string_view resource) {
  Log("SetWindowIcon", window).text = std::string(resource);
  if (Window* w = Find(window)) w->icon = std::string(resource);
}

Hwnd SimPlatform::ShowMessageBox(Hwnd owner, std::string_view text, std::string_view caption) {
  CallRecord& call = Log("ShowMessageBox", owner);
  call.text = Utf8ToAnsi(text);
  call.text2 = Utf8ToAnsi(caption);
  // The layout Windows gives a message box: icon, OK button, then the text.
  const Size screen = screen_;
  const Rect bounds{screen.width / 2 - 150, screen.height / 2 - 60, screen.width / 2 + 150,
                    screen.height / 2 + 60};
  WindowSpec box{std::string(kDialogClass), std::string(caption), 0, bounds, 0, true, false, true};
  const Hwnd dialog = CreateWindow(box);
  CreateWindow({std::string(kStaticClass), "", dialog, {10, 10, 42, 42}, 0xFFFF});
  CreateWindow({std::string(kButtonClass), "OK", dialog, {110, 80, 190, 105}, 1, true, true});
  CreateWindow({std::string(kStaticClass), std::string(text), dialog, {60, 10, 290, 70}, 0xFFFF});
  return dialog;
}

// ---- Inspection and the outside world -------------------------------------------

std::optional<WindowState> SimPlatform::Inspect(Hwnd window) const {
  const Window* w = Find(window);
  if (w == nullptr) return std::nullopt;
  auto* self = const_cast<SimPlatform*>(this);
  WindowState s;
  s.handle = w->handle;
  s.pid = w->pid;
  s.cls = w->cls;
  s.text = Cp1252ToUtf8(w->text);
  s.text_bytes = w->text;
  s.parent = w->parent;
  s.children = w->children;
  s.window_rect = self->GetWindowRect(window);
  s.client_rect = self->GetClientRect(window);
  s.visible = w->visible;
  s.topmost = w->topmost;
  s.tab_stop = w->tab_stop;
  s.id = w->id;
  s.text_color = w->text_color;
  s.background_color = w->background_color;
  s.picture = w->picture;
  s.icon = w->icon;
  for (const ListItem& item : w->items) {
    s.items.push_back(Cp1252ToUtf8(item.text));
    s.item_data.push_back(item.data);
  }
  s.check = w->check;
  s.menu = w->menu;
  return s;
}

std::vector<Hwnd> SimPlatform::TopLevelWindows() const { return desktop_; }

void SimPlatform::UserClick(Hwnd window) {
  queue_.push_back({window, kWmLButtonDown, 0, 0, true});
  queue_.push_back({window, kWmLButtonUp, 0, 0, true});
}

void SimPlatform::UserType(Hwnd window, std::string_view text) {
  for (char32_t cp : Utf8ToCodePoints(text)) queue_.push_back({window, kWmChar, cp, 0, true});
}

void SimPlatform::UserKey(Hwnd window, std::uint32_t virtual_key) {
  queue_.push_back({window, kWmKeyDown, virtual_key, 0, true});
  queue_.push_back({window, kWmKeyUp, virtual_key, 0, true});
}

}  // namespace platform::sim
