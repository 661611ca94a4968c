// Playing a sound file for the user. Each routine first looks the path up
// with the ordinary-file search and does nothing when no file matches.
// Nothing is reported: a file the system cannot play gives silence.
#pragma once

#include <string_view>

namespace desktop {

// Plays a wave file and returns at once; a new sound replaces one still
// playing, and a file that cannot be played gives no default sound instead.
void PlayWaveFile(std::string_view path);
// Starts any file the media control knows (MIDI music, for one) and returns
// once it plays; StopMciFile with the same path stops it.
void PlayMciFile(std::string_view path);
void StopMciFile(std::string_view path);

}  // namespace desktop
