// What the idler does while its user is away: the handlers of the window's
// events. It counts the idle time in the window, posts a three-line status
// into the chat room once a minute, and switches the user's Instant Messages
// off on Start and on again on Stop.
//
// Handlers run on the window's thread and wait with the window live, so a
// tick or a click can run inside another handler's wait; their lines may
// interleave in the room. Once the program begins to end, a handler that
// resumes from a wait stops instead of going on.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace app {

class Form3;

// The lines the idler says, exactly as the room receives them.
namespace lines {
inline constexpr std::string_view kBanner = ".·´`°·• Brix Quorvallianz 2k Idler";
inline constexpr std::string_view kShortBanner = ".·´`°·• Brix Idler";
inline constexpr std::string_view kCredit = ".·´`°·• By Zed";
inline constexpr std::string_view kStatus = ".·´`°·• Status: Idle'n";
inline constexpr std::string_view kStopped = ".·´`°·• Status: Idle'n Stopped";
inline constexpr std::string_view kReasonPrefix = ".·´`°·• Reason: ";
inline constexpr std::string_view kLoaded = ".·´`°·• Now Loaded";
inline constexpr std::string_view kUnloaded = ".·´`°·• Now Unloaded";
inline constexpr std::string_view kFarewell1 = "°•>> Vyn³°°° • Idler Bot <<•°";
inline constexpr std::string_view kFarewell2 = "°•>> UnLøaÐeÐ <<•°";
}  // namespace lines

inline constexpr std::string_view kImOff = "$IM_OFF";
inline constexpr std::string_view kImOn = "$IM_ON";
inline constexpr std::string_view kImText = "Brix Idler";
inline constexpr double kLinePause = 0.7;

class AwayMode {
 public:
  AwayMode(platform::Platform& os, Form3& form) : os_(os), form_(form) {}

  void OnLoad();
  void OnUnload();
  void OnStart();
  void OnStop();
  void OnExit();
  void OnSecondTick();
  void OnMinuteTick();

 private:
  using LineSource = std::function<std::string()>;
  // Sends the lines 0.7 s apart, each made when it is sent. Returns false
  // when the program began to end before all went out.
  bool Announce(std::initializer_list<LineSource> lines);
  std::string ReasonLine() const;
  void Increment(platform::Hwnd counter);
  bool Ending() const;

  platform::Platform& os_;
  Form3& form_;
};

}  // namespace app
