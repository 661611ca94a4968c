// The window scenarios. Every expected value is what Windows answers; the
// same code runs over the simulated desktop and over the real Windows calls.
#include "tests/conformance/window_scenarios.h"

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "platform/codec.h"
#include "platform/messages.h"

namespace conformance {
namespace {

using namespace platform;

constexpr std::string_view kProbeClass = "BrixConfProbe";
constexpr std::string_view kTextClass = "BrixConfText";

// Our own messages, clear of the dialog manager's DM_ messages at WM_USER
// (IsDialogMessage may send those to our top-level windows).
constexpr Msg kOwn = kWmUser + 0x100;
// A probe that gets this one posts itself kOwn + 5 and sends itself kOwn + 6.
constexpr Msg kPostAndSend = kOwn + 4;

// The chat lines' decoration, all in the code page; and the code page's
// 0x80-0x9F row.
const std::string kDecorated = ".·´`°·•";
const std::string kHighRow = "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ";
// Characters the code page lacks, with some it has in between.
const std::string kOutsideCodePage = "Łódź Ω → 中";

std::string Quote(std::string_view text) {
  // Appended piece by piece: "\"" + s + "\"" trips a false -Wrestrict in GCC 12.
  std::string out;
  out.reserve(text.size() + 2);
  out.push_back('"');
  out.append(text);
  out.push_back('"');
  return out;
}

std::string Hex(std::string_view bytes) {
  std::string out;
  for (unsigned char b : bytes) {
    char two[4];
    std::snprintf(two, sizeof two, "%02X", b);
    if (!out.empty()) out += ' ';
    out += two;
  }
  return out;
}

// Joins answers in the order they were asked: a braced list is evaluated left
// to right, unlike the operands of +.
std::string Join(std::initializer_list<std::string> parts, std::string_view separator = " ") {
  std::string out;
  bool first = true;
  for (const std::string& part : parts) {
    if (!first) out += separator;
    out += part;
    first = false;
  }
  return out;
}

std::string Number(LResult value) { return std::to_string(value); }

// List and combo answers, with their error value by name.
std::string ListAnswer(LResult value) { return value == kLbErr ? "ERR" : std::to_string(value); }

std::string Shown(bool visible) { return visible ? "visible" : "hidden"; }
std::string WasVisible(bool was) { return was ? "was visible" : "was hidden"; }
std::string Alive(bool alive) { return alive ? "exists" : "gone"; }
std::string YesNo(bool yes) { return yes ? "yes" : "no"; }

std::size_t CharacterCount(std::string_view utf8) { return Utf8ToCodePoints(utf8).size(); }

class WindowScenarios;
// The registered handlers reach the scenarios that are running through this;
// a class stays registered with a platform after a run ends.
WindowScenarios* g_running = nullptr;

class WindowScenarios {
 public:
  WindowScenarios(Platform& platform, const WindowScenarioOptions& options)
      : p_(platform), options_(options) {}

  std::vector<ConformanceResult> Run() {
    g_running = this;
    // Refused when an earlier run on this platform registered them already;
    // their handlers find this run through g_running all the same.
    p_.RegisterClass(kProbeClass, [](Hwnd h, const Message& m) -> LResult {
      return g_running != nullptr ? g_running->Probe(h, m) : 0;
    });
    p_.RegisterClass(kTextClass, [](Hwnd h, const Message& m) -> LResult {
      return g_running != nullptr ? g_running->Text(h, m) : 0;
    });

    DesktopLookups();
    SiblingChains();
    ZOrder();
    CaseInsensitiveMatching();
    ChildAfterAnotherClass();
    SentAndPosted();
    TextLengthsAndCutBuffers();
    CaptionsKeptByWindows();
    AnsiWindows();
    ListBoxes();
    ComboBoxes();
    ButtonClicks();
    Visibility();
    Timers();
    Closing();
    ClassNames();
    MessageBoxes();
    HandleZero();

    g_running = nullptr;
    return std::move(results_);
  }

  LResult Probe(Hwnd h, const Message& m) {
    switch (m.id) {
      case kWmCreate:
        if (refuse_create_) return -1;
        break;
      case kWmDestroy:
        events_.push_back("destroy " + Role(h));
        break;
      case kWmClose:
        if (refuse_close_.count(h) != 0) {
          events_.push_back("close refused by " + Role(h));
          return 0;
        }
        break;
      case kWmSetText:
        received_[h] = std::string(m.text);
        break;
      case kWmCommand:
        events_.push_back("command " + std::to_string(LowWord(m.w)) + " code " +
                          std::to_string(HighWord(m.w)) + " from " + Role(static_cast<Hwnd>(m.l)));
        return 0;
      case kWmTimer:
        ticks_[h][static_cast<std::uint32_t>(m.w)]++;
        return 0;
      default:
        if (m.id >= kOwn && m.id < kOwn + 0x100) {
          const Msg n = m.id - kOwn;
          events_.push_back(Role(h) + " " + std::to_string(n));
          if (m.id == kPostAndSend) {
            p_.PostMessage(h, kOwn + 5, 0, 0);
            p_.SendMessage(h, kOwn + 6, 0, 0);
          }
          return 100 + n;
        }
        break;
    }
    return p_.DefWindowProc(h, m);
  }

  // A window that keeps its text itself, as the client's rich-text boxes do.
  LResult Text(Hwnd h, const Message& m) {
    switch (m.id) {
      case kWmSetText:
        own_text_[h] = std::string(m.text);
        return 1;
      case kWmGetText:
        if (m.reply != nullptr) *m.reply = own_text_[h];
        return static_cast<LResult>(CharacterCount(own_text_[h]));
      case kWmGetTextLength:
        return static_cast<LResult>(CharacterCount(own_text_[h]));
      default:
        return p_.DefWindowProc(h, m);
    }
  }

 private:
  // ---- Bookkeeping --------------------------------------------------------

  void Begin(std::string scenario) {
    scenario_ = std::move(scenario);
    events_.clear();
  }

  // Destroys what the scenario made and forgets its roles.
  void End() {
    for (auto it = tops_.rbegin(); it != tops_.rend(); ++it) {
      if (p_.IsWindow(*it)) p_.DestroyWindow(*it);
    }
    p_.Yield();
    tops_.clear();
    roles_.clear();
    events_.clear();
    refuse_close_.clear();
  }

  void Check(const std::string& what, std::string got, std::string expected) {
    results_.push_back({scenario_ + ": " + what, std::move(got), std::move(expected)});
  }

  void Name(Hwnd window, std::string role) {
    if (window != 0) roles_[window] = std::move(role);
  }

  std::string Role(Hwnd window) const {
    if (window == 0) return "0";
    auto found = roles_.find(window);
    return found == roles_.end() ? "an unnamed window" : found->second;
  }

  std::string Roles(const std::vector<Hwnd>& windows) const {
    std::string out;
    for (Hwnd w : windows) out += (out.empty() ? "" : ", ") + Role(w);
    return out;
  }

  std::string Events() {
    std::string out;
    for (const std::string& e : events_) out += (out.empty() ? "" : ", ") + e;
    events_.clear();
    return out.empty() ? "nothing" : out;
  }

  Hwnd Top(std::string role, std::string caption, bool visible = true,
           std::string_view cls = kProbeClass) {
    WindowSpec spec;
    spec.cls = std::string(cls);
    spec.text = std::move(caption);
    spec.bounds = {40 + 12 * static_cast<int>(tops_.size()), 40, 340, 240};
    spec.title_bar = true;
    spec.visible = visible;
    const Hwnd window = p_.CreateWindow(spec);
    if (window != 0) tops_.push_back(window);
    Name(window, std::move(role));
    return window;
  }

  Hwnd Child(std::string role, Hwnd parent, std::string_view cls, std::string caption,
             std::uint32_t id = 0, bool visible = true) {
    WindowSpec spec;
    spec.cls = std::string(cls);
    spec.text = std::move(caption);
    spec.parent = parent;
    const int y = 4 + 26 * static_cast<int>(roles_.size() % 7);
    spec.bounds = {4, y, 184, y + 22};
    spec.id = id;
    spec.visible = visible;
    const Hwnd window = p_.CreateWindow(spec);
    Name(window, std::move(role));
    return window;
  }

  // FindWindowEx from the start, `steps` times, each after the last answer.
  std::vector<Hwnd> Chain(Hwnd parent, std::string_view cls, int steps) {
    std::vector<Hwnd> out;
    Hwnd at = 0;
    for (int k = 0; k < steps; ++k) out.push_back(at = p_.FindWindowEx(parent, at, cls));
    return out;
  }

  // The windows of a class under `parent`, front to back.
  std::vector<Hwnd> Order(Hwnd parent, std::string_view cls) {
    std::vector<Hwnd> out;
    for (Hwnd at = p_.FindWindowEx(parent, 0, cls); at != 0 && out.size() < 32;
         at = p_.FindWindowEx(parent, at, cls)) {
      out.push_back(at);
    }
    return out;
  }

  void BringToTop(Hwnd window, Hwnd insert_after) {
    p_.SetWindowPos(window, insert_after, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
  }

  // ---- Scenarios --------------------------------------------------------------

  // A lookup under parent 0 searches the windows directly under the desktop.
  void DesktopLookups() {
    Begin("desktop lookup");
    const Hwnd top = Top("the top window", "Conf Lookup Top");
    const Hwnd inner = Child("the inner window", top, kProbeClass, "Conf Lookup Inner");
    Check("FindWindowEx(0) finds a top-level window",
          Role(p_.FindWindowEx(0, 0, kProbeClass, std::string_view("Conf Lookup Top"))),
          "the top window");
    Check("FindWindowEx(0) does not look into children",
          Role(p_.FindWindowEx(0, 0, kProbeClass, std::string_view("Conf Lookup Inner"))), "0");
    Check("FindWindow does not look into children",
          Role(p_.FindWindow(kProbeClass, std::string_view("Conf Lookup Inner"))), "0");
    Check("FindWindowEx(0) with any caption is FindWindow",
          Role(p_.FindWindowEx(0, 0, kProbeClass)) + " / " + Role(p_.FindWindow(kProbeClass)),
          "the top window / the top window");
    Check("FindWindowEx under the top window finds the child",
          Role(p_.FindWindowEx(top, 0, kProbeClass, std::string_view("Conf Lookup Inner"))),
          "the inner window");
    Check("FindWindowEx(0) after a window that is not directly under the desktop",
          Role(p_.FindWindowEx(0, inner, kProbeClass)), "0");
    Check("FindWindowEx under a child with none of its own",
          Role(p_.FindWindowEx(inner, 0, kProbeClass)), "0");
    End();
  }

  // A chain of next-sibling lookups runs past the last to 0 once, then
  // starts again at the first.
  void SiblingChains() {
    Begin("sibling chain");
    const Hwnd parent = Top("parent", "Conf Chain");
    Child("a", parent, kProbeClass, "a");
    Child("a label", parent, kStaticClass, "between");
    Child("b", parent, kProbeClass, "b");
    Child("c", parent, kProbeClass, "c");
    Check("children, past the end and round again", Roles(Chain(parent, kProbeClass, 8)),
          "a, b, c, 0, a, b, c, 0");
    Check("the label's class alone", Roles(Chain(parent, kStaticClass, 3)), "a label, 0, a label");
    End();
    Top("older", "Conf Chain Older");
    Top("newer", "Conf Chain Newer");
    Check("top-level windows, past the end and round again", Roles(Chain(0, kProbeClass, 5)),
          "newer, older, 0, newer, older");
    End();
  }

  // Children in creation order, a new top-level window in front, bringing to
  // the top moves to the front of the siblings.
  void ZOrder() {
    Begin("z-order");
    const Hwnd parent = Top("parent", "Conf Z");
    const Hwnd a = Child("a", parent, kProbeClass, "a");
    const Hwnd b = Child("b", parent, kProbeClass, "b");
    const Hwnd c = Child("c", parent, kProbeClass, "c");
    Check("children in creation order", Roles(Order(parent, kProbeClass)), "a, b, c");
    BringToTop(c, kHwndTop);
    Check("HWND_TOP moves a child to the front", Roles(Order(parent, kProbeClass)), "c, a, b");
    BringToTop(c, kHwndBottom);
    Check("HWND_BOTTOM moves a child to the back", Roles(Order(parent, kProbeClass)), "a, b, c");
    BringToTop(a, b);
    Check("after a sibling puts it just behind that sibling", Roles(Order(parent, kProbeClass)),
          "b, a, c");
    Child("d", parent, kProbeClass, "d");
    Check("a new child goes to the back", Roles(Order(parent, kProbeClass)), "b, a, c, d");
    p_.DestroyWindow(a);
    Check("a destroyed child leaves the order", Roles(Order(parent, kProbeClass)), "b, c, d");
    End();

    const Hwnd first = Top("first", "Conf Z 1");
    const Hwnd second = Top("second", "Conf Z 2");
    Top("third", "Conf Z 3");
    Check("a new top-level window goes in front", Roles(Order(0, kProbeClass)),
          "third, second, first");
    BringToTop(first, kHwndTop);
    Check("HWND_TOP brings a top-level window to the front", Roles(Order(0, kProbeClass)),
          "first, third, second");
    BringToTop(second, kHwndTopmost);
    Check("HWND_TOPMOST brings it to the front", Roles(Order(0, kProbeClass)),
          "second, first, third");
    Top("fourth", "Conf Z 4");
    Check("a new window goes behind the topmost ones", Roles(Order(0, kProbeClass)),
          "second, fourth, first, third");
    BringToTop(first, kHwndTop);
    Check("HWND_TOP stays behind the topmost ones", Roles(Order(0, kProbeClass)),
          "second, first, fourth, third");
    BringToTop(first, kHwndTopmost);
    Check("a second topmost window goes in front of the first", Roles(Order(0, kProbeClass)),
          "first, second, fourth, third");
    BringToTop(first, kHwndNoTopmost);
    Check("HWND_NOTOPMOST puts it behind the topmost ones", Roles(Order(0, kProbeClass)),
          "second, first, fourth, third");
    BringToTop(second, kHwndNoTopmost);
    Check("the last topmost window leaves the band in front", Roles(Order(0, kProbeClass)),
          "second, first, fourth, third");
    Top("fifth", "Conf Z 5");
    Check("with no topmost window left a new one goes in front", Roles(Order(0, kProbeClass)),
          "fifth, second, first, fourth, third");
    End();
  }

  // Class names and captions match ignoring case, Windows-1252 letters too.
  void CaseInsensitiveMatching() {
    Begin("case");
    const Hwnd top = Top("the top window", "Conf Case Top");
    Child("the É window", top, kProbeClass, "Élan Été");
    Child("the Š window", top, kProbeClass, "Šárka Škoda");
    Child("the Œ window", top, kProbeClass, "ŒUVRE Žena Ÿves");
    Child("the plain window", top, kProbeClass, "Elan Ete");
    struct Case {
      const char* what;
      Hwnd parent;
      std::string_view cls;
      std::string_view caption;
      const char* expected;
    };
    const Case cases[] = {
        {"class in upper case", 0, "BRIXCONFPROBE", "Conf Case Top", "the top window"},
        {"class in lower case", 0, "brixconfprobe", "conf case top", "the top window"},
        {"caption in upper case", 0, kProbeClass, "CONF CASE TOP", "the top window"},
        {"part of a caption", 0, kProbeClass, "Conf Case", "0"},
        {"É in lower case", top, kProbeClass, "élan été", "the É window"},
        {"é in upper case", top, kProbeClass, "ÉLAN ÉTÉ", "the É window"},
        {"no accent matches only the plain window", top, kProbeClass, "ELAN ETE",
         "the plain window"},
        {"Š in lower case", top, kProbeClass, "šárka škoda", "the Š window"},
        {"š in upper case", top, kProbeClass, "ŠÁRKA ŠKODA", "the Š window"},
        {"Œ, Ž, Ÿ in lower case", top, kProbeClass, "œuvre žena ÿves", "the Œ window"},
        {"œ, ž, ÿ in upper case", top, kProbeClass, "ŒUVRE ŽENA ŸVES", "the Œ window"},
        {"a different letter", top, kProbeClass, "Šárka Škodb", "0"},
    };
    for (const Case& c : cases) {
      Check(c.what, Role(p_.FindWindowEx(c.parent, 0, c.cls, c.caption)), c.expected);
    }
    Check("FindWindow, both in another case",
          Role(p_.FindWindow("bRiXcOnFpRoBe", std::string_view("cOnF cAsE tOp"))),
          "the top window");
    End();
  }

  // The window to search after may be of any class.
  void ChildAfterAnotherClass() {
    Begin("child after another class");
    const Hwnd top = Top("the top window", "Conf After");
    const Hwnd first = Child("first text", top, kTextClass, "first");
    const Hwnd second = Child("second text", top, kTextClass, "second");
    const Hwnd edit = Child("the edit box", top, kEditClass, "");
    const Hwnd button = Child("the button", top, kButtonClass, "&Go");
    Child("the idle label", top, kStaticClass, "Idle: 0 min");
    Child("the other label", top, kStaticClass, "Other");
    struct Case {
      const char* what;
      Hwnd parent;
      Hwnd after;
      std::string_view cls;
      std::optional<std::string_view> caption;
      const char* expected;
    };
    const Case cases[] = {
        {"Edit after a text window", top, second, kEditClass, std::nullopt, "the edit box"},
        {"Static after a text window, by caption", top, first, "static", "idle: 0 MIN",
         "the idle label"},
        {"Static after the button, second caption", top, button, kStaticClass, "Other",
         "the other label"},
        {"Static after the button, first label", top, button, kStaticClass, std::nullopt,
         "the idle label"},
        {"text window after the edit box: none left", top, edit, kTextClass, std::nullopt, "0"},
        {"Static after the button, part of a caption", top, button, kStaticClass, "Idle", "0"},
        {"Button after the edit box", top, edit, kButtonClass, std::nullopt, "the button"},
        {"after a window that is not a child", 0, first, kEditClass, std::nullopt, "0"},
        {"after a child of another window", top, top, kEditClass, std::nullopt, "0"},
    };
    for (const Case& c : cases) {
      Check(c.what, Role(p_.FindWindowEx(c.parent, c.after, c.cls, c.caption)), c.expected);
    }
    End();
  }

  // A sent message runs before the call returns; posted ones wait for the
  // next Yield and then arrive in the order they were posted.
  void SentAndPosted() {
    Begin("sent and posted");
    const Hwnd a = Top("A", "Conf Queue");
    const Hwnd b = Child("B", a, kProbeClass, "B");
    const Hwnd c = Child("C", a, kProbeClass, "C");
    p_.Yield();
    events_.clear();
    Check("SendMessage returns the handler's answer", Number(p_.SendMessage(a, kOwn + 1, 0, 0)),
          "101");
    Check("PostMessage to a window", YesNo(p_.PostMessage(a, kOwn + 2, 0, 0)), "yes");
    p_.PostMessage(a, kOwn + 3, 0, 0);
    Check("before Yield only the sent one arrived", Events(), "A 1");
    p_.Yield();
    Check("Yield delivers the posted ones in order", Events(), "A 2, A 3");
    p_.Yield();
    Check("a second Yield has nothing left", Events(), "nothing");

    p_.PostMessage(a, kOwn + 7, 0, 0);
    p_.SendMessage(b, kOwn + 8, 0, 0);
    p_.PostMessage(b, kOwn + 9, 0, 0);
    p_.PostMessage(a, kOwn + 10, 0, 0);
    Check("a send among posts runs at once", Events(), "B 8");
    p_.Yield();
    Check("posts to two windows keep one order", Events(), "A 7, B 9, A 10");

    p_.PostMessage(a, kPostAndSend, 0, 0);
    p_.Yield();
    Check("what a handler sends runs inside it, what it posts in the same Yield", Events(),
          "A 4, A 6, A 5");

    p_.PostMessage(c, kOwn + 11, 0, 0);
    p_.DestroyWindow(c);
    p_.Yield();
    Check("a message posted to a window destroyed before the Yield is dropped", Events(),
          "destroy C");
    Check("PostMessage to a destroyed window", YesNo(p_.PostMessage(c, kOwn + 12, 0, 0)), "no");
    Check("SendMessage to a destroyed window", Number(p_.SendMessage(c, kOwn + 12, 0, 0)), "0");
    End();
  }

  // WM_GETTEXTLENGTH counts characters; a buffer of n characters gets n - 1
  // of them and the terminating zero.
  void TextLengthsAndCutBuffers() {
    Begin("text lengths");
    const Hwnd top = Top("the top window", "Conf Text");
    struct Kind {
      const char* role;
      std::string_view cls;
    };
    const Kind kinds[] = {
        {"probe", kProbeClass},   {"text window", kTextClass}, {"Edit", kEditClass},
        {"Static", kStaticClass}, {"Button", kButtonClass},
    };
    struct Cut {
      std::size_t capacity;
      const char* expected;
    };
    const Cut cuts[] = {
        {100, ".·´`°·•"}, {8, ".·´`°·•"}, {7, ".·´`°·"}, {4, ".·´"}, {2, "."}, {1, ""}, {0, ""},
    };
    for (const Kind& kind : kinds) {
      const Hwnd window = Child(kind.role, top, kind.cls, "");
      const std::string of = std::string(" of ") + kind.role;
      p_.SendMessageText(window, kWmSetText, 0, kDecorated);
      Check("WM_GETTEXTLENGTH" + of, Number(p_.SendMessage(window, kWmGetTextLength, 0, 0)), "7");
      Check("GetWindowTextLength" + of, Number(p_.GetWindowTextLength(window)), "7");
      for (const Cut& cut : cuts) {
        Check("WM_GETTEXT into " + std::to_string(cut.capacity) + of,
              Quote(p_.SendMessageGetText(window, kWmGetText, cut.capacity, cut.capacity)),
              Quote(cut.expected));
      }
      Check("GetWindowText into 5" + of, Quote(p_.GetWindowText(window, 5)), Quote(".·´`"));
      Check("GetWindowText into 1" + of, Quote(p_.GetWindowText(window, 1)), Quote(""));
      p_.SendMessageText(window, kWmSetText, 0, "");
      Check("an emptied text" + of,
            Number(p_.GetWindowTextLength(window)) + " " + Quote(p_.GetWindowText(window, 10)),
            "0 \"\"");
    }
    End();
  }

  // GetWindowText of another window is cut to the caller's capacity; in our
  // own program it asks the window's handler, while FindWindow matches the
  // caption Windows keeps for the window.
  void CaptionsKeptByWindows() {
    Begin("captions");
    const std::string caption = "Conf Caption Of Some Length";  // 27 characters
    const Hwnd top = Top("the top window", caption);
    struct Cut {
      int capacity;
      std::string expected;
    };
    const Cut cuts[] = {{100, caption},  {28, caption}, {27, caption.substr(0, 26)},
                        {9, "Conf Cap"}, {1, ""},       {0, ""}};
    for (const Cut& cut : cuts) {
      Check("GetWindowText into " + std::to_string(cut.capacity),
            Quote(p_.GetWindowText(top, cut.capacity)), Quote(cut.expected));
    }
    Check("GetWindowTextLength", Number(p_.GetWindowTextLength(top)), "27");

    const Hwnd own = Child("the text window", top, kTextClass, "kept caption");
    Check("a text window's handler answers GetWindowText", Quote(p_.GetWindowText(own, 100)),
          Quote(""));
    Check("FindWindowEx matches the caption Windows keeps",
          Role(p_.FindWindowEx(top, 0, kTextClass, std::string_view("kept caption"))),
          "the text window");
    p_.SendMessageText(own, kWmSetText, 0, "what the handler keeps");
    Check("GetWindowText gives what the handler keeps", Quote(p_.GetWindowText(own, 100)),
          Quote("what the handler keeps"));
    Check("GetWindowText of the handler's text, cut", Quote(p_.GetWindowText(own, 9)),
          Quote("what the"));
    Check("GetWindowTextLength asks the handler", Number(p_.GetWindowTextLength(own)), "22");
    Check("FindWindowEx still matches the kept caption",
          Role(p_.FindWindowEx(top, 0, kTextClass, std::string_view("kept caption"))),
          "the text window");
    Check("FindWindowEx does not match the handler's text",
          Role(p_.FindWindowEx(top, 0, kTextClass, std::string_view("what the handler keeps"))),
          "0");

    const Hwnd gone = Child("a destroyed window", top, kStaticClass, "gone soon");
    p_.DestroyWindow(gone);
    Check("GetWindowText of a destroyed window",
          Quote(p_.GetWindowText(gone, 100)) + " " + Number(p_.GetWindowTextLength(gone)),
          "\"\" 0");
    End();
  }

  // What an ANSI window gets and holds: Windows-1252 bytes, exactly.
  void AnsiWindows() {
    Begin("ANSI window");
    const Hwnd top = Top("the top window", "Conf Ansi");
    const Hwnd window = options_.make_ansi_window ? options_.make_ansi_window(p_, top, "")
                                                  : Child("the ANSI window", top, kProbeClass, "");
    Name(window, "the ANSI window");
    Check("it exists", YesNo(window != 0), "yes");
    auto got = [&] {
      return options_.ansi_bytes_received ? options_.ansi_bytes_received(window)
                                          : Utf8ToCp1252(received_[window]);
    };
    struct Case {
      const char* what;
      const std::string& text;
      const char* bytes;
      const char* back;
    };
    const Case cases[] = {
        {"the decorated text", kDecorated, "2E B7 B4 60 B0 B7 95", ".·´`°·•"},
        {"the 0x80-0x9F row", kHighRow,
         "80 82 83 84 85 86 87 88 89 8A 8B 8C 8E 91 92 93 94 95 96 97 98 99 9A 9B 9C 9E 9F",
         "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"},
        // Windows gives a look-alike where it has one, else "?".
        {"characters outside the code page", kOutsideCodePage, "4C F3 64 7A 20 4F 20 3F 20 3F",
         "Lódz O ? ?"},
        // Two UTF-16 units, two "?".
        {"a character beyond U+FFFF", "a😀b", "61 3F 3F 62", "a??b"},
    };
    for (const Case& c : cases) {
      const std::string what = c.what;
      p_.SendMessageText(window, kWmSetText, 0, c.text);
      Check(what + ": the bytes its handler got", Hex(got()), c.bytes);
      Check(what + ": read back", Quote(p_.SendMessageGetText(window, kWmGetText, 100, 100)),
            Quote(c.back));
      Check(what + ": its length", Number(p_.SendMessage(window, kWmGetTextLength, 0, 0)),
            std::to_string(CharacterCount(c.back)));
      Check(what + ": GetWindowText", Quote(p_.GetWindowText(window, 100)), Quote(c.back));
    }
    // Windows keeps the caption it got and matches a lookup as it was asked.
    p_.SendMessageText(window, kWmSetText, 0, kOutsideCodePage);
    const std::string cls = p_.GetClassName(window);
    Check("FindWindowEx matches what the window holds, in any case",
          Role(p_.FindWindowEx(top, 0, cls, std::string_view("LÓDZ o ? ?"))), "the ANSI window");
    Check("FindWindowEx does not match the text as it was sent",
          Role(p_.FindWindowEx(top, 0, cls, std::string_view(kOutsideCodePage))), "0");
    End();
  }

  void ListBoxes() {
    Begin("list box");
    const Hwnd top = Top("the top window", "Conf List");
    const Hwnd list = Child("the list", top, kListBoxClass, "");
    auto send = [&](Msg msg, WParam w, LParam l = 0) {
      return ListAnswer(p_.SendMessage(list, msg, w, l));
    };
    auto add = [&](Msg msg, WParam w, const std::string& text) {
      return ListAnswer(p_.SendMessageText(list, msg, w, text));
    };
    auto entries = [&] {
      std::string out;
      const LResult count = p_.SendMessage(list, kLbGetCount, 0, 0);
      for (LResult k = 0; k < count && k < 32; ++k) {
        out += (k == 0 ? "" : ", ") +
               Quote(p_.SendMessageGetText(list, kLbGetText, static_cast<WParam>(k), 64));
      }
      return out;
    };
    const WParam minus_one = static_cast<WParam>(-1);
    Check("LB_GETCOUNT of an empty list", send(kLbGetCount, 0), "0");
    Check("LB_GETCURSEL of an empty list", send(kLbGetCurSel, 0), "ERR");
    Check("LB_ADDSTRING gives the new index",
          Join({add(kLbAddString, 0, "alpha"), add(kLbAddString, 0, "Beta ·•"),
                add(kLbAddString, 0, "gamma")}),
          "0 1 2");
    Check("LB_ADDSTRING keeps the order (no sorting)", entries(),
          "\"alpha\", \"Beta ·•\", \"gamma\"");
    Check("LB_GETCOUNT", send(kLbGetCount, 0), "3");
    Check("LB_GETTEXTLEN", send(kLbGetTextLen, 1), "7");
    Check("LB_GETTEXT", Quote(p_.SendMessageGetText(list, kLbGetText, 1, 64)), Quote("Beta ·•"));
    Check("LB_GETTEXT into a short buffer still gives the whole entry",
          Quote(p_.SendMessageGetText(list, kLbGetText, 0, 2)), Quote("alpha"));
    Check("LB_GETTEXT of a missing entry gives nothing",
          Quote(p_.SendMessageGetText(list, kLbGetText, 9, 64)), Quote(""));
    Check("LB_GETITEMDATA of a new entry", send(kLbGetItemData, 1), "0");
    Check("LB_SETITEMDATA succeeds",
          YesNo(p_.SendMessage(list, kLbSetItemData, 1, 0x12345678) != kLbErr), "yes");
    Check("LB_GETITEMDATA gives it back", Number(p_.SendMessage(list, kLbGetItemData, 1, 0)),
          Number(0x12345678));
    Check("LB_INSERTSTRING at 1", add(kLbInsertString, 1, "inserted"), "1");
    Check("LB_INSERTSTRING at -1 goes last", add(kLbInsertString, minus_one, "last"), "4");
    Check("LB_INSERTSTRING past the end", add(kLbInsertString, 99, "nowhere"), "ERR");
    Check("the entries after inserting", entries(),
          "\"alpha\", \"inserted\", \"Beta ·•\", \"gamma\", \"last\"");
    Check("item data moves with its entry",
          Number(p_.SendMessage(list, kLbGetItemData, 2, 0)) + " " + send(kLbGetItemData, 1),
          Number(0x12345678) + " 0");
    struct Invalid {
      const char* what;
      Msg msg;
      WParam index;
    };
    const Invalid invalid[] = {
        {"LB_GETTEXT", kLbGetText, 5},
        {"LB_GETTEXTLEN", kLbGetTextLen, 5},
        {"LB_GETTEXTLEN of -1", kLbGetTextLen, minus_one},
        {"LB_GETITEMDATA", kLbGetItemData, 5},
        {"LB_SETITEMDATA", kLbSetItemData, 5},
        {"LB_DELETESTRING", kLbDeleteString, 5},
        {"LB_DELETESTRING of -1", kLbDeleteString, minus_one},
    };
    for (const Invalid& c : invalid) {
      Check(std::string(c.what) + " of a missing entry is LB_ERR", send(c.msg, c.index), "ERR");
    }
    Check("LB_SETCURSEL", send(kLbSetCurSel, 2), "2");
    Check("LB_GETCURSEL", send(kLbGetCurSel, 0), "2");
    Check("LB_SETCURSEL of -1 clears it and answers LB_ERR",
          Join({send(kLbSetCurSel, minus_one), send(kLbGetCurSel, 0)}), "ERR ERR");
    send(kLbSetCurSel, 1);
    Check("LB_SETCURSEL past the end", send(kLbSetCurSel, 9), "ERR");
    Check("LB_SETCURSEL past the end keeps the selection", send(kLbGetCurSel, 0), "1");
    Check("LB_DELETESTRING gives the count left", send(kLbDeleteString, 0), "4");
    Check("the entries after deleting", entries(),
          "\"inserted\", \"Beta ·•\", \"gamma\", \"last\"");
    Check("LB_RESETCONTENT empties the list", send(kLbResetContent, 0), "0");
    Check("the count after LB_RESETCONTENT", send(kLbGetCount, 0) + " " + send(kLbGetCurSel, 0),
          "0 ERR");
    Check("LB_ADDSTRING of an empty text", Join({add(kLbAddString, 0, ""), send(kLbGetTextLen, 0)}),
          "0 0");
    End();
  }

  void ComboBoxes() {
    Begin("combo box");
    const Hwnd top = Top("the top window", "Conf Combo");
    const Hwnd combo = Child("the combo box", top, kComboBoxClass, "");
    auto send = [&](Msg msg, WParam w, LParam l = 0) {
      return ListAnswer(p_.SendMessage(combo, msg, w, l));
    };
    auto add = [&](Msg msg, WParam w, const std::string& text) {
      return ListAnswer(p_.SendMessageText(combo, msg, w, text));
    };
    auto edit_text = [&] { return Quote(p_.GetWindowText(combo, 64)); };
    auto entries = [&] {
      std::string out;
      const LResult count = p_.SendMessage(combo, kCbGetCount, 0, 0);
      for (LResult k = 0; k < count && k < 32; ++k) {
        out += (k == 0 ? "" : ", ") +
               Quote(p_.SendMessageGetText(combo, kCbGetLbText, static_cast<WParam>(k), 64));
      }
      return out;
    };
    const WParam minus_one = static_cast<WParam>(-1);
    Check("CB_GETCOUNT of an empty box", send(kCbGetCount, 0), "0");
    Check("CB_ADDSTRING gives the new index",
          Join({add(kCbAddString, 0, "red"), add(kCbAddString, 0, "Grün ·"),
                add(kCbAddString, 0, "blue")}),
          "0 1 2");
    Check("CB_GETCOUNT", send(kCbGetCount, 0), "3");
    Check("CB_GETLBTEXTLEN", send(kCbGetLbTextLen, 1), "6");
    Check("CB_GETLBTEXT", Quote(p_.SendMessageGetText(combo, kCbGetLbText, 1, 64)),
          Quote("Grün ·"));
    Check("CB_GETLBTEXT into a short buffer still gives the whole entry",
          Quote(p_.SendMessageGetText(combo, kCbGetLbText, 0, 2)), Quote("red"));
    Check("CB_GETITEMDATA of a new entry", send(kCbGetItemData, 1), "0");
    Check("CB_SETITEMDATA succeeds",
          YesNo(p_.SendMessage(combo, kCbSetItemData, 1, 0x2468ACE) != kCbErr), "yes");
    Check("CB_GETITEMDATA gives it back", Number(p_.SendMessage(combo, kCbGetItemData, 1, 0)),
          Number(0x2468ACE));
    Check("CB_INSERTSTRING at 0", add(kCbInsertString, 0, "first"), "0");
    Check("CB_INSERTSTRING at -1 goes last", add(kCbInsertString, minus_one, "last"), "4");
    Check("CB_INSERTSTRING past the end", add(kCbInsertString, 99, "nowhere"), "ERR");
    Check("the entries after inserting", entries(),
          "\"first\", \"red\", \"Grün ·\", \"blue\", \"last\"");
    struct Invalid {
      const char* what;
      Msg msg;
      WParam index;
    };
    const Invalid invalid[] = {
        {"CB_GETLBTEXT", kCbGetLbText, 5},       {"CB_GETLBTEXTLEN", kCbGetLbTextLen, 5},
        {"CB_GETITEMDATA", kCbGetItemData, 5},   {"CB_SETITEMDATA", kCbSetItemData, 5},
        {"CB_DELETESTRING", kCbDeleteString, 5},
    };
    for (const Invalid& c : invalid) {
      Check(std::string(c.what) + " of a missing entry is CB_ERR", send(c.msg, c.index), "ERR");
    }
    Check("the edit part starts empty", edit_text(), Quote(""));
    Check("CB_SETCURSEL", send(kCbSetCurSel, 2), "2");
    Check("CB_SETCURSEL puts the entry in the edit part", edit_text(), Quote("Grün ·"));
    Check("CB_GETCURSEL", send(kCbGetCurSel, 0), "2");
    Check("WM_GETTEXT of the combo box gives the edit part",
          Quote(p_.SendMessageGetText(combo, kWmGetText, 64, 64)) + " " +
              Number(p_.GetWindowTextLength(combo)),
          "\"Grün ·\" 6");
    Check("CB_SETCURSEL of -1", send(kCbSetCurSel, minus_one), "ERR");
    Check("CB_SETCURSEL of -1 empties the edit part", edit_text() + " " + send(kCbGetCurSel, 0),
          "\"\" ERR");
    send(kCbSetCurSel, 3);
    Check("CB_SETCURSEL past the end", send(kCbSetCurSel, 9), "ERR");
    Check("CB_SETCURSEL past the end keeps the selection and the edit part",
          Join({send(kCbGetCurSel, 0), edit_text()}), "3 \"blue\"");
    Check("CB_DELETESTRING gives the count left", send(kCbDeleteString, 0), "4");
    Check("the entries after deleting", entries(), "\"red\", \"Grün ·\", \"blue\", \"last\"");
    send(kCbSetCurSel, 1);
    Check("the edit part before CB_RESETCONTENT", edit_text(), Quote("Grün ·"));
    send(kCbResetContent, 0);
    Check("CB_RESETCONTENT empties the list and the edit part",
          send(kCbGetCount, 0) + " " + send(kCbGetCurSel, 0) + " " + edit_text(), "0 ERR \"\"");
    p_.SendMessageText(combo, kWmSetText, 0, "typed");
    Check("WM_SETTEXT fills the edit part", edit_text() + " " + send(kCbGetCount, 0),
          "\"typed\" 0");
    End();
  }

  // A button answers a press with WM_COMMAND BN_CLICKED sent to its parent.
  void ButtonClicks() {
    Begin("button");
    const Hwnd top = Top("the top window", "Conf Button");
    const Hwnd panel = Child("the panel", top, kProbeClass, "");
    const Hwnd button = Child("the button", panel, kButtonClass, "&Start", 7);
    // The edit box's own notices (EN_SETFOCUS...) go to a parent that does
    // not log them.
    const Hwnd quiet = Child("the quiet panel", top, kTextClass, "");
    const Hwnd edit = Child("the edit box", quiet, kEditClass, "", 8);
    constexpr WParam kVkA = 0x41;
    const LParam outside = (500 << 16) | 500;  // x 500, y 500: far off a 180 x 22 button
    p_.Yield();
    events_.clear();
    p_.SetFocus(edit);
    p_.SendMessage(button, kWmLButtonDown, 0, 0);
    Check("mouse down alone does not click", Events(), "nothing");
    Check("mouse down takes the focus", Role(p_.GetFocus()), "the button");
    p_.SendMessage(button, kWmLButtonUp, 0, 0);
    Check("mouse down and up, sent", Events(), "command 7 code 0 from the button");
    p_.SendMessage(button, kWmLButtonUp, 0, 0);
    Check("mouse up alone does not click", Events(), "nothing");
    p_.SendMessage(button, kWmLButtonDown, 0, 0);
    p_.SendMessage(button, kWmLButtonUp, 0, outside);
    Check("mouse up off the button does not click", Events(), "nothing");
    p_.SendMessage(button, kWmKeyDown, kVkSpace, 0);
    Check("space down alone does not click", Events(), "nothing");
    p_.SendMessage(button, kWmKeyUp, kVkSpace, 0);
    Check("space down and up, sent", Events(), "command 7 code 0 from the button");
    p_.SendMessage(button, kWmKeyUp, kVkSpace, 0);
    Check("space up alone does not click", Events(), "nothing");
    p_.SendMessage(button, kWmKeyDown, kVkA, 0);
    p_.SendMessage(button, kWmKeyUp, kVkA, 0);
    Check("another key does not click", Events(), "nothing");
    p_.SendMessage(button, kBmClick, 0, 0);
    Check("BM_CLICK", Events(), "command 7 code 0 from the button");
    p_.PostMessage(button, kWmLButtonDown, 0, 0);
    p_.PostMessage(button, kWmLButtonUp, 0, 0);
    Check("a posted press waits for the Yield", Events(), "nothing");
    p_.Yield();
    Check("mouse down and up, posted", Events(), "command 7 code 0 from the button");
    End();
  }

  // A child of a hidden window is not visible; ShowWindow tells whether the
  // window itself was visible before.
  void Visibility() {
    Begin("visibility");
    const Hwnd parent = Top("the parent", "Conf Visible");
    const Hwnd child = Child("the child", parent, kStaticClass, "shown");
    const Hwnd later = Child("the hidden child", parent, kStaticClass, "later", 0, false);
    Check("a child of a visible parent", Shown(p_.IsWindowVisible(child)), "visible");
    Check("ShowWindow hide of a visible parent", WasVisible(p_.ShowWindow(parent, kSwHide)),
          "was visible");
    Check("the hidden parent", Shown(p_.IsWindowVisible(parent)), "hidden");
    Check("a child of a hidden parent", Shown(p_.IsWindowVisible(child)), "hidden");
    Check("ShowWindow hide again", WasVisible(p_.ShowWindow(parent, kSwHide)), "was hidden");
    Check("ShowWindow hide of a child of a hidden parent",
          WasVisible(p_.ShowWindow(child, kSwHide)), "was visible");
    Check("ShowWindow show of the parent", WasVisible(p_.ShowWindow(parent, kSwShow)),
          "was hidden");
    Check("the child hidden on its own stays hidden", Shown(p_.IsWindowVisible(child)), "hidden");
    Check("ShowWindow show of the child", WasVisible(p_.ShowWindow(child, kSwShow)), "was hidden");
    Check("the child shown again", Shown(p_.IsWindowVisible(child)), "visible");
    Check("ShowWindow show of a shown child", WasVisible(p_.ShowWindow(child, kSwShow)),
          "was visible");
    Check("a child created hidden", Shown(p_.IsWindowVisible(later)), "hidden");
    Check("ShowWindow show of it",
          Join({WasVisible(p_.ShowWindow(later, kSwShow)), Shown(p_.IsWindowVisible(later))}, ", "),
          "was hidden, visible");
    const Hwnd hidden_top = Top("the hidden top window", "Conf Visible Later", false);
    Check("a top-level window created hidden", Shown(p_.IsWindowVisible(hidden_top)), "hidden");
    Check("FindWindow finds a hidden window too",
          Role(p_.FindWindow(kProbeClass, std::string_view("Conf Visible Later"))),
          "the hidden top window");
    Check("ShowWindow show of the hidden top window",
          Join({WasVisible(p_.ShowWindow(hidden_top, kSwShow)),
                Shown(p_.IsWindowVisible(hidden_top))},
               ", "),
          "was hidden, visible");
    End();
  }

  // Timers fire while the program waits; not before their interval, not
  // after KillTimer. Only "fired within the wait" is compared, not counts.
  void Timers() {
    Begin("timers");
    const Hwnd window = Top("the window", "Conf Timer");
    Check("SetTimer", YesNo(p_.SetTimer(window, 5, 50)), "yes");
    Check("SetTimer on window 0", YesNo(p_.SetTimer(0, 6, 50)), "no");
    p_.Yield();
    Check("no tick before the interval", Number(ticks_[window][5]), "0");
    double start = p_.Now();
    p_.WaitUntil(start + 0.5);
    Check("the timer fired within the wait", YesNo(ticks_[window][5] > 0), "yes");
    Check("the wait lasted until its deadline", YesNo(p_.Now() >= start + 0.5), "yes");
    Check("only the timer that was set fired", YesNo(ticks_[window].size() == 1), "yes");
    Check("KillTimer", YesNo(p_.KillTimer(window, 5)), "yes");
    const int ticks = ticks_[window][5];
    p_.WaitUntil(p_.Now() + 0.2);
    Check("no tick after KillTimer", Number(ticks_[window][5] - ticks), "0");
    Check("KillTimer of a timer that is gone", YesNo(p_.KillTimer(window, 5)), "no");

    p_.SetTimer(window, 9, 50);
    p_.SetTimer(window, 9, 60000);  // the same id again: the new interval replaces the old
    p_.WaitUntil(p_.Now() + 0.3);
    Check("SetTimer of the same id replaces the timer", Number(ticks_[window][9]), "0");

    const Hwnd other = Top("the other window", "Conf Timer Other");
    p_.SetTimer(other, 1, 40);
    p_.SetTimer(window, 1, 40);
    start = p_.Now();
    p_.WaitUntil(start + 0.4);
    Check("timers of the same id on two windows both fire",
          YesNo(ticks_[window][1] > 0) + " " + YesNo(ticks_[other][1] > 0), "yes yes");
    p_.DestroyWindow(other);
    Check("a destroyed window's timer is gone", YesNo(p_.KillTimer(other, 1)), "no");
    p_.KillTimer(window, 1);
    p_.KillTimer(window, 9);
    End();
  }

  // WM_CLOSE left to the default window procedure destroys the window.
  void Closing() {
    Begin("closing");
    const Hwnd top = Top("the closing window", "Conf Close");
    const Hwnd child = Child("its child", top, kProbeClass, "");
    Child("its label", top, kStaticClass, "label");
    Check("PostMessage WM_CLOSE", YesNo(p_.PostMessage(top, kWmClose, 0, 0)), "yes");
    Check("the window is there until the next Yield", Alive(p_.IsWindow(top)), "exists");
    p_.Yield();
    Check("after the Yield", Alive(p_.IsWindow(top)) + ", child " + Alive(p_.IsWindow(child)),
          "gone, child gone");
    Check("WM_DESTROY reached the window, then its child", Events(),
          "destroy the closing window, destroy its child");
    Check("FindWindow after it closed",
          Role(p_.FindWindow(kProbeClass, std::string_view("Conf Close"))), "0");

    const Hwnd stubborn = Top("the stubborn window", "Conf Close Refused");
    refuse_close_.insert(stubborn);
    p_.PostMessage(stubborn, kWmClose, 0, 0);
    p_.Yield();
    Check("a handler that keeps WM_CLOSE keeps its window",
          Join({Alive(p_.IsWindow(stubborn)), Events()}, "; "),
          "exists; close refused by the stubborn window");

    const Hwnd sent = Top("the window closed at once", "Conf Close Sent");
    p_.SendMessage(sent, kWmClose, 0, 0);
    Check("a sent WM_CLOSE closes before the call returns", Alive(p_.IsWindow(sent)), "gone");
    Events();

    refuse_create_ = true;
    const Hwnd refused = Top("the refused window", "Conf Close Never");
    refuse_create_ = false;
    Check("WM_CREATE answering -1 makes CreateWindow fail",
          Role(refused) + " " +
              Role(p_.FindWindow(kProbeClass, std::string_view("Conf Close Never"))),
          "0 0");

    Check("DestroyWindow of a destroyed window", YesNo(p_.DestroyWindow(sent)), "no");
    End();
  }

  // Class names come back as they were registered, whatever case made them.
  void ClassNames() {
    Begin("class names");
    const Hwnd top = Top("the top window", "Conf Classes");
    struct Case {
      std::string_view asked;
      const char* expected;
    };
    const Case cases[] = {
        {"BUTTON", "Button"},
        {"edit", "Edit"},
        {"STATIC", "Static"},
        {"listbox", "ListBox"},
        {"combobox", "ComboBox"},
        {"brixconfprobe", "BrixConfProbe"},
        {"BRIXCONFTEXT", "BrixConfText"},
    };
    for (const Case& c : cases) {
      const Hwnd window = Child("a window", top, c.asked, "x");
      Check(std::string("GetClassName of a window made as ") + std::string(c.asked),
            window == 0 ? "not made" : Quote(p_.GetClassName(window)), Quote(c.expected));
    }
    Check("GetClassName of the top window", Quote(p_.GetClassName(top)), Quote("BrixConfProbe"));
    Check("GetParent of a child", Role(p_.GetParent(p_.FindWindowEx(top, 0, kEditClass))),
          "the top window");
    Check("GetParent of a top-level window", Role(p_.GetParent(top)), "0");
    Check("RegisterClass of a taken name in another case",
          YesNo(p_.RegisterClass("BRIXCONFPROBE", nullptr)), "no");
    Check("CreateWindow of an unknown class",
          Role(Child("nothing", top, "BrixConfNoSuchClass", "x")), "0");
    End();
  }

  // A message box: "#32770" with Static (icon), Button "OK", Static (text),
  // closed by a space press or a click on OK.
  void MessageBoxes() {
    Begin("message box");
    const Hwnd owner = Top("the owner", "Conf Box Owner");
    struct Case {
      const char* how;
      bool by_space;
    };
    const Case cases[] = {{"space", true}, {"click", false}};
    for (const Case& c : cases) {
      const std::string how = c.how;
      const std::string caption = "Conf Box " + how;
      const std::string text = "Conf box text ·•";
      const Hwnd box = p_.ShowMessageBox(owner, text, caption);
      Name(box, "the box");
      Check(how + ": the box comes up", YesNo(box != 0), "yes");
      if (box == 0) continue;
      Check(how + ": its class", Quote(p_.GetClassName(box)), Quote("#32770"));
      Check(how + ": its caption", Quote(p_.GetWindowText(box, 100)), Quote(caption));
      Check(how + ": found by class and caption",
            Role(p_.FindWindow("#32770", std::string_view(caption))), "the box");
      Check(how + ": visible", Shown(p_.IsWindowVisible(box)), "visible");
      const Hwnd icon = p_.FindWindowEx(box, 0, kStaticClass);
      const Hwnd ok = p_.FindWindowEx(box, 0, kButtonClass);
      const Hwnd message = p_.FindWindowEx(box, icon, kStaticClass);
      Name(icon, "the first Static");
      Name(ok, "the OK button");
      Name(message, "the second Static");
      Check(how + ": the children in order",
            Role(icon) + ", " + Role(p_.FindWindowEx(box, icon, kButtonClass)) + ", " +
                Role(p_.FindWindowEx(box, ok, kStaticClass)) + ", " +
                Role(p_.FindWindowEx(box, message, kStaticClass)) + ", " +
                Role(p_.FindWindowEx(box, ok, kButtonClass)) + ", " +
                Role(p_.FindWindowEx(box, message, kButtonClass)),
            "the first Static, the OK button, the second Static, 0, 0, 0");
      Check(how + ": the button says OK", Quote(p_.GetWindowText(ok, 10)), Quote("OK"));
      Check(how + ": the second Static holds the text", Quote(p_.GetWindowText(message, 100)),
            Quote(text));
      if (c.by_space) {
        p_.SendMessage(ok, kWmKeyUp, kVkSpace, 0);
        p_.WaitUntil(p_.Now() + 0.3);
        Check(how + ": a key up alone leaves it open", Alive(p_.IsWindow(box)), "exists");
        p_.SendMessage(ok, kWmKeyDown, kVkSpace, 0);
        p_.SendMessage(ok, kWmKeyUp, kVkSpace, 0);
      } else {
        p_.SendMessage(ok, kWmLButtonDown, 0, 0);
        p_.SendMessage(ok, kWmLButtonUp, 0, 0);
      }
      // The box belongs to another thread on Windows; give it time to go.
      const double deadline = p_.Now() + 5;
      while (p_.IsWindow(box) && p_.Now() < deadline) p_.WaitUntil(p_.Now() + 0.05);
      Check(how + ": pressing OK closes it", Alive(p_.IsWindow(box)), "gone");
    }
    Check("the owner outlives its boxes", Alive(p_.IsWindow(owner)), "exists");
    End();
  }

  // Handle 0 is no window: lookups and messages through it do nothing.
  void HandleZero() {
    Begin("handle 0");
    Check("SendMessage", Number(p_.SendMessage(0, kOwn, 0, 0)), "0");
    Check("SendMessageText", Number(p_.SendMessageText(0, kWmSetText, 0, "x")), "0");
    Check("SendMessageGetText", Quote(p_.SendMessageGetText(0, kWmGetText, 10, 10)), Quote(""));
    Check("PostMessage", YesNo(p_.PostMessage(0, kOwn, 0, 0)), "no");
    Check("IsWindow and IsWindowVisible",
          YesNo(p_.IsWindow(0)) + " " + YesNo(p_.IsWindowVisible(0)), "no no");
    Check("GetWindowText and its length",
          Quote(p_.GetWindowText(0, 10)) + " " + Number(p_.GetWindowTextLength(0)), "\"\" 0");
    Check("FindWindowEx under the desktop after nothing, an unknown class",
          Role(p_.FindWindowEx(0, 0, "BrixConfNoSuchClass")), "0");
    End();
  }

  Platform& p_;
  const WindowScenarioOptions& options_;
  std::string scenario_;
  std::vector<ConformanceResult> results_;
  std::map<Hwnd, std::string> roles_;
  std::vector<Hwnd> tops_;
  std::vector<std::string> events_;
  std::map<Hwnd, std::string> own_text_;                // what each text window keeps
  std::map<Hwnd, std::string> received_;                // the last text each probe got
  std::map<Hwnd, std::map<std::uint32_t, int>> ticks_;  // WM_TIMER by window and id
  std::set<Hwnd> refuse_close_;
  bool refuse_create_ = false;
};

}  // namespace

std::vector<ConformanceResult> RunWindowScenarios(Platform& platform,
                                                  const WindowScenarioOptions& options) {
  WindowScenarios scenarios(platform, options);
  return scenarios.Run();
}

}  // namespace conformance
