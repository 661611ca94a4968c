// The simulated event loop: the queue, timers, scheduled actions and the
// virtual clock.
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/sim/sim_internal.h"
#include "platform/sim/sim_platform.h"

namespace platform::sim {
namespace {

// Windows raises intervals below this to it.
constexpr double kMinimumTimerInterval = 0.010;
// RunMessageLoop gives up after this much virtual time with nothing ending it.
constexpr double kRunLimit = 24 * 3600.0;

}  // namespace

double SimPlatform::Now() { return now_; }

bool SimPlatform::Closing() { return closing_; }

void SimPlatform::PostQuitMessage(int exit_code) {
  Log("PostQuitMessage").numbers = {exit_code};
  closing_ = true;
  exit_code_ = exit_code;
}

bool SimPlatform::SetTimer(Hwnd window, std::uint32_t id, std::uint32_t milliseconds) {
  CallRecord& call = Log("SetTimer", window);
  call.numbers = {id, milliseconds};
  if (Find(window) == nullptr) return false;
  const double interval = std::max(kMinimumTimerInterval, milliseconds / 1000.0);
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return t.window == window && t.id == id; }),
                timers_.end());
  timers_.push_back({window, id, interval, now_ + interval, next_seq_++});
  calls_.back().result = id;
  return true;
}

bool SimPlatform::KillTimer(Hwnd window, std::uint32_t id) {
  CallRecord& call = Log("KillTimer", window);
  call.numbers = {id};
  const auto before = timers_.size();
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return t.window == window && t.id == id; }),
                timers_.end());
  const bool killed = timers_.size() != before;
  calls_.back().result = killed;
  return killed;
}

void SimPlatform::At(double time, std::function<void()> action) {
  scheduled_.push_back({time, next_seq_++, std::move(action)});
}

// Tab in a window with dialog navigation moves the focus to the next tab
// stop among its controls, as IsDialogMessage does in the message loop.
bool SimPlatform::DialogNavigate(const Posted& posted) {
  if (!posted.input || posted.msg != kWmKeyDown || posted.w != kVkTab) return false;
  const Window* control = Find(posted.window);
  if (control == nullptr) return false;
  const Window* top = control;
  while (top->parent != 0) top = Find(top->parent);
  if (!top->dialog_navigation) return false;
  std::vector<Hwnd> stops;
  for (Hwnd child : top->children) {
    const Window* c = Find(child);
    if (c->tab_stop && c->visible) stops.push_back(child);
  }
  if (stops.empty()) return true;
  auto it = std::find(stops.begin(), stops.end(), focus_);
  focus_ = (it == stops.end() || it + 1 == stops.end()) ? stops.front() : *(it + 1);
  return true;
}

// Dispatches everything in the queue, including what handlers post meanwhile.
bool SimPlatform::ProcessPosted() {
  bool any = false;
  while (!queue_.empty()) {
    const Posted posted = queue_.front();
    queue_.pop_front();
    any = true;
    if (Find(posted.window) == nullptr) continue;  // its window is gone
    if (DialogNavigate(posted)) continue;
    if (posted.input && posted.msg == kWmKeyUp && posted.w == kVkTab) continue;
    Message message{posted.msg, posted.w, posted.l, {}, nullptr};
    Dispatch(posted.window, message);
  }
  return any;
}

// Fires each timer that is due once. A timer that fell behind (its handler
// waited past several periods) fires once and keeps its phase, as Windows
// coalesces missed ticks.
bool SimPlatform::FireDueTimers() {
  std::vector<Timer> due;
  for (const Timer& t : timers_) {
    if (t.due <= now_) due.push_back(t);
  }
  std::sort(due.begin(), due.end(), [](const Timer& a, const Timer& b) {
    return a.due != b.due ? a.due < b.due : a.seq < b.seq;
  });
  for (const Timer& fired : due) {
    auto it = std::find_if(timers_.begin(), timers_.end(), [&](const Timer& t) {
      return t.window == fired.window && t.id == fired.id && t.seq == fired.seq;
    });
    if (it == timers_.end() || it->due > now_) continue;  // killed or reset meanwhile
    const double periods = std::floor((now_ - it->due) / it->interval) + 1;
    it->due += periods * it->interval;
    Message message{kWmTimer, fired.id, 0, {}, nullptr};
    Dispatch(fired.window, message);
  }
  return !due.empty();
}

bool SimPlatform::RunDueActions() {
  bool any = false;
  for (;;) {
    auto it = std::min_element(scheduled_.begin(), scheduled_.end(),
                               [](const Scheduled& a, const Scheduled& b) {
                                 return a.time != b.time ? a.time < b.time : a.seq < b.seq;
                               });
    if (it == scheduled_.end() || it->time > now_) return any;
    std::function<void()> action = std::move(it->action);
    scheduled_.erase(it);
    ProcessScope outside(*this, 0);
    action();
    any = true;
  }
}

// Everything that is due now, until nothing is left.
void SimPlatform::ProcessPending() {
  for (int guard = 0; guard < 100000; ++guard) {
    bool any = RunDueActions();
    any = ProcessPosted() || any;
    any = FireDueTimers() || any;
    if (!any) return;
  }
}

double SimPlatform::NextEventTime() const {
  double next = std::numeric_limits<double>::infinity();
  for (const Timer& t : timers_) next = std::min(next, t.due);
  for (const Scheduled& s : scheduled_) next = std::min(next, s.time);
  return next;
}

void SimPlatform::Yield() {
  Log("Yield");
  now_ += yield_step_;
  ProcessPending();
}

void SimPlatform::WaitUntil(double deadline) {
  Log("WaitUntil").numbers = {static_cast<std::int64_t>(std::llround(deadline * 1000))};
  for (;;) {
    ProcessPending();
    if (closing_ || now_ >= deadline) return;
    const double next = NextEventTime();
    now_ = std::max(now_, std::min(next, deadline));
  }
}

void SimPlatform::RunFor(double seconds) {
  ProcessScope outside(*this, kProgramPid);
  WaitUntil(now_ + seconds);
}

int SimPlatform::RunMessageLoop() {
  Log("RunMessageLoop");
  const double limit = now_ + kRunLimit;
  while (!closing_) {
    ProcessPending();
    if (closing_) break;
    const double next = NextEventTime();
    if (!queue_.empty()) continue;
    if (next > limit) break;  // nothing can happen any more
    now_ = std::max(now_, next);
  }
  return exit_code_;
}

}  // namespace platform::sim
