// The built-in controls of the simulated desktop: button, edit, static, list
// box, combo box and the message-box dialog. They answer the messages the
// program and its tests use, the way the real controls do.
#include "platform/codec.h"
#include "platform/sim/sim_ansi.h"
#include "platform/sim/sim_internal.h"
#include "platform/sim/sim_platform.h"

namespace platform::sim {
namespace {

constexpr std::uint32_t kIdOk = 1;

// LB_ and CB_ messages that work alike on a list of entries.
struct ListMessages {
  Msg add, insert, remove, reset, get_count, get_text, get_text_len, get_data, set_data, set_sel,
      get_sel;
};
constexpr ListMessages kListBox{kLbAddString, kLbInsertString, kLbDeleteString, kLbResetContent,
                                kLbGetCount,  kLbGetText,      kLbGetTextLen,   kLbGetItemData,
                                kLbSetItemData, kLbSetCurSel,  kLbGetCurSel};
constexpr ListMessages kComboBox{kCbAddString,   kCbInsertString, kCbDeleteString,
                                 kCbResetContent, kCbGetCount,    kCbGetLbText,
                                 kCbGetLbTextLen, kCbGetItemData, kCbSetItemData,
                                 kCbSetCurSel,    kCbGetCurSel};

bool ValidIndex(const std::vector<ListItem>& items, WParam index) {
  return static_cast<std::int64_t>(index) >= 0 && index < items.size();
}

// Returns true when the message was a list message, with its result in *result.
bool HandleList(const ListMessages& m, std::vector<ListItem>& items,
                int& selection, const Message& message, LResult* result) {
  const Msg id = message.id;
  if (id == m.add) {
    items.push_back({Utf8ToAnsi(message.text), 0});
    *result = static_cast<LResult>(items.size() - 1);
  } else if (id == m.insert) {
    const auto at = static_cast<std::int64_t>(message.w);
    if (at < -1 || at > static_cast<std::int64_t>(items.size())) {
      *result = kLbErr;
    } else {
      const std::size_t pos = at == -1 ? items.size() : static_cast<std::size_t>(at);
      items.insert(items.begin() + static_cast<std::ptrdiff_t>(pos),
                   {Utf8ToAnsi(message.text), 0});
      *result = static_cast<LResult>(pos);
    }
  } else if (id == m.remove) {
    if (!ValidIndex(items, message.w)) {
      *result = kLbErr;
    } else {
      items.erase(items.begin() + static_cast<std::ptrdiff_t>(message.w));
      *result = static_cast<LResult>(items.size());
    }
  } else if (id == m.reset) {
    items.clear();
    selection = -1;
    *result = 0;
  } else if (id == m.get_count) {
    *result = static_cast<LResult>(items.size());
  } else if (id == m.get_text) {
    if (!ValidIndex(items, message.w)) {
      *result = kLbErr;
    } else {
      const std::string& bytes = items[message.w].text;
      if (message.reply != nullptr) *message.reply = Cp1252ToUtf8(bytes);
      *result = static_cast<LResult>(bytes.size());
    }
  } else if (id == m.get_text_len) {
    *result = ValidIndex(items, message.w) ? static_cast<LResult>(items[message.w].text.size())
                                           : kLbErr;
  } else if (id == m.get_data) {
    *result = ValidIndex(items, message.w) ? static_cast<LResult>(items[message.w].data) : kLbErr;
  } else if (id == m.set_data) {
    if (!ValidIndex(items, message.w)) {
      *result = kLbErr;
    } else {
      items[message.w].data = static_cast<std::uint64_t>(message.l);
      *result = 0;
    }
  } else if (id == m.set_sel) {
    // -1 clears the selection and still answers LB_ERR; an index past the
    // end answers LB_ERR and leaves the selection alone.
    const auto at = static_cast<std::int64_t>(message.w);
    if (at == -1 || !ValidIndex(items, message.w)) {
      if (at == -1) selection = -1;
      *result = kLbErr;
    } else {
      selection = static_cast<int>(at);
      *result = selection;
    }
  } else if (id == m.get_sel) {
    *result = selection;
  } else {
    return false;
  }
  return true;
}

}  // namespace

LResult SimPlatform::BuiltinProc(Hwnd handle, const Message& message) {
  Window* w = Find(handle);
  const std::string& kind = w->builtin;

  if (kind == "button") {
    const auto click = [&] {
      const Hwnd parent = w->parent;
      const std::uint32_t id = w->id;
      SendMessage(parent, kWmCommand, MakeWParam(id, kBnClicked), handle);
    };
    switch (message.id) {
      case kWmLButtonDown:
        w->pushed = true;
        focus_ = handle;
        return 0;
      case kWmLButtonUp: {
        if (!w->pushed) return 0;
        w->pushed = false;
        // Let go off the button, no click. lParam holds the client point.
        const auto x = static_cast<std::int16_t>(message.l & 0xFFFF);
        const auto y = static_cast<std::int16_t>((message.l >> 16) & 0xFFFF);
        if (x < 0 || y < 0 || x >= w->rect.width() || y >= w->rect.height()) return 0;
        click();
        return 0;
      }
      case kWmKeyDown:
        if (message.w == kVkSpace) w->pushed = true;
        return 0;
      case kWmKeyUp:
        if (message.w != kVkSpace || !w->pushed) return 0;
        w->pushed = false;
        click();
        return 0;
      case kBmClick:
        click();
        return 0;
      case kBmSetCheck:
        w->check = static_cast<std::int64_t>(message.w);
        return 0;
      case kBmGetCheck:
        return w->check;
      default:
        return DefWindowProc(handle, message);
    }
  }

  if (kind == "edit") {
    if (message.id == kWmChar) {
      const auto ch = static_cast<char32_t>(message.w);
      if (ch == kVkBack) {
        if (!w->text.empty()) w->text.pop_back();
      } else if (ch >= 0x20) {
        w->text += CodePointToAnsi(ch);
      }
      // A single-line edit control ignores Enter and other control characters.
      return 0;
    }
    if (message.id == kWmLButtonDown) focus_ = handle;
    return DefWindowProc(handle, message);
  }

  if (kind == "listbox" || kind == "combobox") {
    const ListMessages& m = kind == "listbox" ? kListBox : kComboBox;
    LResult result = 0;
    if (HandleList(m, w->items, w->selection, message, &result)) {
      // The edit part shows the selected entry, and empties with the list.
      if (kind == "combobox" && message.id == kCbSetCurSel &&
          (result != kCbErr || static_cast<std::int64_t>(message.w) == -1)) {
        w->text = w->selection >= 0 ? w->items[static_cast<std::size_t>(w->selection)].text : "";
      }
      if (kind == "combobox" && message.id == kCbResetContent) w->text.clear();
      return result;
    }
    return DefWindowProc(handle, message);
  }

  if (kind == "#32770") {
    // A message box ends when its OK button is pressed.
    if (message.id == kWmCommand && LowWord(message.w) == kIdOk &&
        HighWord(message.w) == kBnClicked) {
      DestroyWindow(handle);
      return 0;
    }
    return DefWindowProc(handle, message);
  }

  return DefWindowProc(handle, message);
}

}  // namespace platform::sim
