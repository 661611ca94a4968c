// Drives the idler from another process, by its own buttons, as a user
// would, and checks what the substitute client received (its log). Each run
// does one phase; run_e2e.sh runs the phases in order between starting and
// stopping the programs.
//
//   e2e_driver.exe PHASE LOG_PATH
//
// Prints one line per check and a closing "N passed, M failed" line; the
// exit code is the number of failures (capped).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/codec.h"
#include "platform/win32/win32_platform.h"

namespace {

using platform::Hwnd;
using platform::Rect;

struct LogLine {
  std::string kind;
  std::string time;
  std::string where;
  std::string hex;
  std::string text;
};

class Driver {
 public:
  Driver(platform::Platform& os, std::string log_path) : os_(os), log_path_(std::move(log_path)) {}

  void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
    (ok ? passed_ : failed_)++;
  }
  int Finish() {
    std::printf("%d passed, %d failed\n", passed_, failed_);
    return failed_ > 100 ? 100 : failed_;
  }

  std::vector<LogLine> ReadLog() {
    std::vector<LogLine> lines;
    std::ifstream in(log_path_, std::ios::binary);
    std::string raw;
    while (std::getline(in, raw)) {
      LogLine line;
      std::vector<std::string*> fields{&line.kind, &line.time, &line.where, &line.hex, &line.text};
      std::size_t start = 0;
      for (std::size_t f = 0; f < fields.size(); ++f) {
        const auto tab = f + 1 < fields.size() ? raw.find('\t', start) : std::string::npos;
        *fields[f] = raw.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        if (tab == std::string::npos) break;
        start = tab + 1;
      }
      lines.push_back(line);
    }
    return lines;
  }
  std::vector<LogLine> RoomLines() {
    std::vector<LogLine> out;
    for (const LogLine& l : ReadLog()) {
      if (l.kind == "ROOM") out.push_back(l);
    }
    return out;
  }
  std::vector<LogLine> Ims() {
    std::vector<LogLine> out;
    for (const LogLine& l : ReadLog()) {
      if (l.kind == "IM") out.push_back(l);
    }
    return out;
  }

  // Waits (keeping this program's own queue empty) until `ready` or the bound.
  bool WaitFor(double seconds, const std::function<bool()>& ready) {
    const double deadline = os_.Now() + seconds;
    while (!ready()) {
      if (os_.Now() >= deadline) return false;
      os_.WaitUntil(os_.Now() + 0.05);
    }
    return true;
  }

  Hwnd Form() { return os_.FindWindow("BrixIdlerForm", std::string_view("Brix  Qvx Idler")); }
  Hwnd Button(const char* caption) { return os_.FindWindowEx(Form(), 0, "Button", std::string_view(caption)); }
  Hwnd Reason() { return os_.FindWindowEx(Form(), 0, "Edit"); }
  Hwnd ImWindow() {
    const Hwnd mdi = os_.FindWindowEx(os_.FindWindow("AOL Frame25"), 0, "MDIClient");
    return os_.FindWindowEx(mdi, 0, "AOL Child", std::string_view("Send Instant Message"));
  }
  Hwnd Label(int n) {
    Hwnd at = 0;
    for (int k = 0; k < n; ++k) at = os_.FindWindowEx(Form(), at, "Static");
    return at;
  }
  std::string Text(Hwnd window) {
    const auto length = os_.SendMessage(window, platform::kWmGetTextLength, 0, 0);
    return os_.SendMessageGetText(window, platform::kWmGetText, length + 1, length + 1);
  }
  // A click as the button gets it from the mouse.
  void Click(Hwnd button) {
    os_.PostMessage(button, platform::kWmLButtonDown, 1, 0);
    os_.PostMessage(button, platform::kWmLButtonUp, 0, 0);
  }

  // Checks that the room received exactly these lines after the first `from`.
  bool ExpectRoomLines(std::size_t from, const std::vector<std::string>& expected,
                       double bound, const std::string& what) {
    const bool arrived =
        WaitFor(bound, [&] { return RoomLines().size() >= from + expected.size(); });
    const std::vector<LogLine> got = RoomLines();
    bool same = arrived && got.size() >= from + expected.size();
    for (std::size_t k = 0; same && k < expected.size(); ++k) {
      const std::string hex = Hex(expected[k]);
      if (got[from + k].hex != hex) {
        std::printf("  line %zu: got %s, want %s\n", k, got[from + k].hex.c_str(), hex.c_str());
        same = false;
      }
    }
    Check(same, what);
    return same;
  }

  static std::string Hex(const std::string& utf8) {
    std::string hex;
    for (unsigned char byte : platform::Utf8ToCp1252(utf8)) {
      char pair[3];
      std::snprintf(pair, sizeof pair, "%02X", byte);
      hex += pair;
    }
    return hex;
  }

  platform::Platform& os_;

 private:
  std::string log_path_;
  int passed_ = 0;
  int failed_ = 0;
};

// A counter's caption as a number; 0 when it holds none.
double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

const std::string kBanner = ".·´`°·• Brix Quorvallianz 2k Idler";
const std::string kShortBanner = ".·´`°·• Brix Idler";
const std::string kCredit = ".·´`°·• By Zed";
const std::string kStatus = ".·´`°·• Status: Idle'n";
const std::string kStopped = ".·´`°·• Status: Idle'n Stopped";
const std::string kReason = ".·´`°·• Reason: ";
const std::string kLoaded = ".·´`°·• Now Loaded";
const std::string kUnloaded = ".·´`°·• Now Unloaded";
const std::string kFarewell1 = "°•>> Vyn³°°° • Idler Bot <<•°";
const std::string kFarewell2 = "°•>> UnLøaÐeÐ <<•°";

// The idler opened: it announced itself, and its window is where it belongs.
void Opened(Driver& d) {
  d.Check(d.WaitFor(30, [&] { return d.Form() != 0; }), "the idler's window appears");
  d.ExpectRoomLines(0, {kBanner, kCredit, kLoaded}, 15, "load announcement: banner, credit, loaded");
  const Rect client = d.os_.GetClientRect(d.Form());
  d.Check(client == Rect{135, 155, 550, 255}, "client area 415 x 100 at 135, 155");
  struct Place {
    Hwnd control;
    Rect at;
    const char* name;
  };
  const Place places[] = {
      {d.Reason(), {104, 0, 281, 33}, "Text1"},      {d.Button("Exit"), {352, 0, 417, 17}, "Command3"},
      {d.Button("Start"), {0, 72, 65, 89}, "Command1"}, {d.Label(3), {72, 72, 121, 89}, "Label3"},
      {d.Label(1), {136, 72, 185, 89}, "Label1"},    {d.Label(4), {216, 72, 257, 89}, "Label4"},
      {d.Label(2), {288, 72, 345, 89}, "Label2"},    {d.Button("Stop"), {344, 72, 417, 89}, "Command2"},
  };
  for (const Place& p : places) {
    const Rect r = d.os_.GetWindowRect(p.control);
    const Rect rel{r.left - client.left, r.top - client.top, r.right - client.left,
                   r.bottom - client.top};
    d.Check(p.control != 0 && rel == p.at, std::string(p.name) + " where it belongs");
  }
  d.Check(d.Text(d.Reason()) == "Were you goin?", "reason box reads \"Were you goin?\"");
  d.Check(d.Text(d.Label(1)) == "0" && d.Text(d.Label(2)) == "0", "both counters read 0");
  d.Check(d.Text(d.Label(3)) == "Seconds" && d.Text(d.Label(4)) == "Minutes", "counter captions");
}

// Start, a real minute of idling with the reason edited meanwhile.
void Idle(Driver& d) {
  const std::size_t before = d.RoomLines().size();
  const double clicked = d.os_.Now();
  d.Click(d.Button("Start"));
  d.ExpectRoomLines(before, {kBanner, kStatus, kReason + "Were you goin?"}, 10,
                    "Start: banner, status, reason");
  // When the client's IM window shows up, as another program sees it: if the
  // IM does not go out, this tells the client's side from the idler's.
  double im_window_seen = -1;
  const bool sent = d.WaitFor(15, [&] {
    if (im_window_seen < 0 && d.ImWindow() != 0) im_window_seen = d.os_.Now() - clicked;
    return !d.Ims().empty();
  });
  std::printf("  IM window seen %.2f s after the click; IM sent: %s\n", im_window_seen,
              sent ? "yes" : "no");
  if (!sent) {
    std::printf("  the IM window's message box holds \"%s\"\n",
                d.Text(d.os_.FindWindowEx(d.ImWindow(), 0, "RICHCNTL")).c_str());
  }
  d.Check(sent, "Start sends an IM");
  const auto ims = d.Ims();
  d.Check(!ims.empty() && ims.back().where == "$IM_OFF" && ims.back().text == "Brix Idler",
          "the IM goes to $IM_OFF with \"Brix Idler\"");
  d.os_.SendMessageText(d.Reason(), platform::kWmSetText, 0, "gone fishin · back at 5");
  d.ExpectRoomLines(before + 3, {kBanner, kStatus, kReason + "gone fishin · back at 5"}, 75,
                    "a minute later: banner, status and the edited reason");
  const double elapsed = d.os_.Now() - clicked;
  d.Check(d.Text(d.Label(2)) == "1", "minutes counter reads 1");
  const double seconds = Number(d.Text(d.Label(1)));
  std::printf("  seconds counter %s after %.1f s of wall time\n", d.Text(d.Label(1)).c_str(), elapsed);
  d.Check(seconds >= 59 && seconds <= elapsed + 1.5, "seconds counter near 60");
}

void Stop(Driver& d) {
  const std::size_t before = d.RoomLines().size();
  const std::size_t ims_before = d.Ims().size();
  d.Click(d.Button("Stop"));
  d.ExpectRoomLines(before, {kShortBanner, kCredit, kStopped}, 10, "Stop: short banner, credit, stopped");
  d.Check(d.WaitFor(15, [&] { return d.Ims().size() > ims_before; }), "Stop sends an IM");
  const auto ims = d.Ims();
  d.Check(ims.size() > ims_before && ims.back().where == "$IM_ON" && ims.back().text == "Brix Idler",
          "the IM goes to $IM_ON with \"Brix Idler\"");
  const std::string held = d.Text(d.Label(1));
  d.os_.WaitUntil(d.os_.Now() + 2.5);
  d.Check(d.Text(d.Label(1)) == held, "stopped: the seconds counter stands still");
}

void Exit(Driver& d) {
  const std::size_t before = d.RoomLines().size();
  d.Click(d.Button("Exit"));
  d.ExpectRoomLines(before, {kBanner, kCredit, kUnloaded, kFarewell1, kFarewell2}, 10,
                    "Exit: banner, credit, unloaded, then the two farewells");
  d.Check(d.WaitFor(5, [&] { return d.Form() == 0; }), "the idler's window is gone");
}

// Start against a client that is slow to open the IM window; the script
// kills the client while the idler waits for it.
void StartSlow(Driver& d) {
  d.Check(d.WaitFor(30, [&] { return d.Form() != 0 && d.RoomLines().size() >= 3; }),
          "the idler is up");
  const std::size_t before = d.RoomLines().size();
  d.Click(d.Button("Start"));
  d.ExpectRoomLines(before, {kBanner, kStatus, kReason + "Were you goin?"}, 10,
                    "Start's lines, then it waits for the IM window");
}

// After the client died: the idler's window answers, counts, stops and ends.
void AfterKill(Driver& d) {
  const Hwnd form = d.Form();
  d.Check(form != 0, "the idler still runs");
  const std::string first = d.Text(d.Label(1));
  d.os_.WaitUntil(d.os_.Now() + 2.2);
  const std::string later = d.Text(d.Label(1));
  d.Check(Number(later) > Number(first), "its seconds counter goes on");
  // Once its wait has run out the idler is back in its own loop; Stop works.
  d.os_.WaitUntil(d.os_.Now() + 10);
  d.Click(d.Button("Stop"));
  d.os_.WaitUntil(d.os_.Now() + 3);  // Stop's pauses; no client to answer its IM
  const std::string held = d.Text(d.Label(1));
  d.os_.WaitUntil(d.os_.Now() + 2.5);
  d.Check(d.Text(d.Label(1)) == held, "Stop still stops the counters");
}

// Closing the window while Start waits for the client ends the program.
void CloseWhileWaiting(Driver& d) {
  StartSlow(d);
  const double closed = d.os_.Now();
  d.os_.PostMessage(d.Form(), platform::kWmClose, 0, 0);
  const bool gone = d.WaitFor(5, [&] { return d.Form() == 0; });
  std::printf("  window gone %.2f s after the close\n", d.os_.Now() - closed);
  d.Check(gone && d.os_.Now() - closed < 1.5, "the window goes within a second or so");
  const auto lines = d.RoomLines();
  d.Check(lines.size() >= 2 && lines[lines.size() - 2].hex == Driver::Hex(kFarewell1) &&
              lines.back().hex == Driver::Hex(kFarewell2),
          "the farewells are the last lines");
}

// For the demo on a display nobody watches: press Start once the window is up.
void PressStart(Driver& d) {
  // Shown once its load announcement is done.
  d.Check(d.WaitFor(60, [&] { return d.os_.IsWindowVisible(d.Form()); }),
          "the idler's window appears");
  d.Click(d.Button("Start"));
}

// Two minutes of idling, for the benchmark: the seconds counter against the
// wall clock.
void IdleTwoMinutes(Driver& d) {
  d.Check(d.WaitFor(60, [&] { return d.os_.IsWindowVisible(d.Form()); }),
          "the idler's window appears");
  const double clicked = d.os_.Now();
  d.Click(d.Button("Start"));
  d.os_.WaitUntil(clicked + 121.0);
  const double wall = d.os_.Now() - clicked;
  const double counted = Number(d.Text(d.Label(1)));
  std::printf("seconds counter %.0f after %.2f s of wall time (off by %.2f s)\n", counted, wall,
              counted - wall);
  std::printf("minutes counter %s\n", d.Text(d.Label(2)).c_str());
  d.Check(d.Text(d.Label(2)) == "2", "two minute ticks");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: e2e_driver PHASE LOG_PATH\n");
    return 100;
  }
  platform::Win32Platform os;
  platform::SetCurrent(&os);
  Driver driver(os, argv[2]);
  const std::string phase = argv[1];
  if (phase == "opened") {
    Opened(driver);
  } else if (phase == "idle") {
    Idle(driver);
  } else if (phase == "stop") {
    Stop(driver);
  } else if (phase == "exit") {
    Exit(driver);
  } else if (phase == "start-slow") {
    StartSlow(driver);
  } else if (phase == "after-kill") {
    AfterKill(driver);
  } else if (phase == "idle-two-minutes") {
    IdleTwoMinutes(driver);
  } else if (phase == "press-start") {
    PressStart(driver);
  } else if (phase == "close-while-waiting") {
    CloseWhileWaiting(driver);
  } else {
    std::fprintf(stderr, "unknown phase %s\n", phase.c_str());
    return 100;
  }
  return driver.Finish();
}
