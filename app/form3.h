// The idler's one window: the away reason, Start, Stop and Exit, the two
// counters with their captions, and the two timers. It is built through the
// platform's hosting calls, so the same window runs in the simulated desktop
// and as a real Windows window. What its events do is the away mode's work.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace app {

using platform::Hwnd;

class AwayMode;

// An interval timer of the window, switched on and off like a control:
// enabling a timer that already runs leaves its rhythm alone.
class Timer {
 public:
  Timer(platform::Platform& os, std::uint32_t id, std::uint32_t interval_ms)
      : os_(os), id_(id), interval_ms_(interval_ms) {}
  void Attach(Hwnd window) { window_ = window; }
  void SetEnabled(bool enabled);
  bool enabled() const { return enabled_; }
  std::uint32_t id() const { return id_; }
  std::uint32_t interval_ms() const { return interval_ms_; }

 private:
  platform::Platform& os_;
  std::uint32_t id_;
  std::uint32_t interval_ms_;
  Hwnd window_ = 0;
  bool enabled_ = false;
};

class Form3 {
 public:
  static constexpr std::string_view kWindowClass = "BrixIdlerForm";
  static constexpr std::string_view kCaption = "Brix  Qvx Idler";
  // Control identifiers, sent back with WM_COMMAND.
  static constexpr std::uint32_t kText1Id = 101;
  static constexpr std::uint32_t kCommand1Id = 102;
  static constexpr std::uint32_t kCommand2Id = 103;
  static constexpr std::uint32_t kCommand3Id = 104;
  static constexpr std::uint32_t kLabel1Id = 105;
  static constexpr std::uint32_t kLabel2Id = 106;
  static constexpr std::uint32_t kLabel3Id = 107;
  static constexpr std::uint32_t kLabel4Id = 108;

  explicit Form3(platform::Platform& os);
  ~Form3();
  Form3(const Form3&) = delete;
  Form3& operator=(const Form3&) = delete;

  // Creates the window and its controls, runs the load announcement, then
  // shows the window with the focus on Start.
  void Open();
  bool Alive() const;

  Hwnd hwnd() const { return form_; }
  Hwnd Text1() const { return text1_; }
  Hwnd Command1() const { return command1_; }
  Hwnd Command2() const { return command2_; }
  Hwnd Command3() const { return command3_; }
  Hwnd Label1() const { return label1_; }
  Hwnd Label2() const { return label2_; }
  Hwnd Label3() const { return label3_; }
  Hwnd Label4() const { return label4_; }
  Timer& Timer1() { return timer1_; }
  Timer& Timer2() { return timer2_; }

  // Closes the window as the user would: the unload announcement runs, then
  // the window goes and the program ends.
  void Close();

 private:
  platform::LResult Handle(Hwnd window, const platform::Message& message);
  Hwnd Control(std::string_view cls, std::string_view text, int x_twips, int y_twips,
               int width_twips, int height_twips, std::uint32_t id, bool tab_stop);

  platform::Platform& os_;
  std::unique_ptr<AwayMode> away_;
  Timer timer1_;
  Timer timer2_;
  Hwnd form_ = 0;
  Hwnd text1_ = 0;
  Hwnd command1_ = 0;
  Hwnd command2_ = 0;
  Hwnd command3_ = 0;
  Hwnd label1_ = 0;
  Hwnd label2_ = 0;
  Hwnd label3_ = 0;
  Hwnd label4_ = 0;
  bool unloading_ = false;
};

// Opens the window and runs the program until it ends; returns the exit code.
int RunIdler(platform::Platform& os);

}  // namespace app
