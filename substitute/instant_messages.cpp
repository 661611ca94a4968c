// The client's "Send Instant Message" window: opened by an "aol://9293:"
// link, it sends with its ninth button, asks whether the addressee is
// online with its tenth, and refuses with the client's message box.
#include <algorithm>
#include <cctype>

#include "platform/codec.h"
#include "substitute/substitute_client.h"

namespace substitute {

using platform::LResult;
using platform::Message;

namespace {

constexpr std::string_view kImLink = "aol://9293:";
constexpr int kSendButton = 9;
constexpr int kAvailableButton = 10;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool StartsWithIgnoringCase(const std::string& text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         platform::EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

void SubstituteClient::After(double seconds, std::function<void()> action) {
  if (seconds <= 0) {
    action();
    return;
  }
  const std::uint32_t id = next_timer_++;
  pending_[id] = std::move(action);
  os_.SetTimer(frame_, id, static_cast<std::uint32_t>(seconds * 1000 + 0.5));
}

LResult SubstituteClient::HandleFrame(Hwnd window, const Message& message) {
  if (message.id != platform::kWmTimer) return os_.DefWindowProc(window, message);
  const auto id = static_cast<std::uint32_t>(message.w);
  os_.KillTimer(window, id);
  auto it = pending_.find(id);
  if (it == pending_.end()) return 0;
  std::function<void()> action = std::move(it->second);
  pending_.erase(it);
  action();
  return 0;
}

// What the keyword box goes to on Enter. Only IM links do anything here;
// other keywords are only logged.
void SubstituteClient::GoTo(const std::string& typed) {
  // The space typed after a link is no part of it; anything before it is.
  std::string target = typed;
  if (!target.empty() && target.back() == ' ') target.pop_back();
  if (!StartsWithIgnoringCase(target, kImLink) || script_.ignore_im_links) return;
  const std::string to = target.substr(kImLink.size());
  After(script_.im_window_delay, [this, to] { OpenImWindow(to); });
}

void SubstituteClient::OpenImWindow(const std::string& to) {
  const int buttons = script_.im_buttons;
  const int at_first = script_.im_buttons_at_first < 0
                           ? buttons
                           : std::min(script_.im_buttons_at_first, buttons);
  std::vector<std::string> first{std::string(kEditFieldClass), std::string(kRichTextClass)};
  first.insert(first.end(), static_cast<std::size_t>(at_first), std::string(kIconClass));
  std::vector<std::string> rest(static_cast<std::size_t>(buttons - at_first),
                                std::string(kIconClass));
  rest.emplace_back(kStaticClass);
  const Hwnd im = OpenWindow(kImCaption, first);
  os_.SendMessageText(os_.FindWindowEx(im, 0, kEditFieldClass), platform::kWmSetText, 0, to);
  const auto finish = [this, im, to, rest] {
    if (!os_.IsWindow(im)) return;
    AddChildren(im, rest);
    // Label the two buttons that act, for whoever watches the client.
    Hwnd icon = 0;
    for (int k = 1; (icon = os_.FindWindowEx(im, icon, kIconClass)) != 0; ++k) {
      if (k == kSendButton) os_.SendMessageText(icon, platform::kWmSetText, 0, "Send");
      if (k == kAvailableButton) os_.SendMessageText(icon, platform::kWmSetText, 0, "Available?");
    }
    Record({Received::Kind::kWindowOpened, im, std::string(kImCaption), os_.Now(), to});
  };
  if (at_first == buttons) {
    finish();
  } else {
    After(script_.im_rest_delay, finish);
  }
}

std::string SubstituteClient::ImAddressee(Hwnd im) {
  return TextOf(os_.FindWindowEx(im, 0, kEditFieldClass));
}

bool SubstituteClient::Refused(const std::string& to, std::string* text) const {
  for (const auto& [name, reason] : script_.refusals) {
    if (Lower(name) == Lower(to)) {
      *text = reason;
      return true;
    }
  }
  return false;
}

// A button of a client window acts on mouse up after a mouse down.
LResult SubstituteClient::HandleIcon(Hwnd window, const Message& message) {
  if (message.id == platform::kWmLButtonDown) {
    pressed_ = window;
    return 0;
  }
  if (message.id != platform::kWmLButtonUp || pressed_ != window) {
    return os_.DefWindowProc(window, message);
  }
  pressed_ = 0;
  const Hwnd owner = nodes_[window].owner;
  if (owner == 0 || !platform::EqualsIgnoreCase(os_.GetWindowText(owner, 64), kImCaption)) {
    return 0;
  }
  int position = 0;
  for (Hwnd icon = 0; (icon = os_.FindWindowEx(owner, icon, kIconClass)) != 0;) {
    ++position;
    if (icon == window) break;
  }
  if (position == kSendButton) SendIm(owner);
  if (position == kAvailableButton) AnswerOnlineQuery(owner);
  return 0;
}

void SubstituteClient::SendIm(Hwnd im) {
  const std::string to = ImAddressee(im);
  const std::string text = TextOf(os_.FindWindowEx(im, 0, kRichTextClass));
  if (script_.never_answer) return;
  After(script_.im_send_delay, [this, im, to, text] {
    if (!os_.IsWindow(im)) return;
    std::string refusal;
    if (Refused(to, &refusal)) {
      os_.ShowMessageBox(frame_, refusal, kMessageBoxCaption);
      return;  // the window stays open, unsent
    }
    Record({Received::Kind::kInstantMessage, im, text, os_.Now(), to});
    os_.DestroyWindow(im);
  });
}

void SubstituteClient::AnswerOnlineQuery(Hwnd im) {
  const std::string to = ImAddressee(im);
  Record({Received::Kind::kOnlineQuery, im, "", os_.Now(), to});
  if (script_.never_answer) return;
  const bool online = std::any_of(script_.online.begin(), script_.online.end(),
                                  [&](const std::string& n) { return Lower(n) == Lower(to); });
  const std::string answer = online ? to + " is online and able to receive Instant Messages."
                                    : to + " is not currently signed on.";
  After(script_.answer_delay, [this, answer] {
    const bool late_text = script_.answer_text_delay > 0;
    const Hwnd box = os_.ShowMessageBox(frame_, late_text ? "" : answer, kMessageBoxCaption);
    if (!late_text) return;
    After(script_.answer_text_delay, [this, box, answer] {
      Hwnd label = 0;
      for (int k = 0; k < 2; ++k) label = os_.FindWindowEx(box, label, "Static");
      os_.SendMessageText(label, platform::kWmSetText, 0, answer);
    });
  });
}

std::vector<std::pair<std::string, std::string>> SubstituteClient::InstantMessages() const {
  std::vector<std::pair<std::string, std::string>> out;
  for (const Received& r : log_) {
    if (r.kind == Received::Kind::kInstantMessage) out.emplace_back(r.to, r.text);
  }
  return out;
}

std::vector<Hwnd> SubstituteClient::ImWindows() const {
  std::vector<Hwnd> out;
  for (Hwnd w = 0; (w = os_.FindWindowEx(mdi_, w, kChildClass, kImCaption)) != 0;) {
    out.push_back(w);
  }
  return out;
}

}  // namespace substitute
