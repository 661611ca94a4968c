#include "desktop/sound.h"

#include <string>

#include "platform/platform.h"

namespace desktop {
namespace {

using platform::Current;

bool Exists(std::string_view path) {
  return !path.empty() && !Current().FindOrdinaryFile(path).empty();
}

// The media control reads its device name up to the first space unless it
// is quoted; a path such as "C:\My Music\a.mid" must be quoted to play at
// all. Quoted every time, so that play and stop name the same device.
void Command(std::string_view verb, std::string_view path) {
  if (!Exists(path)) return;
  Current().MciSendString(std::string(verb) + " \"" + std::string(path) + "\"");
}

}  // namespace

void PlayWaveFile(std::string_view path) {
  if (!Exists(path)) return;
  Current().SndPlaySound(path, platform::kSndAsync | platform::kSndNoDefault);
}

void PlayMciFile(std::string_view path) { Command("play", path); }

void StopMciFile(std::string_view path) { Command("stop", path); }

}  // namespace desktop
