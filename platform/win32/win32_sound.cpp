// Sound on Windows: the wave-sound call and the media control's command
// strings, wide.
#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_util.h"

#include "platform/win32/windows_api.h"

// After <windows.h>, which it needs.
#include <mmsystem.h>

namespace platform {

using win32::Wide;

bool Win32Platform::SndPlaySound(std::string_view path, std::uint32_t flags) {
  return ::sndPlaySoundW(Wide(path).c_str(), flags) != FALSE;
}

std::uint32_t Win32Platform::MciSendString(std::string_view command) {
  return ::mciSendStringW(Wide(command).c_str(), nullptr, 0, nullptr);
}

}  // namespace platform
