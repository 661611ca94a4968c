#include "aol/core/instant_message.h"

#include <string>

#include "aol/core/client_classes.h"
#include "aol/core/keyword.h"
#include "aol/core/wait_limits.h"
#include "aol/core/window_path.h"
#include "desktop/window_utils.h"
#include "platform/codec.h"
#include "platform/platform.h"

namespace aol {
namespace {

constexpr std::string_view kSendImCaption = "Send Instant Message";
constexpr std::string_view kImLink = "aol://9293:";
constexpr std::string_view kOnlinePhrase = "is online and able to receive";
// The answer box's text is taken once it is longer than this: the client
// fills it in after showing the box.
constexpr std::size_t kAnswerReadyLength = 15;

Hwnd FindSendImWindow(Hwnd mdi) { return FirstChild(mdi, kChildClass, kSendImCaption); }

Hwnd FindClientMessageBox() {
  return platform::Current().FindWindow(kMessageBoxClass, kMessageBoxCaption);
}

std::size_t CharacterCount(const std::string& text) {
  return platform::Utf8ToCodePoints(text).size();
}

}  // namespace

void InstantMessage(std::string_view screen_name, std::string_view message) {
  platform::Platform& os = platform::Current();
  const Hwnd frame = FindFrame();
  const Hwnd mdi = FirstChild(frame, kMdiClass);
  Keyword(std::string(kImLink) + std::string(screen_name));
  if (frame == 0) return;  // no client: no window will come

  Hwnd im = 0;
  Hwnd box = 0;
  Hwnd send = 0;
  const bool opened = WaitFor(Limits().window_appears, [&] {
    im = FindSendImWindow(mdi);
    box = FirstChild(im, kRichTextClass);
    // A window the client is still building has fewer buttons, and a chain
    // of nine lookups would wrap round to one of its first: that is no send
    // button, so wait until there really are nine.
    send = NthChildNoWrap(im, kIconClass, 9);
    return im != 0 && box != 0 && send != 0;
  });
  if (!opened) return;

  os.SendMessageText(box, platform::kWmSetText, 0, message);
  os.SendMessage(send, platform::kWmLButtonDown, 0, 0);
  os.SendMessage(send, platform::kWmLButtonUp, 0, 0);

  // Either the window closes (the message went out) or the client refuses
  // with its message box.
  Hwnd dialog = 0;
  WaitFor(Limits().client_answers, [&] {
    dialog = FindClientMessageBox();
    const Hwnd still_open = FindSendImWindow(mdi);
    if (still_open != 0) im = still_open;
    return dialog != 0 || still_open == 0;
  });
  if (dialog == 0) return;
  const Hwnd button = FirstChild(dialog, kButtonClass);
  os.PostMessage(button, platform::kWmKeyDown, platform::kVkSpace, 0);
  os.PostMessage(button, platform::kWmKeyUp, platform::kVkSpace, 0);
  os.PostMessage(im, platform::kWmClose, 0, 0);
}

bool CheckOnline(std::string_view screen_name) {
  platform::Platform& os = platform::Current();
  const Hwnd frame = FindFrame();
  const Hwnd mdi = FirstChild(frame, kMdiClass);
  Keyword(std::string(kImLink) + std::string(screen_name));
  if (frame == 0) return false;

  Hwnd im = 0;
  Hwnd avail = 0;
  const bool opened = WaitFor(Limits().window_appears, [&] {
    im = FindSendImWindow(mdi);
    const Hwnd box = FirstChild(im, kRichTextClass);
    const Hwnd icon1 = NextChild(im, 0, kIconClass);
    const Hwnd icon2 = NextChild(im, icon1, kIconClass);
    const Hwnd icon3 = NextChild(im, icon2, kIconClass);
    // A window with fewer than ten buttons (one the client is still
    // building, say) wraps round: with five, the tenth lookup lands on the
    // fourth. So the chain must reach the tenth without running out, beside
    // differing from the first three.
    avail = icon3;
    for (int k = 4; k <= 10 && avail != 0; ++k) avail = NextChild(im, avail, kIconClass);
    return im != 0 && box != 0 && icon1 != 0 && icon2 != 0 && avail != 0 && avail != icon1 &&
           avail != icon2 && avail != icon3;
  });
  if (!opened) return false;

  os.Yield();
  os.SendMessage(avail, platform::kWmLButtonDown, 0, 0);
  os.SendMessage(avail, platform::kWmLButtonUp, 0, 0);

  Hwnd dialog = 0;
  Hwnd ok = 0;
  const bool answered = WaitFor(Limits().client_answers, [&] {
    dialog = FindClientMessageBox();
    ok = FirstChild(dialog, kButtonClass, "OK");
    return dialog != 0 && ok != 0;
  });
  if (!answered) {
    // No answer: close the window opened for the question and say no.
    os.PostMessage(im, platform::kWmClose, 0, 0);
    return false;
  }

  std::string text;
  WaitFor(Limits().client_answers, [&] {
    const Hwnd label = NthChild(dialog, kPlainStaticClass, 2);
    text = desktop::GetText(label);
    return label != 0 && CharacterCount(text) > kAnswerReadyLength;
  });
  const bool online = text.find(kOnlinePhrase) != std::string::npos;
  // The box is dismissed even when its text never came, so none is left behind.
  os.SendMessage(ok, platform::kWmKeyDown, platform::kVkSpace, 0);
  os.SendMessage(ok, platform::kWmKeyUp, platform::kVkSpace, 0);
  os.PostMessage(im, platform::kWmClose, 0, 0);
  return online;
}

void TurnImsOn() { InstantMessage("$IM_ON", "=)"); }

void TurnImsOff() { InstantMessage("$IM_OFF", "=)"); }

void TurnImsOnFor(std::string_view screen_name) {
  InstantMessage("$IM_ON, " + std::string(screen_name), "=)");
}

void TurnImsOffFor(std::string_view screen_name) {
  InstantMessage("$IM_OFF, " + std::string(screen_name), "=)");
}

}  // namespace aol
