// Our own windows on Windows: registered classes whose window procedure hands
// each message to a std::function, built-in controls, their look, menus,
// timers, and the event loop that keeps them all alive.
#include "platform/win32/win32_platform.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/codec.h"
#include "platform/win32/win32_util.h"

#include "platform/win32/windows_api.h"

namespace platform {

using win32::FromNative;
using win32::Narrow;
using win32::ToNative;
using win32::Wide;

namespace {

HWND W(Hwnd window) { return ToNative<HWND>(window); }
HMENU M(MenuHandle menu) { return ToNative<HMENU>(menu); }

COLORREF ToColorRef(Color c) { return RGB(c.r, c.g, c.b); }

// Messages whose lParam is a text the window receives...
bool CarriesText(UINT msg) {
  switch (msg) {
    case WM_SETTEXT:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
      return true;
    default:
      return false;
  }
}

// ...and those whose lParam is a buffer the window fills.
bool FillsText(UINT msg) { return msg == WM_GETTEXT || msg == LB_GETTEXT || msg == CB_GETLBTEXT; }

std::string TextAt(LPARAM l) {
  if (l == 0) return {};
  return Narrow(std::wstring_view(reinterpret_cast<const wchar_t*>(l)));
}

struct BuiltInClass {
  std::string_view name;
  DWORD style;
  DWORD ex_style;
};

// Built-in controls, as the idler's forms use them.
constexpr BuiltInClass kBuiltIns[] = {
    {kButtonClass, BS_PUSHBUTTON, 0},
    {kEditClass, ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE},
    {kStaticClass, SS_LEFT, 0},
    // No LBS_SORT: entries stay in the order they were added.
    {kListBoxClass, LBS_NOTIFY | WS_VSCROLL | WS_BORDER, 0},
    {kComboBoxClass, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0},
};

const BuiltInClass* FindBuiltIn(std::string_view cls) {
  for (const BuiltInClass& built_in : kBuiltIns) {
    if (EqualsIgnoreCase(built_in.name, cls)) return &built_in;
  }
  return nullptr;
}

// Height of a drop-down combo box's list, added below its edit part.
constexpr int kComboListHeight = 160;

// Takes one message off the queue and hands it on. Returns false on WM_QUIT.
bool DispatchOne(MSG& msg, const std::unordered_set<Hwnd>& top_level) {
  if (msg.message == WM_QUIT) return false;
  if (msg.hwnd != nullptr) {
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    if (root != nullptr && top_level.count(FromNative(root)) != 0 && ::IsDialogMessageW(root, &msg)) {
      return true;
    }
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
  return true;
}

}  // namespace

// The window procedure of every class registered through RegisterClass.
struct Win32Hosting {
  // Which platform and class answer a window of one of our classes, by the
  // class atom. The window procedure is a plain function and needs a way back
  // to both; the atom is there from the very first message (WM_GETMINMAXINFO
  // comes before WM_NCCREATE), unlike anything passed through CREATESTRUCT.
  struct Entry {
    Win32Platform* platform;
    const Win32Platform::HostedClass* hosted;
  };
  static std::unordered_map<ATOM, Entry>& Registry() {
    static std::unordered_map<ATOM, Entry> registry;
    return registry;
  }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    auto atom = static_cast<ATOM>(::GetClassLongPtrW(hwnd, GCW_ATOM));
    auto found = Registry().find(atom);
    if (found == Registry().end()) return ::DefWindowProcW(hwnd, msg, w, l);
    Win32Platform& platform = *found->second.platform;
    const Win32Platform::HostedClass& hosted = *found->second.hosted;
    // An exception cannot unwind through user32's frames; a handler that
    // throws leaves the message unanswered.
    try {
      LRESULT result = Handle(platform, hosted, hwnd, msg, w, l);
      if (msg == WM_NCDESTROY) platform.ForgetWindow(FromNative(hwnd));
      return result;
    } catch (...) {
      return 0;
    }
  }

  static LRESULT Handle(Win32Platform& platform, const Win32Platform::HostedClass& hosted,
                        HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORLISTBOX: {
        auto colors = platform.control_colors_.find(FromNative(reinterpret_cast<HWND>(l)));
        if (colors != platform.control_colors_.end()) {
          auto dc = reinterpret_cast<HDC>(w);
          ::SetTextColor(dc, colors->second.text);
          ::SetBkColor(dc, colors->second.background);
          return reinterpret_cast<LRESULT>(colors->second.brush);
        }
        break;
      }
      case WM_ERASEBKGND: {
        auto background = platform.backgrounds_.find(FromNative(hwnd));
        if (background != platform.backgrounds_.end()) {
          PaintBackground(hwnd, reinterpret_cast<HDC>(w), background->second);
          return 1;
        }
        break;
      }
      default:
        break;
    }

    Hwnd window = FromNative(hwnd);
    if (!hosted.proc) return ::DefWindowProcW(hwnd, msg, w, l);
    Message message{msg, static_cast<WParam>(w), static_cast<LParam>(l), {}, nullptr};

    if (CarriesText(msg)) {
      std::string text = TextAt(l);
      message.text = text;
      LRESULT result = hosted.proc(window, message);
      if (msg == WM_SETTEXT && platform.text_windows_.count(window) != 0) {
        ::InvalidateRect(hwnd, nullptr, TRUE);
      }
      return result;
    }

    if (msg == WM_PAINT && platform.text_windows_.count(window) != 0) {
      PaintText(hwnd);
      return 0;
    }

    if (FillsText(msg)) {
      std::string reply;
      message.reply = &reply;
      LRESULT result = hosted.proc(window, message);
      auto* buffer = reinterpret_cast<wchar_t*>(l);
      std::wstring wide = Wide(reply);
      if (msg == WM_GETTEXT) {
        // Cut to the buffer, keeping room for the terminating zero.
        if (buffer == nullptr || w == 0) return 0;
        std::size_t count = std::min<std::size_t>(wide.size(), w - 1);
        std::memcpy(buffer, wide.data(), count * sizeof(wchar_t));
        buffer[count] = L'\0';
        return static_cast<LRESULT>(count);
      }
      // LB_GETTEXT / CB_GETLBTEXT copy the whole entry, as list boxes do; a
      // negative result (LB_ERR, a missing entry) leaves the buffer alone.
      if (result < 0 || buffer == nullptr) return result;
      std::memcpy(buffer, wide.data(), wide.size() * sizeof(wchar_t));
      buffer[wide.size()] = L'\0';
      return static_cast<LRESULT>(wide.size());
    }

    LRESULT result = hosted.proc(window, message);
    // A handler that leaves WM_PAINT alone without calling DefWindowProc would
    // make Windows send it again forever, and Yield would never return.
    if (msg == WM_PAINT) ::ValidateRect(hwnd, nullptr);
    return result;
  }

  // The window's text, word-wrapped; a long text shows its end, as a chat
  // history scrolled to the bottom does.
  static void PaintText(HWND hwnd) {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(hwnd, &paint);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), length + 1)));
    HGDIOBJ font = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    RECT area{client.left + 2, client.top + 1, client.right - 2, client.bottom - 1};
    RECT measure = area;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure,
                DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_CALCRECT);
    const int overflow = (measure.bottom - measure.top) - (area.bottom - area.top);
    if (overflow > 0) area.top -= overflow;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    ::SelectObject(dc, font);
    ::EndPaint(hwnd, &paint);
  }

  static void PaintBackground(HWND hwnd, HDC dc, const Win32Platform::Background& background) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    HBRUSH brush = background.has_color ? static_cast<HBRUSH>(background.brush)
                                        : ::GetSysColorBrush(COLOR_BTNFACE);
    ::FillRect(dc, &client, brush);
    if (background.picture == nullptr) return;
    auto picture = static_cast<HBITMAP>(background.picture);
    BITMAP info{};
    if (::GetObjectW(picture, sizeof(info), &info) == 0) return;
    HDC source = ::CreateCompatibleDC(dc);
    if (source == nullptr) return;
    HGDIOBJ previous = ::SelectObject(source, picture);
    // Unscaled from the top-left; the window's DC clips what does not fit.
    ::BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
  }
};

Win32Platform::~Win32Platform() {
  for (auto& [control, colors] : control_colors_) ::DeleteObject(static_cast<HGDIOBJ>(colors.brush));
  for (auto& [window, background] : backgrounds_) {
    if (background.brush != nullptr) ::DeleteObject(static_cast<HGDIOBJ>(background.brush));
    if (background.picture != nullptr) ::DeleteObject(static_cast<HGDIOBJ>(background.picture));
  }
  // Windows of our classes that outlive us fall back to DefWindowProcW.
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  for (const auto& hosted : classes_) {
    Win32Hosting::Registry().erase(hosted->atom);
    ::UnregisterClassW(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(hosted->atom)), instance);
  }
  for (const SharedBlock& block : shared_blocks_) {
    ::VirtualFree(reinterpret_cast<void*>(static_cast<std::uintptr_t>(block.address)), 0, MEM_RELEASE);
  }
}

// ---- Event loop ---------------------------------------------------------------

void Win32Platform::Yield() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!DispatchOne(msg, top_level_)) {
      // Seen inside a handler's wait: remember it, and put it back for the
      // outermost RunMessageLoop to end on.
      closing_ = true;
      exit_code_ = static_cast<int>(msg.wParam);
      ::PostQuitMessage(exit_code_);
      return;
    }
  }
}

void Win32Platform::WaitUntil(double deadline) {
  for (;;) {
    Yield();
    if (closing_) return;
    double left = deadline - Now();
    if (left <= 0) return;
    // Round up so a wait never ends a hair early and goes round once more at 0 ms.
    auto milliseconds = static_cast<DWORD>(std::min(left * 1000.0 + 1.0, 86400000.0));
    ::MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

bool Win32Platform::Closing() { return closing_; }

void Win32Platform::PostQuitMessage(int exit_code) {
  closing_ = true;
  exit_code_ = exit_code;
  ::PostQuitMessage(exit_code);
}

int Win32Platform::RunMessageLoop() {
  MSG msg;
  for (;;) {
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      closing_ = true;
      exit_code_ = static_cast<int>(msg.wParam);
      break;
    }
    DispatchOne(msg, top_level_);
  }
  return exit_code_;
}

// ---- Classes and windows ----------------------------------------------------------

bool Win32Platform::RegisterClass(std::string_view name, WindowProc proc) {
  auto hosted = std::make_unique<HostedClass>();
  hosted->name = std::string(name);
  hosted->proc = std::move(proc);
  std::wstring wide_name = Wide(name);

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &Win32Hosting::WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = wide_name.c_str();
  ATOM atom = ::RegisterClassExW(&wc);
  if (atom == 0) return false;  // the name is taken in this process
  hosted->atom = atom;
  Win32Hosting::Registry()[atom] = Win32Hosting::Entry{this, hosted.get()};
  classes_.push_back(std::move(hosted));
  return true;
}

Hwnd Win32Platform::CreateWindow(const WindowSpec& spec) {
  const BuiltInClass* built_in = FindBuiltIn(spec.cls);
  DWORD style = built_in != nullptr ? built_in->style : 0;
  DWORD ex_style = built_in != nullptr ? built_in->ex_style : 0;
  if (spec.visible) style |= WS_VISIBLE;

  if (built_in != nullptr && built_in->name == kEditClass && spec.multi_line) {
    style = (style & ~static_cast<DWORD>(ES_AUTOHSCROLL)) | ES_MULTILINE | ES_AUTOVSCROLL |
            ES_WANTRETURN | WS_VSCROLL;
  }

  HMENU id_or_menu = nullptr;
  int x = spec.bounds.left;
  int y = spec.bounds.top;
  int width = spec.bounds.width();
  int height = spec.bounds.height();

  if (spec.parent != 0) {
    style |= WS_CHILD;
    if (spec.tab_stop) style |= WS_TABSTOP;
    id_or_menu = reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(spec.id));
    if (built_in != nullptr && built_in->name == kComboBoxClass) height += kComboListHeight;
  } else {
    // An overlapped window always gets a caption; without a title bar it is a popup.
    style |= spec.title_bar ? (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX) : WS_POPUP;
    style |= WS_CLIPCHILDREN;
    // `bounds` is the client area: grow it by the frame.
    RECT outer{spec.bounds.left, spec.bounds.top, spec.bounds.right, spec.bounds.bottom};
    ::AdjustWindowRectEx(&outer, style, FALSE, ex_style);
    x = outer.left;
    y = outer.top;
    width = outer.right - outer.left;
    height = outer.bottom - outer.top;
  }

  std::wstring wide_class = Wide(spec.cls);
  std::wstring wide_text = Wide(spec.text);
  HWND hwnd = ::CreateWindowExW(ex_style, wide_class.c_str(), wide_text.c_str(), style, x, y, width,
                                height, W(spec.parent), id_or_menu, ::GetModuleHandleW(nullptr),
                                nullptr);
  if (hwnd == nullptr) return 0;
  if (built_in != nullptr) {
    ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
  }
  Hwnd window = FromNative(hwnd);
  if (spec.parent == 0) top_level_.insert(window);
  if (spec.shows_text && built_in == nullptr) text_windows_.insert(window);
  return window;
}

bool Win32Platform::DestroyWindow(Hwnd window) {
  if (window == 0) return false;
  bool destroyed = ::DestroyWindow(W(window)) != FALSE;
  // Built-in controls do not pass through our window procedure on their way out.
  if (destroyed) ForgetWindow(window);
  return destroyed;
}

void Win32Platform::ForgetWindow(Hwnd window) {
  top_level_.erase(window);
  text_windows_.erase(window);
  ForgetControlColors(window);
  auto background = backgrounds_.find(window);
  if (background != backgrounds_.end()) {
    if (background->second.brush != nullptr) ::DeleteObject(static_cast<HGDIOBJ>(background->second.brush));
    if (background->second.picture != nullptr) {
      ::DeleteObject(static_cast<HGDIOBJ>(background->second.picture));
    }
    backgrounds_.erase(background);
  }
  // Controls coloured for this window go with it.
  std::vector<Hwnd> children;
  for (const auto& [control, colors] : control_colors_) {
    if (colors.parent == window) children.push_back(control);
  }
  for (Hwnd control : children) ForgetControlColors(control);
}

void Win32Platform::ForgetControlColors(Hwnd control) {
  auto found = control_colors_.find(control);
  if (found == control_colors_.end()) return;
  ::DeleteObject(static_cast<HGDIOBJ>(found->second.brush));
  control_colors_.erase(found);
}

LResult Win32Platform::DefWindowProc(Hwnd window, const Message& message) {
  HWND hwnd = W(window);
  auto w = static_cast<WPARAM>(message.w);
  if (CarriesText(message.id)) {
    // Rebuilt from `text`, which a handler may have set without any lParam.
    std::wstring wide = Wide(message.text);
    return ::DefWindowProcW(hwnd, message.id, w, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  if (FillsText(message.id) && message.reply != nullptr) {
    // The default text goes to `reply`; the window procedure copies it on.
    // The whole caption: the window procedure cuts it to the caller's buffer.
    // (DefWindowProcW's own length: GetWindowTextLengthW would ask our handler.)
    std::size_t capacity =
        message.id == WM_GETTEXT
            ? static_cast<std::size_t>(::DefWindowProcW(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1
            : 1;
    std::vector<wchar_t> buffer(capacity, L'\0');
    LRESULT result = ::DefWindowProcW(hwnd, message.id, message.id == WM_GETTEXT ? capacity : w,
                                      reinterpret_cast<LPARAM>(buffer.data()));
    *message.reply = win32::NarrowUpToZero(buffer.data(), buffer.size());
    return result;
  }
  return ::DefWindowProcW(hwnd, message.id, w, static_cast<LPARAM>(message.l));
}

// ---- Timers, focus ------------------------------------------------------------------

bool Win32Platform::SetTimer(Hwnd window, std::uint32_t id, std::uint32_t milliseconds) {
  // A null window would make a thread timer with an id of Windows' choosing.
  if (window == 0) return false;
  return ::SetTimer(W(window), id, milliseconds, nullptr) != 0;
}

bool Win32Platform::KillTimer(Hwnd window, std::uint32_t id) {
  if (window == 0) return false;
  return ::KillTimer(W(window), id) != FALSE;
}

Hwnd Win32Platform::SetFocus(Hwnd window) { return FromNative(::SetFocus(W(window))); }

Hwnd Win32Platform::GetFocus() { return FromNative(::GetFocus()); }

// ---- Look -------------------------------------------------------------------------------

void Win32Platform::SetControlColors(Hwnd control, Color text, Color background) {
  if (control == 0) return;
  HBRUSH brush = ::CreateSolidBrush(ToColorRef(background));
  if (brush == nullptr) return;
  ForgetControlColors(control);
  control_colors_[control] =
      ControlColors{GetParent(control), ToColorRef(text), ToColorRef(background), brush};
  ::InvalidateRect(W(control), nullptr, TRUE);
}

void Win32Platform::SetBackgroundColor(Hwnd window, Color background) {
  if (window == 0) return;
  HBRUSH brush = ::CreateSolidBrush(ToColorRef(background));
  if (brush == nullptr) return;
  Background& entry = backgrounds_[window];
  if (entry.brush != nullptr) ::DeleteObject(static_cast<HGDIOBJ>(entry.brush));
  entry.brush = brush;
  entry.has_color = true;
  ::InvalidateRect(W(window), nullptr, TRUE);
}

void Win32Platform::SetBackgroundPicture(Hwnd window, std::string_view resource) {
  if (window == 0) return;
  std::wstring name = Wide(resource);
  HANDLE picture = ::LoadImageW(::GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0,
                                LR_CREATEDIBSECTION);
  if (picture == nullptr) return;  // no such resource: the window keeps its look
  Background& entry = backgrounds_[window];
  if (entry.picture != nullptr) ::DeleteObject(static_cast<HGDIOBJ>(entry.picture));
  entry.picture = picture;
  ::InvalidateRect(W(window), nullptr, TRUE);
}

void Win32Platform::SetWindowIcon(Hwnd window, std::string_view resource) {
  if (window == 0) return;
  std::wstring name = Wide(resource);
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  // Shared icons are freed by Windows with the module.
  struct IconSize {
    WPARAM which;
    int cx;
    int cy;
  };
  const IconSize sizes[] = {
      {ICON_BIG, ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)},
      {ICON_SMALL, ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)},
  };
  for (const IconSize& size : sizes) {
    HANDLE icon = ::LoadImageW(instance, name.c_str(), IMAGE_ICON, size.cx, size.cy, LR_SHARED);
    if (icon != nullptr) ::SendMessageW(W(window), WM_SETICON, size.which, reinterpret_cast<LPARAM>(icon));
  }
}

// ---- Menus ------------------------------------------------------------------------------

MenuHandle Win32Platform::CreateMenu() { return FromNative(::CreateMenu()); }

MenuHandle Win32Platform::CreatePopupMenu() { return FromNative(::CreatePopupMenu()); }

bool Win32Platform::AppendMenu(MenuHandle menu, std::uint32_t flags, std::uint32_t id,
                               std::string_view text) {
  if (menu == 0) return false;
  UINT_PTR item = (flags & kMfPopup) != 0 ? reinterpret_cast<UINT_PTR>(M(id)) : id;
  if ((flags & kMfSeparator) != 0) return ::AppendMenuW(M(menu), flags, item, nullptr) != FALSE;
  std::wstring wide = Wide(text);
  return ::AppendMenuW(M(menu), flags, item, wide.c_str()) != FALSE;
}

bool Win32Platform::SetMenu(Hwnd window, MenuHandle menu) {
  if (window == 0) return false;
  HWND hwnd = W(window);
  RECT before{};
  ::GetClientRect(hwnd, &before);
  if (!::SetMenu(hwnd, M(menu))) return false;
  // A menu bar takes its room from the client area; grow the window instead,
  // so the controls laid out in it still fit.
  RECT after{};
  ::GetClientRect(hwnd, &after);
  int grow = before.bottom - after.bottom;
  if (grow != 0) {
    RECT outer{};
    ::GetWindowRect(hwnd, &outer);
    ::SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + grow,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::DrawMenuBar(hwnd);
  return true;
}

}  // namespace platform
