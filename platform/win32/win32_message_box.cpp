// A modeless message box that is a real MessageBoxW: the "#32770" window,
// its icon, its OK button and its text are exactly what Windows makes, so a
// program that looks for a message box finds ours as it would find any.
//
// MessageBoxW does not return until the box is closed, so it runs on a small
// worker thread; hooks on that thread tell us the box's handle once it is up.
#include "platform/win32/win32_platform.h"

#include <cwchar>
#include <string>

#include "platform/win32/win32_util.h"

#include <process.h>  // _beginthreadex

#include "platform/win32/windows_api.h"

namespace platform {

using win32::FromNative;
using win32::ToNative;
using win32::Wide;

namespace {

// How long ShowMessageBox waits for the box to come up.
constexpr DWORD kShowTimeoutMs = 5000;

// Shared by the caller and the worker; whichever lets go last frees it (the
// caller stops waiting after a while, the worker lives as long as the box).
struct BoxJob {
  LONG references = 2;
  HWND owner = nullptr;
  std::wstring text;
  std::wstring caption;
  HANDLE shown = nullptr;  // set once the box is up, or MessageBoxW has given up
  HWND box = nullptr;      // written before `shown` is set
  // The worker's own progress, read only by its hook.
  bool initialised = false;
  bool signalled = false;
};

void Release(BoxJob* job) {
  if (::InterlockedDecrement(&job->references) == 0) {
    ::CloseHandle(job->shown);
    delete job;
  }
}

// Hooks take no context; each worker watches for its own box.
thread_local BoxJob* t_job = nullptr;

bool IsDialog(HWND hwnd) {
  wchar_t cls[16] = {};
  return ::GetClassNameW(hwnd, cls, 16) > 0 && std::wcscmp(cls, L"#32770") == 0;
}

// Sees every message the worker's windows have handled. The box is ready
// once WM_INITDIALOG is done (Wine's MessageBoxW removes the buttons it does
// not need there) and the box is on screen.
LRESULT CALLBACK WatchBox(int code, WPARAM w, LPARAM l) {
  BoxJob* job = t_job;
  if (code == HC_ACTION && job != nullptr && !job->signalled) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(l);
    if (job->box == nullptr && call->message == WM_INITDIALOG && IsDialog(call->hwnd)) {
      job->box = call->hwnd;
      job->initialised = true;
    }
    if (job->initialised && call->hwnd == job->box && ::IsWindowVisible(job->box)) {
      job->signalled = true;
      ::SetEvent(job->shown);
    }
  }
  return ::CallNextHookEx(nullptr, code, w, l);
}

unsigned __stdcall RunBox(void* parameter) {
  auto* job = static_cast<BoxJob*>(parameter);
  t_job = job;
  HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &WatchBox, nullptr, ::GetCurrentThreadId());
  ::MessageBoxW(job->owner, job->text.c_str(), job->caption.c_str(), MB_OK);
  if (hook != nullptr) ::UnhookWindowsHookEx(hook);
  t_job = nullptr;
  ::SetEvent(job->shown);  // in case it never came up: the caller stops waiting
  Release(job);
  return 0;
}

}  // namespace

Hwnd Win32Platform::ShowMessageBox(Hwnd owner, std::string_view text, std::string_view caption) {
  auto* job = new BoxJob;
  job->owner = ToNative<HWND>(owner);
  job->text = Wide(text);
  job->caption = Wide(caption);
  job->shown = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (job->shown == nullptr) {
    delete job;
    return 0;
  }
  HANDLE thread = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &RunBox, job, 0, nullptr));
  if (thread == nullptr) {
    ::CloseHandle(job->shown);
    delete job;
    return 0;
  }
  ::CloseHandle(thread);

  // While the box comes up it sends to its owner, which is ours (disabling
  // it, activation): answer sent messages, and leave posted ones for the
  // next Yield.
  ULONGLONG deadline = ::GetTickCount64() + kShowTimeoutMs;
  for (;;) {
    ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) break;
    DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &job->shown, static_cast<DWORD>(deadline - now),
                                               QS_SENDMESSAGE, 0);
    if (woke != WAIT_OBJECT_0 + 1) break;
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  Hwnd box = 0;
  if (::WaitForSingleObject(job->shown, 0) == WAIT_OBJECT_0) box = FromNative(job->box);
  Release(job);
  return box;
}

}  // namespace platform
