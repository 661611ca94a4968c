// The simulated speakers: the wave sound and the media control's command
// strings, enough of them to tell whether a file would play. Every call is
// in the call log with its text as bytes.
#include <cctype>
#include <string>

#include "platform/codec.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_internal.h"
#include "platform/sim/sim_platform.h"

namespace platform::sim {
namespace {

// Media control error codes, as Windows numbers them.
constexpr std::uint32_t kMciErrUnrecognizedCommand = 261;
constexpr std::uint32_t kMciErrInvalidDeviceName = 263;
constexpr std::uint32_t kMciErrFileNotFound = 275;
constexpr std::uint32_t kMciErrNoClosingQuote = 294;

}  // namespace

bool SimPlatform::SndPlaySound(std::string_view path, std::uint32_t flags) {
  CallRecord& call = Log("SndPlaySound");
  call.text = Utf8ToCp1252(path);
  call.numbers = {flags};
  const std::size_t index = calls_.size() - 1;
  FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  const FileSystem::Node* node = resolved ? files.Lookup(*resolved) : nullptr;
  const bool playable = node != nullptr && !node->directory;
  // A new sound replaces the one playing; one that cannot play stops it and,
  // with kSndNoDefault, plays nothing in its place.
  files.wave = playable                       ? resolved->Full()
               : (flags & kSndNoDefault) != 0 ? std::string()
                                              : std::string("(default sound)");
  // An asynchronous call returns before the file is looked at (Wine answers
  // TRUE for a missing file played with kSndAsync).
  const bool result = playable || (flags & kSndAsync) != 0;
  calls_[index].result = result;
  return result;
}

std::uint32_t SimPlatform::MciSendString(std::string_view command) {
  Log("MciSendString").text = Utf8ToCp1252(command);
  const std::size_t index = calls_.size() - 1;
  FileSystem& files = Files();

  // "verb element options": the element is a quoted text or runs to the
  // next space, so an unquoted path holding a space is cut there.
  std::size_t at = 0;
  const auto skip_blanks = [&] {
    while (at < command.size() && command[at] == ' ') ++at;
  };
  skip_blanks();
  std::string verb;
  while (at < command.size() && command[at] != ' ') {
    verb.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(command[at++]))));
  }
  skip_blanks();
  std::string element;
  std::uint32_t error = 0;
  if (at < command.size() && command[at] == '"') {
    const std::size_t close = command.find('"', at + 1);
    if (close == std::string_view::npos) {
      error = kMciErrNoClosingQuote;
    } else {
      element = std::string(command.substr(at + 1, close - at - 1));
    }
  } else {
    const std::size_t space = command.find(' ', at);
    element = std::string(command.substr(at, space == std::string_view::npos ? space : space - at));
  }

  if (error == 0) {
    const std::optional<SimPath> path = element.empty() ? std::nullopt : files.Resolve(element);
    const FileSystem::Node* node = path ? files.Lookup(*path) : nullptr;
    const std::string key = path ? FoldName(path->Full()) : std::string();
    if (verb == "play") {
      // Playing a file opens it on the way.
      if (node == nullptr || node->directory) {
        error = kMciErrFileNotFound;
      } else {
        files.media[key] = path->Full();
      }
    } else if (verb == "stop" || verb == "close") {
      if (files.media.erase(key) == 0) {
        error = node == nullptr ? kMciErrFileNotFound : kMciErrInvalidDeviceName;
      }
    } else {
      error = kMciErrUnrecognizedCommand;
    }
  }
  calls_[index].result = error;
  return error;
}

std::string SimPlatform::PlayingWave() const { return Files().wave; }

std::vector<std::string> SimPlatform::PlayingMedia() const {
  std::vector<std::string> out;
  for (const auto& [key, full] : Files().media) out.push_back(full);
  return out;
}

}  // namespace platform::sim
