// The window scenarios over the real Windows calls: run it under Wine on
// Xvfb (or on Windows). Prints one line per check and then
// "N passed, M failed"; exits non-zero when anything failed.
//
// The same scenarios run natively over the simulated desktop
// (tests/unit/window_conformance_test.cpp), so a line that fails here and
// passes there, or the other way round, is a place where the two differ.
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/win32/win32_platform.h"
#include "tests/conformance/window_scenarios.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace {

// The client is an ANSI program, and our own window classes are wide: the
// ANSI scenarios need a window of a class registered with the A calls, whose
// handler sees the code page's bytes.
constexpr char kAnsiClass[] = "BrixConfAnsi";

std::map<HWND, std::string>& BytesReceived() {
  static std::map<HWND, std::string> received;
  return received;
}

LRESULT CALLBACK AnsiProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_SETTEXT) BytesReceived()[hwnd] = l != 0 ? reinterpret_cast<const char*>(l) : "";
  if (msg == WM_NCDESTROY) BytesReceived().erase(hwnd);
  return ::DefWindowProcA(hwnd, msg, w, l);
}

platform::Hwnd MakeAnsiWindow(platform::Platform&, platform::Hwnd parent,
                              std::string_view caption) {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &AnsiProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kAnsiClass;
    return ::RegisterClassA(&wc) != 0;
  }();
  if (!registered) return 0;
  const std::string text(caption);
  HWND hwnd = ::CreateWindowExA(0, kAnsiClass, text.c_str(), WS_CHILD | WS_VISIBLE, 4, 4, 180, 22,
                                reinterpret_cast<HWND>(static_cast<std::uintptr_t>(parent)),
                                nullptr, ::GetModuleHandleA(nullptr), nullptr);
  return static_cast<platform::Hwnd>(reinterpret_cast<std::uintptr_t>(hwnd));
}

std::string AnsiBytesReceived(platform::Hwnd window) {
  auto found = BytesReceived().find(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)));
  return found == BytesReceived().end() ? std::string() : found->second;
}

}  // namespace

int main() {
  platform::Win32Platform win;
  conformance::WindowScenarioOptions options;
  options.make_ansi_window = &MakeAnsiWindow;
  options.ansi_bytes_received = &AnsiBytesReceived;
  const auto results = conformance::RunWindowScenarios(win, options);

  int passed = 0;
  int failed = 0;
  for (const auto& result : results) {
    if (result.passed()) {
      ++passed;
      std::printf("PASS %s\n", result.name.c_str());
    } else {
      ++failed;
      std::printf("FAIL %s  (got %s, want %s)\n", result.name.c_str(), result.got.c_str(),
                  result.expected.c_str());
    }
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  std::fflush(stdout);
  return failed == 0 && passed > 0 ? 0 : 1;
}
