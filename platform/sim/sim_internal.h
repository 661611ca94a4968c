// The simulated desktop's own records; shared by the sim's source files only.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace platform::sim {

struct ListItem {
  std::string text;  // Windows-1252 bytes
  std::uint64_t data = 0;
};

struct SimPlatform::Window {
  Hwnd handle = 0;
  Pid pid = 0;
  std::string cls;
  std::shared_ptr<WindowProc> proc;  // null: a built-in control
  std::string builtin;               // lower-case built-in class when proc is null
  std::string text;                  // Windows-1252 bytes
  Hwnd parent = 0;
  std::vector<Hwnd> children;  // front to back
  Rect rect;                   // outer rectangle, relative to the parent's client area
  Rect frame;                  // frame thickness on each side (left, top, right, bottom)
  bool visible = true;
  bool topmost = false;
  bool tab_stop = false;
  bool dialog_navigation = false;  // Tab moves between its tab stops
  bool destroying = false;
  std::uint32_t id = 0;
  MenuHandle menu = 0;
  std::optional<Color> text_color;
  std::optional<Color> background_color;
  std::string picture;
  std::string icon;
  // Built-in control state.
  std::vector<ListItem> items;
  int selection = -1;
  bool pushed = false;
  std::int64_t check = 0;
};

struct SimPlatform::Menu {
  struct Item {
    std::uint32_t flags = 0;
    std::uint32_t id = 0;  // command id; for a popup item, the submenu
    std::string text;      // Windows-1252 bytes
  };
  bool popup = false;
  std::vector<Item> items;
};

struct SimPlatform::Process {
  Pid pid = 0;
  std::string name;
  bool alive = true;
  bool readable = true;
  // Registered classes by lower-case name, with the name as registered
  // (what GetClassName gives, whatever case made the window).
  struct Class {
    std::string name;
    std::shared_ptr<WindowProc> proc;
  };
  std::map<std::string, Class> classes;
  std::map<std::uint32_t, std::vector<std::uint8_t>> memory;  // blocks by start address
  std::uint32_t next_address = 0x20000000;
};

struct SimPlatform::Timer {
  Hwnd window = 0;
  std::uint32_t id = 0;
  double interval = 0;
  double due = 0;
  std::uint64_t seq = 0;
};

// Lower-case ASCII, for class-name keys.
std::string AsciiLower(std::string_view text);

}  // namespace platform::sim

#include "platform/sim/sim_files.h"
