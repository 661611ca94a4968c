// Checks the Windows platform layer against real windows: run it under Wine
// on Xvfb (or on Windows). Prints one line per check and then
// "N passed, M failed"; exits non-zero when anything failed.
//
//   platform_check.exe [--hold SECONDS]
//
// --hold keeps the test window on screen at the end, for a screenshot.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/codec.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/win32/win32_platform.h"

namespace {

using namespace platform;

int g_passed = 0;
int g_failed = 0;

std::string Show(const std::string& s) { return "\"" + s + "\""; }
std::string Show(const std::optional<std::string>& s) { return s ? Show(*s) : "nullopt"; }
std::string Show(const Rect& r) {
  std::ostringstream out;
  out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
  return out.str();
}
template <class T>
std::string Show(const T& value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

void Check(bool ok, const std::string& name, const std::string& detail = {}) {
  (ok ? g_passed : g_failed)++;
  std::printf("%s %s%s\n", ok ? "PASS" : "FAIL", name.c_str(),
              ok || detail.empty() ? "" : ("  (" + detail + ")").c_str());
  std::fflush(stdout);
}

template <class A, class E>
void Expect(const std::string& name, const A& actual, const E& expected) {
  bool ok = actual == expected;
  Check(ok, name, "got " + Show(actual) + ", want " + Show(expected));
}

constexpr Msg kCheckPosted = kWmUser + 1;
constexpr Msg kWmCtlColorStatic = 0x0138;

// What the windows of the two test classes saw.
struct Seen {
  std::map<std::uint32_t, int> ticks;  // WM_TIMER by id
  int user_messages = 0;
  int created = 0;                        // WM_CREATE
  std::vector<std::string> list_entries;  // _Check_List: LB_ADDSTRING in order
  std::map<Hwnd, std::string> rich_text;  // RICHCNTL: its text, as received
};

}  // namespace

int main(int argc, char** argv) {
  double hold_seconds = 0;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--hold") == 0) hold_seconds = std::atof(argv[i + 1]);
  }

  Win32Platform win;
  Platform& p = win;
  Seen seen;

  // ---- Classes -------------------------------------------------------------
  Check(p.RegisterClass("BrixCheckHost",
                        [&](Hwnd h, const Message& m) -> LResult {
                          if (m.id == kWmTimer) {
                            seen.ticks[static_cast<std::uint32_t>(m.w)]++;
                            return 0;
                          }
                          if (m.id == kWmCreate) seen.created++;
                          if (m.id == kCheckPosted) {
                            seen.user_messages++;
                            return 0;
                          }
                          return p.DefWindowProc(h, m);
                        }),
        "RegisterClass BrixCheckHost");
  // A text window of our own, like the client's rich-text boxes: it keeps its
  // text itself and answers the text messages from it.
  Check(p.RegisterClass("RICHCNTL",
                        [&](Hwnd h, const Message& m) -> LResult {
                          switch (m.id) {
                            case kWmSetText:
                              seen.rich_text[h] = std::string(m.text);
                              return 1;
                            case kWmGetText:
                              *m.reply = seen.rich_text[h];
                              return 0;
                            case kWmGetTextLength:
                              return static_cast<LResult>(Utf8ToUtf16(seen.rich_text[h]).size());
                            default:
                              return p.DefWindowProc(h, m);
                          }
                        }),
        "RegisterClass RICHCNTL");
  // A list of our own that answers the list-box messages itself.
  Check(p.RegisterClass("_Check_List",
                        [&](Hwnd h, const Message& m) -> LResult {
                          auto index = static_cast<std::size_t>(m.w);
                          switch (m.id) {
                            case kLbAddString:
                              seen.list_entries.emplace_back(m.text);
                              return static_cast<LResult>(seen.list_entries.size() - 1);
                            case kLbGetTextLen:
                              if (index >= seen.list_entries.size()) return kLbErr;
                              return static_cast<LResult>(Utf8ToUtf16(seen.list_entries[index]).size());
                            case kLbGetText:
                              if (index >= seen.list_entries.size()) return kLbErr;
                              *m.reply = seen.list_entries[index];
                              return 0;
                            default:
                              return p.DefWindowProc(h, m);
                          }
                        }),
        "RegisterClass _Check_List");
  Check(!p.RegisterClass("richcntl", nullptr), "RegisterClass of a taken name fails");

  // ---- Windows -------------------------------------------------------------
  const Rect host_bounds{200, 150, 600, 450};
  WindowSpec host_spec;
  host_spec.cls = "BrixCheckHost";
  host_spec.text = "Brix Check Host";
  host_spec.bounds = host_bounds;
  host_spec.title_bar = true;
  Hwnd host = p.CreateWindow(host_spec);
  Check(host != 0, "CreateWindow top-level");
  Expect("the handler saw WM_CREATE", seen.created, 1);

  auto child = [&](std::string cls, std::string text, Rect bounds, std::uint32_t id, bool tab_stop) {
    WindowSpec spec;
    spec.cls = std::move(cls);
    spec.text = std::move(text);
    spec.parent = host;
    spec.bounds = bounds;
    spec.id = id;
    spec.tab_stop = tab_stop;
    return p.CreateWindow(spec);
  };
  Hwnd rich1 = child("RICHCNTL", "first", {10, 10, 190, 40}, 1001, false);
  Hwnd rich2 = child("RICHCNTL", "second", {10, 50, 190, 80}, 1002, false);
  Hwnd edit = child(std::string(kEditClass), "", {10, 90, 190, 112}, 1003, true);
  Hwnd button = child(std::string(kButtonClass), "&Start", {200, 90, 290, 115}, 1004, true);
  Hwnd list = child(std::string(kListBoxClass), "", {10, 120, 190, 220}, 1005, false);
  Hwnd label = child(std::string(kStaticClass), "Idle: 0 min", {200, 120, 390, 140}, 1006, false);
  Hwnd combo = child(std::string(kComboBoxClass), "", {200, 150, 390, 172}, 1007, false);
  Hwnd own_list = child("_Check_List", "", {200, 180, 390, 220}, 1008, false);
  Check(rich1 && rich2 && edit && button && list && label && combo && own_list, "CreateWindow children");

  // Class names, parents, process of a window.
  struct ClassCase {
    const char* what;
    Hwnd window;
    const char* cls;
  };
  const ClassCase class_cases[] = {
      {"host", host, "BrixCheckHost"}, {"rich text", rich1, "RICHCNTL"}, {"edit", edit, "Edit"},
      {"button", button, "Button"},    {"list", list, "ListBox"},        {"label", label, "Static"},
      {"combo", combo, "ComboBox"},
  };
  for (const ClassCase& c : class_cases) {
    Expect(std::string("GetClassName of ") + c.what, p.GetClassName(c.window), std::string(c.cls));
  }
  Expect("GetParent of a child", p.GetParent(rich1), host);
  Pid pid = 0;
  std::uint32_t thread = p.GetWindowThreadProcessId(host, &pid);
  Check(thread != 0 && pid == p.GetCurrentProcessId(), "GetWindowThreadProcessId gives our process",
        "thread " + Show(thread) + ", pid " + Show(pid));

  // Geometry: a top-level window's bounds are its client area on the screen.
  Expect("GetClientRect of the host is its bounds", p.GetClientRect(host), host_bounds);
  Expect("GetWindowRect of a child is in screen coordinates", p.GetWindowRect(button),
         (Rect{host_bounds.left + 200, host_bounds.top + 90, host_bounds.left + 290, host_bounds.top + 115}));
  Rect outer = p.GetWindowRect(host);
  Check(outer.left < host_bounds.left && outer.top < host_bounds.top, "the frame lies around the client area",
        Show(outer));
  Check(p.SetWindowPos(host, kHwndTopmost, 0, 0, 0, 0, kSwpNoSize | kSwpNoMove), "SetWindowPos topmost");
  Expect("SetWindowPos topmost moves nothing", p.GetWindowRect(host), outer);
  Check(p.SetWindowPos(host, kHwndNoTopmost, 0, 0, 0, 0, kSwpNoSize | kSwpNoMove), "SetWindowPos not topmost");
  Size screen = p.GetScreenSize();
  Check(screen.width > 0 && screen.height > 0, "GetScreenSize", Show(screen.width) + "x" + Show(screen.height));

  // ---- Finding windows -----------------------------------------------------
  struct FindCase {
    const char* what;
    Hwnd found;
    Hwnd expected;
  };
  const FindCase find_cases[] = {
      {"FindWindow class and caption", p.FindWindow("BrixCheckHost", "Brix Check Host"), host},
      {"FindWindow ignores case", p.FindWindow("BRIXCHECKHOST", "brix check HOST"), host},
      {"FindWindow with any caption", p.FindWindow("brixcheckhost"), host},
      {"FindWindow wrong caption", p.FindWindow("BrixCheckHost", "Brix Check"), 0},
      {"FindWindowEx under the desktop", p.FindWindowEx(0, 0, "BrixCheckHost", "BRIX CHECK HOST"), host},
      {"FindWindowEx first RICHCNTL", p.FindWindowEx(host, 0, "RICHCNTL"), rich1},
      {"FindWindowEx next richcntl", p.FindWindowEx(host, rich1, "richcntl"), rich2},
      {"FindWindowEx past the last", p.FindWindowEx(host, rich2, "RICHCNTL"), 0},
      {"FindWindowEx by caption", p.FindWindowEx(host, 0, "RichCntl", "SECOND"), rich2},
      {"FindWindowEx missing class", p.FindWindowEx(host, 0, "_AOL_Icon"), 0},
      {"FindWindowEx built-in class", p.FindWindowEx(host, 0, "button"), button},
      // The window to search after may be of another class.
      {"FindWindowEx after a window of another class", p.FindWindowEx(host, rich2, "Edit"), edit},
      {"FindWindowEx after another class, by caption", p.FindWindowEx(host, rich1, "static", "idle: 0 MIN"), label},
      {"FindWindowEx after another class, none left", p.FindWindowEx(host, edit, "RICHCNTL"), 0},
      {"FindWindowEx after another class, wrong caption", p.FindWindowEx(host, button, "Static", "Idle"), 0},
      {"FindWindowEx after a window that is not a child", p.FindWindowEx(0, rich1, "Edit"), 0},
  };
  for (const FindCase& c : find_cases) Expect(c.what, c.found, c.expected);

  // A new top-level window goes in front of the older one.
  WindowSpec second_spec = host_spec;
  second_spec.text = "Brix Check Second";
  second_spec.bounds = {620, 150, 820, 300};
  Hwnd second = p.CreateWindow(second_spec);
  Expect("FindWindow finds the newer top-level window first", p.FindWindow("BrixCheckHost"), second);
  Expect("FindWindowEx next after it is the older one", p.FindWindowEx(0, second, "BrixCheckHost"), host);
  Check(p.DestroyWindow(second), "DestroyWindow");
  Check(!p.IsWindow(second), "a destroyed window is gone");
  Expect("FindWindow after destroying it", p.FindWindow("BrixCheckHost"), host);

  // ---- Text ------------------------------------------------------------------
  const std::string decorated = ".\xC2\xB7\xC2\xB4`\xC2\xB0\xC2\xB7\xE2\x80\xA2";  // .·´`°·•
  Expect("WM_SETTEXT to RICHCNTL returns the handler's result", p.SendMessageText(rich1, kWmSetText, 0, decorated),
         LResult{1});
  Expect("the handler got the text as UTF-8", seen.rich_text[rich1], decorated);
  Expect("WM_GETTEXTLENGTH is the handler's answer", p.SendMessage(rich1, kWmGetTextLength, 0, 0), LResult{7});
  struct GetTextCase {
    const char* what;
    std::size_t capacity;
    std::string expected;
  };
  const GetTextCase get_text_cases[] = {
      {"WM_GETTEXT with room for all", 8, decorated},
      {"WM_GETTEXT with a big buffer", 200, decorated},
      {"WM_GETTEXT cut to the buffer", 4, ".\xC2\xB7\xC2\xB4"},
      {"WM_GETTEXT into one character", 1, ""},
  };
  for (const GetTextCase& c : get_text_cases) {
    Expect(c.what, p.SendMessageGetText(rich1, kWmGetText, c.capacity, c.capacity), c.expected);
  }

  // Our window's caption goes through the handler to DefWindowProc and back.
  Expect("GetWindowText of our window", p.GetWindowText(host, 100), std::string("Brix Check Host"));
  Expect("GetWindowText cut", p.GetWindowText(host, 5), std::string("Brix"));
  Expect("GetWindowTextLength", p.GetWindowTextLength(host), 15);
  const std::string caption = "Idle \xC2\xB7 \xC3\xBC \xE2\x80\xA2";  // Idle · ü •
  p.SendMessageText(host, kWmSetText, 0, caption);
  Expect("WM_SETTEXT through DefWindowProc sets the caption", p.GetWindowText(host, 100), caption);
  p.SendMessageText(host, kWmSetText, 0, "Brix Check Host");

  // Built-in controls.
  p.SendMessageText(edit, kWmSetText, 0, decorated);
  Expect("Edit keeps the text", p.GetWindowText(edit, 100), decorated);
  Expect("Edit WM_GETTEXT", p.SendMessageGetText(edit, kWmGetText, 100, 100), decorated);
  const std::string entries[] = {"first entry", "\xC5\xA0\xC3\xBC\xE2\x80\xA2 second"};  // Šü•
  for (const std::string& entry : entries) p.SendMessageText(list, kLbAddString, 0, entry);
  Expect("LB_GETCOUNT", p.SendMessage(list, kLbGetCount, 0, 0), LResult{2});
  Expect("LB_GETTEXT of entry 1", p.SendMessageGetText(list, kLbGetText, 1, 64), entries[1]);
  Expect("LB_GETTEXT into a short buffer still gets it all", p.SendMessageGetText(list, kLbGetText, 0, 2),
         entries[0]);
  Expect("LB_GETTEXT of a missing entry", p.SendMessageGetText(list, kLbGetText, 9, 64), std::string());

  for (const std::string& entry : entries) p.SendMessageText(combo, kCbAddString, 0, entry);
  Expect("CB_GETCOUNT", p.SendMessage(combo, kCbGetCount, 0, 0), LResult{2});
  Expect("CB_GETLBTEXT", p.SendMessageGetText(combo, kCbGetLbText, 1, 64), entries[1]);
  Expect("CB_GETLBTEXT into a short buffer still gets it all", p.SendMessageGetText(combo, kCbGetLbText, 0, 1),
         entries[0]);
  Expect("the combo box is as high as its edit part", p.GetWindowRect(combo).height() < 40, true);

  // Our own list: entries reach the handler as UTF-8 and come back whole.
  for (const std::string& entry : entries) p.SendMessageText(own_list, kLbAddString, 0, entry);
  Check(seen.list_entries.size() == 2 && seen.list_entries[1] == entries[1],
        "LB_ADDSTRING gives our handler the text");
  Expect("LB_GETTEXT from our handler", p.SendMessageGetText(own_list, kLbGetText, 1, 64), entries[1]);
  Expect("LB_GETTEXT from our handler, short buffer", p.SendMessageGetText(own_list, kLbGetText, 0, 3),
         entries[0]);
  Expect("LB_GETTEXT of a missing entry of ours", p.SendMessageGetText(own_list, kLbGetText, 5, 64),
         std::string());
  Expect("LB_GETTEXT result for a missing entry", p.SendMessage(own_list, kLbGetText, 5, 0), kLbErr);

  // Handle 0.
  Expect("SendMessage to 0", p.SendMessage(0, kWmGetTextLength, 0, 0), LResult{0});
  Expect("SendMessageText to 0", p.SendMessageText(0, kWmSetText, 0, "x"), LResult{0});
  Expect("SendMessageGetText to 0", p.SendMessageGetText(0, kWmGetText, 10, 10), std::string());
  Check(!p.PostMessage(0, kCheckPosted, 0, 0), "PostMessage to 0 returns false");
  Expect("GetWindowText of 0", p.GetWindowText(0, 10), std::string());
  Check(!p.IsWindow(0) && !p.IsWindowVisible(0), "handle 0 is no window");

  // ---- Sent and posted -----------------------------------------------------
  p.Yield();
  seen.user_messages = 0;
  p.SendMessage(host, kCheckPosted, 0, 0);
  Expect("a sent message is handled at once", seen.user_messages, 1);
  Check(p.PostMessage(host, kCheckPosted, 0, 0), "PostMessage to our window");
  Expect("a posted message waits for the next Yield", seen.user_messages, 1);
  p.Yield();
  Expect("Yield handles the posted message", seen.user_messages, 2);

  // ---- Visibility ----------------------------------------------------------
  Check(p.IsWindowVisible(label), "a child is visible");
  p.ShowWindow(label, kSwHide);
  Check(!p.IsWindowVisible(label), "ShowWindow hide");
  p.ShowWindow(label, kSwShow);
  Check(p.IsWindowVisible(label), "ShowWindow show");

  // ---- Focus and Tab -------------------------------------------------------
  p.SetFocus(edit);
  Expect("SetFocus/GetFocus", p.GetFocus(), edit);
  // A real key press arrives posted; Tab moves to the next tab stop.
  p.PostMessage(edit, kWmKeyDown, kVkTab, 0);
  p.PostMessage(edit, kWmKeyUp, kVkTab, 0);
  p.Yield();
  Expect("Tab moves the focus to the next tab stop", p.GetFocus(), button);

  // ---- Menus -----------------------------------------------------------------
  MenuHandle bar = p.CreateMenu();
  MenuHandle file = p.CreatePopupMenu();
  Check(bar != 0 && file != 0, "CreateMenu, CreatePopupMenu");
  Check(p.AppendMenu(file, kMfString, 101, "&Open"), "AppendMenu item");
  Check(p.AppendMenu(file, kMfSeparator, 0, ""), "AppendMenu separator");
  Check(p.AppendMenu(file, kMfString, 102, "E&xit"), "AppendMenu item 2");
  Check(p.AppendMenu(bar, kMfPopup, file, "&File"), "AppendMenu popup");
  Check(p.AppendMenu(bar, kMfString, 201, "&Help"), "AppendMenu bar item");
  Check(p.SetMenu(host, bar), "SetMenu");
  Expect("the menu bar leaves the client area's size", p.GetClientRect(host).height(), host_bounds.height());
  Expect("GetMenu", p.GetMenu(host), bar);
  Expect("GetMenuItemCount of the bar", p.GetMenuItemCount(bar), 2);
  Expect("GetMenuItemCount of the popup", p.GetMenuItemCount(file), 3);
  Expect("GetMenuItemCount of 0", p.GetMenuItemCount(0), -1);
  Expect("GetSubMenu", p.GetSubMenu(bar, 0), file);
  Expect("GetMenuItemID of a popup", p.GetMenuItemID(bar, 0), 0xFFFFFFFFu);
  Expect("GetMenuItemID", p.GetMenuItemID(file, 2), 102u);
  Expect("GetMenuString by position", p.GetMenuString(file, 2, 64, kMfByPosition),
         std::optional<std::string>("E&xit"));
  Expect("GetMenuString by command", p.GetMenuString(bar, 201, 64, kMfByCommand),
         std::optional<std::string>("&Help"));
  Expect("GetMenuString cut", p.GetMenuString(file, 0, 3, kMfByPosition), std::optional<std::string>("&O"));
  Expect("GetMenuString of a missing item", p.GetMenuString(file, 999, 64, kMfByCommand),
         std::optional<std::string>());

  // ---- Look ------------------------------------------------------------------
  // Colours and the picture cannot be read back through the layer (--hold
  // leaves them on screen for a look); the icon can, with WM_GETICON. Missing
  // resources are ignored.
  constexpr Msg kWmGetIcon = 0x007F;
  p.SetBackgroundColor(host, Color{0, 0, 128});
  p.SetControlColors(label, Color{255, 255, 0}, Color{0, 0, 128});
  p.SetBackgroundPicture(host, "NO_SUCH_BITMAP");
  p.SetWindowIcon(host, "NO_SUCH_ICON");
  Expect("a missing icon sets none", p.SendMessage(host, kWmGetIcon, 1, 0), LResult{0});
  p.SetBackgroundPicture(host, "CHECK_PICTURE");
  p.SetWindowIcon(host, "CHECK_ICON");
  Check(p.SendMessage(host, kWmGetIcon, 1, 0) != 0, "SetWindowIcon sets the big icon");
  Check(p.SendMessage(host, kWmGetIcon, 0, 0) != 0, "SetWindowIcon sets the small icon");
  p.SetBackgroundPicture(host, "NO_SUCH_BITMAP");
  Expect("WM_CTLCOLORSTATIC for a coloured label gives a brush",
         p.SendMessage(host, kWmCtlColorStatic, 0, static_cast<LParam>(static_cast<std::int32_t>(label))) != 0, true);
  p.Yield();
  Check(p.IsWindow(host), "the window lives on after the look calls");

  // ---- Cursor ----------------------------------------------------------------
  Check(p.SetCursorPos(300, 200), "SetCursorPos");
  Point cursor = p.GetCursorPos();
  Check(cursor == Point{300, 200}, "GetCursorPos", Show(cursor.x) + "," + Show(cursor.y));

  // ---- Memory ------------------------------------------------------------------
  std::uint32_t block = p.AllocateSharedMemory(64);
  std::uint32_t block2 = p.AllocateSharedMemory(100000);
  Check(block != 0 && block2 != 0 && block2 != block, "AllocateSharedMemory below 4 GB",
        Show(block) + ", " + Show(block2));
  const char record[16] = "Brix record \x01\x02";
  Check(p.WriteOwnMemory(block, record, sizeof(record)), "WriteOwnMemory into the block");
  Check(!p.WriteOwnMemory(block + 56, record, sizeof(record)), "WriteOwnMemory past the block's end fails");
  Check(!p.WriteOwnMemory(0x1000, record, 4), "WriteOwnMemory outside any block fails");
  {
    ProcessHandle process = p.OpenProcess(kProcessVmRead, false, p.GetCurrentProcessId());
    Check(static_cast<bool>(process), "OpenProcess of ourselves");
    char back[16] = {};
    std::size_t got = 0;
    Check(p.ReadProcessMemory(process.get(), block, back, sizeof(back), &got) && got == sizeof(back) &&
              std::memcmp(back, record, sizeof(back)) == 0,
          "ReadProcessMemory reads the record back");
    char untouched[4] = {'k', 'e', 'e', 'p'};
    Check(!p.ReadProcessMemory(process.get(), 0x10, untouched, sizeof(untouched), &got) && got == 0 &&
              std::memcmp(untouched, "keep", 4) == 0,
          "ReadProcessMemory of an unmapped address fails and copies nothing");
  }
  Check(!p.OpenProcess(kProcessVmRead, false, 0), "OpenProcess of pid 0 fails");

  // ---- Timers and waiting ------------------------------------------------------
  Check(p.SetTimer(host, 7, 50), "SetTimer");
  Check(!p.SetTimer(0, 7, 50), "SetTimer on 0 fails");
  double start = p.Now();
  p.WaitUntil(start + 0.5);
  double waited = p.Now() - start;
  Check(waited >= 0.5 && waited < 1.5, "WaitUntil lasts until its deadline", Show(waited) + " s");
  Check(seen.ticks[7] >= 3 && seen.ticks[7] <= 12, "the timer fires during WaitUntil",
        Show(seen.ticks[7]) + " ticks in 0.5 s at 50 ms");
  Check(p.KillTimer(host, 7), "KillTimer");
  int ticks_before = seen.ticks[7];
  p.WaitUntil(p.Now() + 0.2);
  Expect("no tick after KillTimer", seen.ticks[7], ticks_before);
  start = p.Now();
  p.WaitUntil(start - 1);
  Check(p.Now() - start < 0.1, "WaitUntil of a past deadline returns at once");

  // ---- Message boxes -------------------------------------------------------------
  struct BoxCase {
    const char* what;
    Hwnd owner;
    bool by_space;  // else a click
  };
  const BoxCase box_cases[] = {
      {"owned box, space", host, true},
      {"unowned box, click", 0, false},
  };
  for (const BoxCase& c : box_cases) {
    const std::string text = "Your Instant Message was sent \xE2\x80\xA2";
    const std::string title = "America Online";
    std::string what = c.what;
    double asked = p.Now();
    Hwnd box = p.ShowMessageBox(c.owner, text, title);
    Check(box != 0, what + ": ShowMessageBox gives a window", Show(p.Now() - asked) + " s");
    if (box == 0) continue;
    Expect(what + ": its class", p.GetClassName(box), std::string(kDialogClass));
    Expect(what + ": its caption", p.GetWindowText(box, 100), title);
    Check(p.IsWindowVisible(box), what + ": visible");
    Expect(what + ": found by class and caption", p.FindWindow("#32770", title), box);
    // Children in order: Static (icon), Button "OK", Static (text).
    Hwnd icon = p.FindWindowEx(box, 0, "Static");
    Hwnd ok = p.FindWindowEx(box, 0, "Button");
    Hwnd message = p.FindWindowEx(box, icon, "Static");
    Check(icon != 0 && ok != 0 && message != 0, what + ": has Static, Button, Static");
    Expect(what + ": the one Button comes after the first Static", p.FindWindowEx(box, icon, "Button"), ok);
    Expect(what + ": the second Static comes after the Button", p.FindWindowEx(box, ok, "Static"), message);
    Expect(what + ": no other Button", p.FindWindowEx(box, ok, "Button"), Hwnd{0});
    Expect(what + ": no third Static", p.FindWindowEx(box, message, "Static"), Hwnd{0});
    Expect(what + ": the button says OK", p.GetWindowText(ok, 10), std::string("OK"));
    Expect(what + ": the second Static holds the text", p.GetWindowText(message, 100), text);
    if (c.by_space) {
      p.SendMessage(ok, kWmKeyDown, kVkSpace, 0);
      p.SendMessage(ok, kWmKeyUp, kVkSpace, 0);
    } else {
      p.SendMessage(ok, kWmLButtonDown, 0, 0);
      p.SendMessage(ok, kWmLButtonUp, 0, 0);
    }
    // Under Wine on a bare X server (no window manager) hiding the box alone
    // takes 2 s: Wine waits that long for a window manager to answer.
    double deadline = p.Now() + 5;
    while (p.IsWindow(box) && p.Now() < deadline) p.WaitUntil(p.Now() + 0.05);
    Check(!p.IsWindow(box), what + ": pressing OK closes it");
  }
  p.Yield();
  Check(p.IsWindow(host), "the owner outlives its message box");

  if (hold_seconds > 0) p.WaitUntil(p.Now() + hold_seconds);

  // ---- Ending ------------------------------------------------------------------------
  // A WM_QUIT that turns up inside a wait ends the wait and still reaches the
  // outermost loop.
  Check(!p.Closing(), "not closing yet");
  Check(p.PostMessage(host, kWmQuit, 5, 0), "post WM_QUIT");
  start = p.Now();
  p.WaitUntil(start + 3);
  Check(p.Now() - start < 1, "WaitUntil ends when the program is closing", Show(p.Now() - start) + " s");
  Check(p.Closing(), "Closing after WM_QUIT");
  Expect("RunMessageLoop returns the exit code", p.RunMessageLoop(), 5);

  std::printf("%d passed, %d failed\n", g_passed, g_failed);
  return g_failed == 0 ? 0 : 1;
}
