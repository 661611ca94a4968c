#include "substitute/substitute_client.h"

#include <algorithm>

#include "platform/codec.h"

namespace substitute {

using platform::LResult;
using platform::Message;
using platform::Rect;

namespace {

constexpr std::uint32_t kCarriageReturn = 13;
// Buttons of a chat room (send, and the room's tools).
constexpr int kRoomButtons = 6;

}  // namespace

SubstituteClient::SubstituteClient(platform::Platform& os, std::string screen_name)
    : os_(os), screen_name_(std::move(screen_name)) {
  RegisterClasses();
  platform::WindowSpec frame{std::string(kFrameClass), "America Online", 0, {40, 40, 840, 640}};
  frame.title_bar = true;
  frame_ = os_.CreateWindow(frame);
  nodes_[frame_].role = Role::kFrame;
  Hwnd outer = Create(kToolbarOuterClass, "", frame_, {0, 0, 800, 40}, Role::kToolbarOuter, 0);
  Hwnd inner = Create(kToolbarInnerClass, "", outer, {0, 0, 800, 40}, Role::kToolbarInner, 0);
  for (int k = 0; k < 10; ++k) {
    Create(kIconClass, "", inner, {k * 36, 2, k * 36 + 34, 36}, Role::kIcon, 0);
  }
  Hwnd combo = Create(kComboClass, "", inner, {380, 8, 700, 32}, Role::kCombo, 0);
  keyword_box_ = Create(kKeywordEditClass, "", combo, {2, 2, 300, 22}, Role::kKeywordBox, 0);
  mdi_ = Create(kMdiClass, "", frame_, {0, 40, 800, 580}, Role::kMdi, 0);
}

SubstituteClient::~SubstituteClient() {
  if (os_.IsWindow(frame_)) os_.DestroyWindow(frame_);
}

void SubstituteClient::RegisterClasses() {
  const auto proc = [this](Hwnd window, const Message& message) {
    return Handle(window, message);
  };
  for (std::string_view cls : {kFrameClass, kMdiClass, kChildClass, kRichTextClass, kListClass,
                               kIconClass, kStaticClass, kToolbarOuterClass, kToolbarInnerClass,
                               kComboClass, kKeywordEditClass, kEditFieldClass}) {
    os_.RegisterClass(cls, proc);
  }
}

Hwnd SubstituteClient::Create(std::string_view cls, std::string_view text, Hwnd parent, Rect bounds,
                              Role role, Hwnd owner) {
  platform::WindowSpec spec{std::string(cls), std::string(text), parent, bounds};
  // On a real desktop the client's text boxes, fields and labels show what
  // they hold.
  spec.shows_text = role == Role::kHistory || role == Role::kEntry || role == Role::kRichText ||
                    role == Role::kStatic || role == Role::kKeywordBox || role == Role::kList ||
                    role == Role::kIcon || role == Role::kOther;
  const Hwnd window = os_.CreateWindow(spec);
  if (window != 0) {
    Node& node = nodes_[window];
    node.role = role;
    node.owner = owner;
  }
  return window;
}

Hwnd SubstituteClient::OpenWindow(std::string_view caption,
                                  const std::vector<std::string>& child_classes) {
  const int offset = (next_child_offset_++ % 8) * 20;
  const Hwnd child = Create(kChildClass, caption, mdi_,
                            {offset, offset, offset + 500, offset + 330}, Role::kChild, 0);
  nodes_[child].owner = child;
  AddChildren(child, child_classes);
  BringToFront(child);
  return child;
}

// A plain layout that shows what each child is: fields and text boxes down
// the left, a list on the right, buttons in a row, labels at the bottom.
void SubstituteClient::AddChildren(Hwnd window, const std::vector<std::string>& child_classes) {
  Layout& at_now = nodes_[window].layout;
  const std::string caption = TextOf(window);
  for (const std::string& cls : child_classes) {
    Role role = Role::kOther;
    Rect at{4, at_now.y, 370, at_now.y + 22};
    std::string text;
    if (platform::EqualsIgnoreCase(cls, kRichTextClass)) {
      ++at_now.rich_texts;
      role = at_now.rich_texts == 1   ? Role::kHistory
             : at_now.rich_texts == 2 ? Role::kEntry
                                      : Role::kRichText;
      at.bottom = at_now.y + (at_now.rich_texts == 1 ? 180 : 40);
    } else if (platform::EqualsIgnoreCase(cls, kListClass)) {
      role = Role::kList;
      at = {376, 4, 496, 226};
    } else if (platform::EqualsIgnoreCase(cls, kIconClass)) {
      role = Role::kIcon;
      if (at_now.icon_row < 0) at_now.icon_row = at_now.y;
      at = {4 + at_now.icons * 48, at_now.icon_row, 4 + at_now.icons * 48 + 46,
            at_now.icon_row + 24};
      ++at_now.icons;
    } else if (platform::EqualsIgnoreCase(cls, kStaticClass)) {
      role = Role::kStatic;
      at = {4, 290, 496, 310};
      text = caption;
    }
    Create(cls, text, window, at, role, window);
    if (role != Role::kList && role != Role::kIcon && role != Role::kStatic) at_now.y = at.bottom + 4;
    if (role == Role::kIcon && at_now.icons == 1) at_now.y = at_now.icon_row + 28;
  }
}

Hwnd SubstituteClient::OpenChatRoom(std::string_view name,
                                    const std::vector<std::string>& members) {
  std::vector<std::string> classes{std::string(kRichTextClass), std::string(kRichTextClass),
                                   std::string(kListClass)};
  for (int k = 0; k < kRoomButtons; ++k) classes.emplace_back(kIconClass);
  classes.emplace_back(kStaticClass);
  const Hwnd room = OpenWindow(name, classes);
  const Hwnd list = os_.FindWindowEx(room, 0, kListClass);
  std::string shown;
  for (const std::string& member : members) {
    nodes_[list].records.push_back(StoreMemberRecord(member));
    shown += member + "\r\n";
  }
  os_.SendMessageText(list, platform::kWmSetText, 0, shown);
  return room;
}

// The client keeps a record per member; the list entry's item data is its
// address A, the name pointer B sits at A + 24, the name at B + 6.
std::uint32_t SubstituteClient::StoreMemberRecord(const std::string& name) {
  const std::string bytes = platform::Utf8ToCp1252(name);
  const std::uint32_t name_block = os_.AllocateSharedMemory(6 + std::max<std::size_t>(bytes.size() + 1, 17));
  os_.WriteOwnMemory(name_block + 6, bytes.data(), bytes.size());
  const std::uint32_t record = os_.AllocateSharedMemory(32);
  const std::uint8_t pointer[4] = {
      static_cast<std::uint8_t>(name_block), static_cast<std::uint8_t>(name_block >> 8),
      static_cast<std::uint8_t>(name_block >> 16), static_cast<std::uint8_t>(name_block >> 24)};
  os_.WriteOwnMemory(record + 24, pointer, sizeof pointer);
  return record;
}

void SubstituteClient::BringToFront(Hwnd window) {
  os_.SetWindowPos(window, platform::kHwndTop, 0, 0, 0, 0,
                   platform::kSwpNoMove | platform::kSwpNoSize | platform::kSwpNoActivate);
}

void SubstituteClient::Close(Hwnd window) { os_.DestroyWindow(window); }

void SubstituteClient::Forget(Hwnd window) {
  auto it = nodes_.find(window);
  if (it == nodes_.end()) return;
  // A room's transcript outlives its window, so a test can still read it.
  if (it->second.role != Role::kChild) nodes_.erase(it);
}

void SubstituteClient::Record(Received received) {
  log_.push_back(std::move(received));
  if (listener_) listener_(log_.back());
}

std::vector<std::string> SubstituteClient::Transcript(Hwnd room) const {
  auto it = nodes_.find(room);
  return it == nodes_.end() ? std::vector<std::string>{} : it->second.lines;
}

std::vector<std::string> SubstituteClient::TranscriptBytes(Hwnd room) const {
  std::vector<std::string> out;
  for (const std::string& line : Transcript(room)) out.push_back(platform::Utf8ToCp1252(line));
  return out;
}

std::vector<std::string> SubstituteClient::AllRoomLineBytes() const {
  std::vector<std::string> out;
  for (const Received& r : log_) {
    if (r.kind == Received::Kind::kRoomLine) out.push_back(platform::Utf8ToCp1252(r.text));
  }
  return out;
}

std::vector<std::string> SubstituteClient::Keywords() const {
  std::vector<std::string> out;
  for (const Received& r : log_) {
    if (r.kind == Received::Kind::kKeyword) out.push_back(r.text);
  }
  return out;
}

// ---- Message handling ---------------------------------------------------------

LResult SubstituteClient::Handle(Hwnd window, const Message& message) {
  if (message.id == platform::kWmDestroy) {
    if (window == frame_ && quit_on_close_) os_.PostQuitMessage(0);
    Forget(window);
    return 0;
  }
  auto it = nodes_.find(window);
  const Role role = it == nodes_.end() ? Role::kOther : it->second.role;
  switch (role) {
    case Role::kEntry:
      return HandleTypingBox(window, message, [this, window](const std::string& line) {
        SayInRoom(nodes_[window].owner, line);
      });
    case Role::kKeywordBox:
      // Logged as the box held it, trailing space and all.
      return HandleTypingBox(window, message, [this, window](const std::string& typed) {
        Record({Received::Kind::kKeyword, window, typed, os_.Now(), {}});
        GoTo(typed);
      });
    case Role::kList:
      return HandleList(window, message);
    case Role::kIcon:
      return HandleIcon(window, message);
    case Role::kFrame:
      return HandleFrame(window, message);
    default:
      return os_.DefWindowProc(window, message);
  }
}

// A one-line box of the client: characters are typed into it, and Enter
// empties it and hands what it held to `on_enter`.
LResult SubstituteClient::HandleTypingBox(Hwnd window, const Message& message,
                                          const std::function<void(const std::string&)>& on_enter) {
  if (message.id != platform::kWmChar) return os_.DefWindowProc(window, message);
  std::string text = TextOf(window);
  if (message.w == kCarriageReturn) {
    os_.SendMessageText(window, platform::kWmSetText, 0, "");
    on_enter(text);
    return 0;
  }
  platform::AppendUtf8(text, static_cast<char32_t>(message.w));
  os_.SendMessageText(window, platform::kWmSetText, 0, text);
  return 0;
}

// A chat room's entry box: Enter sends the line to the room.
void SubstituteClient::SayInRoom(Hwnd room, const std::string& line) {
  nodes_[room].lines.push_back(line);
  Record({Received::Kind::kRoomLine, room, line, os_.Now(), {}});
  // The room's history shows the line after the sender's name.
  const Hwnd history = os_.FindWindowEx(room, 0, kRichTextClass);
  os_.SendMessageText(history, platform::kWmSetText, 0,
                      TextOf(history) + screen_name_ + ":\t" + line + "\r\n");
}

std::string SubstituteClient::TextOf(Hwnd window) {
  return os_.GetWindowText(window, os_.GetWindowTextLength(window) + 1);
}

// The member list hands out no text, only each entry's record address.
LResult SubstituteClient::HandleList(Hwnd window, const Message& message) {
  const std::vector<std::uint32_t>& records = nodes_[window].records;
  switch (message.id) {
    case platform::kLbGetCount:
      return static_cast<LResult>(records.size());
    case platform::kLbGetItemData:
      return message.w < records.size() ? records[message.w] : platform::kLbErr;
    default:
      return os_.DefWindowProc(window, message);
  }
}

}  // namespace substitute
