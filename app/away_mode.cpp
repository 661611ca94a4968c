#include "app/away_mode.h"

#include <charconv>
#include <cstdlib>

#include "aol/core/chat_send.h"
#include "aol/core/instant_message.h"
#include "aol/core/pause.h"
#include "app/form3.h"
#include "desktop/window_utils.h"

namespace app {
namespace {

// A fixed line, as a line source.
auto Fixed(std::string_view text) {
  return [text] { return std::string(text); };
}

// The counter's caption as a number: a decimal text, read the way the
// platform reads numbers (anything unreadable counts as 0).
double CounterValue(const std::string& caption) {
  return std::strtod(caption.c_str(), nullptr);
}

// Whole numbers come out without a decimal point: "1", "2", ... "60".
std::string CounterText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

bool AwayMode::Ending() const { return os_.Closing() || !form_.Alive(); }

std::string AwayMode::ReasonLine() const {
  return std::string(lines::kReasonPrefix) + desktop::GetText(form_.Text1());
}

bool AwayMode::Announce(std::initializer_list<LineSource> sources) {
  bool first = true;
  for (const LineSource& source : sources) {
    if (!first) aol::Pause(kLinePause);
    first = false;
    if (Ending()) return false;
    aol::ChatSend(source());
  }
  return true;
}

void AwayMode::Increment(platform::Hwnd counter) {
  const double value = CounterValue(desktop::GetCaption(counter));
  desktop::SetText(counter, CounterText(value + 1));
}

void AwayMode::OnLoad() {
  Announce({Fixed(lines::kBanner), Fixed(lines::kCredit), Fixed(lines::kLoaded)});
}

void AwayMode::OnUnload() { Announce({Fixed(lines::kFarewell1), Fixed(lines::kFarewell2)}); }

void AwayMode::OnStart() {
  form_.Timer1().SetEnabled(true);
  form_.Timer2().SetEnabled(true);
  if (!Announce({Fixed(lines::kBanner), Fixed(lines::kStatus), [this] { return ReasonLine(); }})) {
    return;
  }
  aol::InstantMessage(kImOff, kImText);
}

void AwayMode::OnStop() {
  form_.Timer1().SetEnabled(false);
  form_.Timer2().SetEnabled(false);
  if (!Announce({Fixed(lines::kShortBanner), Fixed(lines::kCredit), Fixed(lines::kStopped)})) {
    return;
  }
  aol::InstantMessage(kImOn, kImText);
}

// Exit ends the program by closing the window, so the unload announcement
// (the two farewells) follows Exit's own lines, as when the user closes it.
void AwayMode::OnExit() {
  if (!Announce({Fixed(lines::kBanner), Fixed(lines::kCredit), Fixed(lines::kUnloaded)})) return;
  form_.Close();
}

void AwayMode::OnSecondTick() {
  if (Ending()) return;
  Increment(form_.Label1());
}

void AwayMode::OnMinuteTick() {
  if (Ending()) return;
  Increment(form_.Label2());
  Announce({Fixed(lines::kBanner), Fixed(lines::kStatus), [this] { return ReasonLine(); }});
}

}  // namespace app
