#include "platform/platform.h"

namespace platform {
namespace {
Platform* g_current = nullptr;
}

Platform& Current() { return *g_current; }
void SetCurrent(Platform* platform) { g_current = platform; }

ScopedPlatform::ScopedPlatform(Platform& platform) : previous_(g_current) { g_current = &platform; }
ScopedPlatform::~ScopedPlatform() { g_current = previous_; }

ProcessHandle& ProcessHandle::operator=(ProcessHandle&& other) noexcept {
  if (this != &other) {
    Close();
    owner_ = other.owner_;
    handle_ = other.handle_;
    other.owner_ = nullptr;
    other.handle_ = 0;
  }
  return *this;
}

void ProcessHandle::Close() {
  if (owner_ != nullptr && handle_ != 0) owner_->CloseHandle(handle_);
  owner_ = nullptr;
  handle_ = 0;
}

}  // namespace platform
