#include "app/form3.h"

#include "app/away_mode.h"

namespace app {

using platform::Color;
using platform::LResult;
using platform::Message;

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int Px(int twips) { return twips / kTwipsPerPixel; }

// The client area: 6225 x 1500 twips at 2025, 2325 twips on the screen.
constexpr int kClientLeft = 2025;
constexpr int kClientTop = 2325;
constexpr int kClientWidth = 6225;
constexpr int kClientHeight = 1500;

constexpr Color kBlack{0, 0, 0};
constexpr Color kGrey{128, 128, 128};

}  // namespace

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) {
    os_.SetTimer(window_, id_, interval_ms_);
  } else {
    os_.KillTimer(window_, id_);
  }
}

Form3::Form3(platform::Platform& os)
    : os_(os), away_(std::make_unique<AwayMode>(os, *this)), timer1_(os, 1, 1000),
      timer2_(os, 2, 60000) {}

Form3::~Form3() {
  if (Alive()) os_.DestroyWindow(form_);
}

bool Form3::Alive() const { return form_ != 0 && os_.IsWindow(form_); }

Hwnd Form3::Control(std::string_view cls, std::string_view text, int x, int y, int width,
                    int height, std::uint32_t id, bool tab_stop) {
  platform::WindowSpec spec{std::string(cls), std::string(text), form_,
                            {Px(x), Px(y), Px(x + width), Px(y + height)}, id};
  spec.tab_stop = tab_stop;
  return os_.CreateWindow(spec);
}

void Form3::Open() {
  os_.RegisterClass(kWindowClass, [this](Hwnd window, const Message& message) {
    return Handle(window, message);
  });
  platform::WindowSpec spec{std::string(kWindowClass), std::string(kCaption), 0,
                            {Px(kClientLeft), Px(kClientTop), Px(kClientLeft + kClientWidth),
                             Px(kClientTop + kClientHeight)}};
  spec.title_bar = true;
  spec.visible = false;  // shown once the load announcement is done
  form_ = os_.CreateWindow(spec);
  os_.SetBackgroundColor(form_, kBlack);
  os_.SetBackgroundPicture(form_, "BACKGROUND");
  os_.SetWindowIcon(form_, "APPICON");

  // Created in tab order: Start, Stop, the reason, the counters, Exit.
  command1_ = Control(platform::kButtonClass, "Start", 0, 1080, 975, 255, kCommand1Id, true);
  command2_ = Control(platform::kButtonClass, "Stop", 5160, 1080, 1095, 255, kCommand2Id, true);
  text1_ = Control(platform::kEditClass, "Were you goin?", 1560, 0, 2655, 495, kText1Id, true);
  label1_ = Control(platform::kStaticClass, "0", 2040, 1080, 735, 255, kLabel1Id, false);
  label2_ = Control(platform::kStaticClass, "0", 4320, 1080, 855, 255, kLabel2Id, false);
  label3_ = Control(platform::kStaticClass, "Seconds", 1080, 1080, 735, 255, kLabel3Id, false);
  label4_ = Control(platform::kStaticClass, "Minutes", 3240, 1080, 615, 255, kLabel4Id, false);
  command3_ = Control(platform::kButtonClass, "Exit", 5280, 0, 975, 255, kCommand3Id, true);
  for (Hwnd label : {label1_, label2_, label3_, label4_}) {
    os_.SetControlColors(label, kGrey, kBlack);
  }
  timer1_.Attach(form_);
  timer2_.Attach(form_);

  away_->OnLoad();
  if (!Alive()) return;
  os_.ShowWindow(form_, platform::kSwShow);
  os_.SetFocus(command1_);
}

void Form3::Close() {
  if (Alive()) os_.SendMessage(form_, platform::kWmClose, 0, 0);
}

LResult Form3::Handle(Hwnd window, const Message& message) {
  switch (message.id) {
    case platform::kWmCommand:
      if (platform::HighWord(message.w) != platform::kBnClicked) break;
      switch (platform::LowWord(message.w)) {
        case kCommand1Id:
          away_->OnStart();
          return 0;
        case kCommand2Id:
          away_->OnStop();
          return 0;
        case kCommand3Id:
          away_->OnExit();
          return 0;
        default:
          break;
      }
      break;
    case platform::kWmTimer:
      // A tick queued before its timer was switched off is dropped.
      if (message.w == timer1_.id() && timer1_.enabled()) away_->OnSecondTick();
      if (message.w == timer2_.id() && timer2_.enabled()) away_->OnMinuteTick();
      return 0;
    case platform::kWmClose:
      // A second close while the farewells are still going out changes nothing.
      if (unloading_) return 0;
      unloading_ = true;
      away_->OnUnload();
      os_.DestroyWindow(window);
      return 0;
    case platform::kWmDestroy:
      os_.PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return os_.DefWindowProc(window, message);
}

int RunIdler(platform::Platform& os) {
  Form3 form(os);
  form.Open();
  return os.RunMessageLoop();
}

}  // namespace app
