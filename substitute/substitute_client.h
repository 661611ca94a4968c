// The substitute client: a stand-in for the chat client that the idler
// drives. It creates windows with the client's classes and captions, in the
// client's order, and answers the messages the program sends the way the
// client does. It is written only against platform/, so the same code runs in
// the simulated desktop (tests) and as a real Windows program.
//
// A test or a scenario says what is open (chat rooms and other client
// windows, who is in a room) and reads back what the client received.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace substitute {

using platform::Hwnd;

// Window classes of the client.
inline constexpr std::string_view kFrameClass = "AOL Frame25";
inline constexpr std::string_view kMdiClass = "MDIClient";
inline constexpr std::string_view kChildClass = "AOL Child";
inline constexpr std::string_view kRichTextClass = "RICHCNTL";
inline constexpr std::string_view kListClass = "_AOL_Listbox";
inline constexpr std::string_view kIconClass = "_AOL_Icon";
inline constexpr std::string_view kStaticClass = "_AOL_Static";
inline constexpr std::string_view kToolbarOuterClass = "AOL Toolbar";
inline constexpr std::string_view kToolbarInnerClass = "_AOL_Toolbar";
inline constexpr std::string_view kComboClass = "_AOL_Combobox";
inline constexpr std::string_view kKeywordEditClass = "Edit";
inline constexpr std::string_view kEditFieldClass = "_AOL_Edit";
inline constexpr std::string_view kImCaption = "Send Instant Message";
inline constexpr std::string_view kMessageBoxCaption = "America Online";

// Something the client received, in the order it arrived.
struct Received {
  enum class Kind { kRoomLine, kKeyword, kInstantMessage, kOnlineQuery, kWindowOpened };
  Kind kind;
  Hwnd window;       // the room, the keyword box or the IM window
  std::string text;  // UTF-8, as the client understood it (the message of an IM)
  double time;       // platform clock when it arrived
  std::string to;    // the screen name an IM or a query was addressed to
};

// How the client behaves: how long it takes and what it refuses. Names are
// compared ignoring case, as the client does.
struct ClientScript {
  double im_window_delay = 0.2;    // keyword -> "Send Instant Message" window
  double im_send_delay = 0.1;      // send click -> window closes (or the refusal box)
  double answer_delay = 0.2;       // availability click -> answer box
  double answer_text_delay = 0.0;  // answer box shown -> its text filled in
  int im_buttons = 10;             // buttons of the IM window (the 9th sends)
  // A client that builds its IM window in two goes: the window shows with
  // this many buttons first (-1: all at once), the rest follow after
  // im_rest_delay seconds.
  int im_buttons_at_first = -1;
  double im_rest_delay = 0.5;
  bool ignore_im_links = false;    // a client that never opens the IM window
  bool never_answer = false;       // a client that never answers a send or a query
  std::map<std::string, std::string> refusals;  // screen name -> the box's text
  std::set<std::string> online;                 // names reported online
};

class SubstituteClient {
 public:
  // Builds the frame, its MDI area and the toolbar with the keyword box.
  // The caller makes the platform calls run as the client's process.
  explicit SubstituteClient(platform::Platform& os, std::string screen_name = "BrixUser");
  ~SubstituteClient();
  SubstituteClient(const SubstituteClient&) = delete;
  SubstituteClient& operator=(const SubstituteClient&) = delete;

  Hwnd frame() const { return frame_; }
  Hwnd mdi() const { return mdi_; }
  Hwnd keyword_box() const { return keyword_box_; }
  const std::string& screen_name() const { return screen_name_; }

  // ---- Scenario ----
  // Opens a chat room in front of the other client windows: history and
  // entry boxes, the member list, buttons and a label.
  Hwnd OpenChatRoom(std::string_view name, const std::vector<std::string>& members = {});
  // Opens any client window ("AOL Child") in front, with children of the
  // given classes in that order. Serves for windows that look almost like a
  // room, and for the client's other windows.
  Hwnd OpenWindow(std::string_view caption, const std::vector<std::string>& child_classes);
  void BringToFront(Hwnd window);
  // Adds children of the given classes to an open client window, after the
  // ones it has.
  void AddChildren(Hwnd window, const std::vector<std::string>& child_classes);
  void Close(Hwnd window);

  // ---- What the client received ----
  // Lines the room received, as Windows-1252 bytes (the client is an ANSI
  // program: this is what it got).
  std::vector<std::string> TranscriptBytes(Hwnd room) const;
  std::vector<std::string> Transcript(Hwnd room) const;  // UTF-8
  // Every line any room received, in order, as bytes.
  std::vector<std::string> AllRoomLineBytes() const;
  std::vector<std::string> Keywords() const;  // what was entered in the keyword box
  // Instant Messages that went out: (to, message), in order.
  std::vector<std::pair<std::string, std::string>> InstantMessages() const;
  const std::vector<Received>& Log() const { return log_; }

  ClientScript& script() { return script_; }
  // As a program of its own, the client ends when its frame is closed.
  void QuitWhenClosed() { quit_on_close_ = true; }
  // Called with everything the client receives, as it arrives.
  void OnReceive(std::function<void(const Received&)> listener) { listener_ = std::move(listener); }
  // The open "Send Instant Message" windows, front to back.
  std::vector<Hwnd> ImWindows() const;

 private:
  enum class Role { kFrame, kMdi, kChild, kHistory, kEntry, kRichText, kList, kIcon, kStatic,
                    kToolbarOuter, kToolbarInner, kCombo, kKeywordBox, kOther };
  struct Layout {  // where a client window's next child goes
    int y = 4;
    int rich_texts = 0;
    int icons = 0;
    int icon_row = -1;
  };
  struct Node {
    Role role = Role::kOther;
    Layout layout;
    Hwnd owner = 0;                    // the client window it belongs to
    std::vector<std::string> lines;    // a room's transcript (UTF-8)
    std::vector<std::uint32_t> records;  // a member list's item data
  };

  platform::LResult Handle(Hwnd window, const platform::Message& message);
  platform::LResult HandleTypingBox(Hwnd window, const platform::Message& message,
                                    const std::function<void(const std::string&)>& on_enter);
  void SayInRoom(Hwnd room, const std::string& line);
  std::string TextOf(Hwnd window);
  platform::LResult HandleList(Hwnd window, const platform::Message& message);
  platform::LResult HandleIcon(Hwnd window, const platform::Message& message);
  platform::LResult HandleFrame(Hwnd window, const platform::Message& message);
  // Runs `action` after `seconds` (at once for 0), as the client's own work.
  void After(double seconds, std::function<void()> action);
  void GoTo(const std::string& target);
  void OpenImWindow(const std::string& to);
  void SendIm(Hwnd im);
  void AnswerOnlineQuery(Hwnd im);
  std::string ImAddressee(Hwnd im);
  bool Refused(const std::string& to, std::string* text) const;
  void RegisterClasses();
  Hwnd Create(std::string_view cls, std::string_view text, Hwnd parent, platform::Rect bounds,
              Role role, Hwnd owner);
  std::uint32_t StoreMemberRecord(const std::string& name);
  void Forget(Hwnd window);
  void Record(Received received);

  platform::Platform& os_;
  std::string screen_name_;
  std::map<Hwnd, Node> nodes_;
  std::vector<Received> log_;
  Hwnd frame_ = 0;
  Hwnd mdi_ = 0;
  Hwnd keyword_box_ = 0;
  int next_child_offset_ = 0;
  ClientScript script_;
  Hwnd pressed_ = 0;  // the button a mouse went down on
  bool quit_on_close_ = false;
  std::function<void(const Received&)> listener_;
  std::map<std::uint32_t, std::function<void()>> pending_;  // timer id -> action
  std::uint32_t next_timer_ = 1;
};

}  // namespace substitute
