// Walks from the client's frame window down to the window a routine acts on.
// Nothing is held between operations: every walk starts afresh from the
// frame. Intermediate results are not tested — a step under parent 0 is still
// made (the platform then searches the desktop) — so callers judge success
// only by the handles they test afterwards.
#pragma once

#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace aol {

using platform::Hwnd;

// One step: a class, an optional caption, and which sibling of that class
// (1 = the first; n = n lookups in a row, each after the one before).
struct PathStep {
  std::string_view cls;
  std::optional<std::string_view> caption = std::nullopt;
  int nth = 1;
};

class AolWindowPath {
 public:
  AolWindowPath(std::initializer_list<PathStep> steps) : steps_(steps) {}
  // FindWindow("AOL Frame25") and then one lookup chain per step.
  Hwnd Walk() const;

 private:
  std::vector<PathStep> steps_;
};

// The client's frame window, or 0 when the client is not running.
Hwnd FindFrame();
// FindWindowEx(parent, 0, cls, caption): the first child of that class.
Hwnd FirstChild(Hwnd parent, std::string_view cls,
                std::optional<std::string_view> caption = std::nullopt);
// FindWindowEx(parent, after, cls, null): the next sibling of that class.
Hwnd NextChild(Hwnd parent, Hwnd after, std::string_view cls);
// The n-th child of a class: n lookups in a row, the first after none. A
// chain that runs past the last sibling gives 0 once and then starts over.
Hwnd NthChild(Hwnd parent, std::string_view cls, int n);
// The n-th child of a class when there are at least n: the same lookups,
// but a chain that runs out before the n-th gives 0 instead of starting over.
Hwnd NthChildNoWrap(Hwnd parent, std::string_view cls, int n);

}  // namespace aol
