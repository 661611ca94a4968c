// Simulated menus: a bar of drop-down menus, read by position or command.
#include "platform/codec.h"
#include "platform/sim/sim_ansi.h"
#include "platform/sim/sim_internal.h"
#include "platform/sim/sim_platform.h"

namespace platform::sim {

MenuHandle SimPlatform::CreateMenu() {
  const MenuHandle handle = next_menu_;
  next_menu_ += 4;
  menus_[handle] = std::make_unique<Menu>();
  Log("CreateMenu").result = handle;
  return handle;
}

MenuHandle SimPlatform::CreatePopupMenu() {
  const MenuHandle handle = CreateMenu();
  menus_[handle]->popup = true;
  return handle;
}

bool SimPlatform::AppendMenu(MenuHandle menu, std::uint32_t flags, std::uint32_t id,
                             std::string_view text) {
  CallRecord& call = Log("AppendMenu");
  call.numbers = {menu, flags, id};
  call.text = Utf8ToAnsi(text);
  auto it = menus_.find(menu);
  if (it == menus_.end()) return false;
  it->second->items.push_back({flags, id, Utf8ToAnsi(text)});
  return true;
}

bool SimPlatform::SetMenu(Hwnd window, MenuHandle menu) {
  Log("SetMenu", window).numbers = {menu};
  Window* w = Find(window);
  if (w == nullptr) return false;
  w->menu = menu;
  return true;
}

MenuHandle SimPlatform::GetMenu(Hwnd window) {
  Log("GetMenu", window);
  const Window* w = Find(window);
  const MenuHandle menu = w == nullptr ? 0 : w->menu;
  calls_.back().result = menu;
  return menu;
}

MenuHandle SimPlatform::GetSubMenu(MenuHandle menu, int position) {
  Log("GetSubMenu").numbers = {menu, position};
  auto it = menus_.find(menu);
  if (it == menus_.end() || position < 0 ||
      static_cast<std::size_t>(position) >= it->second->items.size()) {
    return 0;
  }
  const Menu::Item& item = it->second->items[static_cast<std::size_t>(position)];
  const MenuHandle sub = (item.flags & kMfPopup) != 0 ? item.id : 0;
  calls_.back().result = sub;
  return sub;
}

int SimPlatform::GetMenuItemCount(MenuHandle menu) {
  Log("GetMenuItemCount").numbers = {menu};
  auto it = menus_.find(menu);
  const int count = it == menus_.end() ? -1 : static_cast<int>(it->second->items.size());
  calls_.back().result = count;
  return count;
}

std::uint32_t SimPlatform::GetMenuItemID(MenuHandle menu, int position) {
  Log("GetMenuItemID").numbers = {menu, position};
  auto it = menus_.find(menu);
  std::uint32_t id = 0xFFFFFFFFu;
  if (it != menus_.end() && position >= 0 &&
      static_cast<std::size_t>(position) < it->second->items.size()) {
    const Menu::Item& item = it->second->items[static_cast<std::size_t>(position)];
    if ((item.flags & kMfPopup) == 0) id = item.id;
  }
  calls_.back().result = id;
  return id;
}

std::optional<std::string> SimPlatform::GetMenuString(MenuHandle menu, std::uint32_t item,
                                                      int capacity, std::uint32_t flags) {
  Log("GetMenuString").numbers = {menu, item, capacity, flags};
  auto it = menus_.find(menu);
  if (it == menus_.end()) return std::nullopt;
  const Menu::Item* found = nullptr;
  if ((flags & kMfByPosition) != 0) {
    if (item < it->second->items.size()) found = &it->second->items[item];
  } else {
    // By command, Windows looks into submenus too.
    std::vector<const Menu*> pending{it->second.get()};
    while (found == nullptr && !pending.empty()) {
      const Menu* m = pending.back();
      pending.pop_back();
      for (const Menu::Item& candidate : m->items) {
        if ((candidate.flags & kMfPopup) != 0) {
          auto sub = menus_.find(candidate.id);
          if (sub != menus_.end()) pending.push_back(sub->second.get());
        } else if ((candidate.flags & kMfSeparator) == 0 && candidate.id == item) {
          found = &candidate;
          break;
        }
      }
    }
  }
  if (found == nullptr) return std::nullopt;
  std::string bytes = found->text;
  if (capacity <= 0) return std::string();
  if (bytes.size() > static_cast<std::size_t>(capacity - 1)) bytes.resize(capacity - 1);
  calls_.back().text = bytes;
  calls_.back().result = static_cast<std::int64_t>(bytes.size());
  return Cp1252ToUtf8(bytes);
}

}  // namespace platform::sim
