#include "substitute/scenario.h"

#include <cstdio>
#include <cstdlib>

#include "platform/codec.h"

namespace substitute {
namespace {

using ReadFile = std::function<bool(const std::string&, std::string&)>;

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool ParseSeconds(const std::string& value, double& out) {
  char* end = nullptr;
  const double seconds = std::strtod(value.c_str(), &end);
  if (end == value.c_str() || *end != '\0' || !(seconds >= 0) || seconds > 3600) return false;
  out = seconds;
  return true;
}

std::string Apply(const std::string& name, const std::string& value, Scenario& s,
                  const ReadFile& read_file, int depth) {
  const auto seconds = [&](double& field) -> std::string {
    return ParseSeconds(value, field) ? "" : name + ": not a number of seconds: " + value;
  };
  if (name == "screen-name") {
    s.screen_name = value;
  } else if (name == "room") {
    s.rooms.push_back({value, {}});
  } else if (name == "member") {
    if (s.rooms.empty()) return "member " + value + " comes before any room";
    s.rooms.back().members.push_back(value);
  } else if (name == "im-window-delay") {
    return seconds(s.script.im_window_delay);
  } else if (name == "im-send-delay") {
    return seconds(s.script.im_send_delay);
  } else if (name == "answer-delay") {
    return seconds(s.script.answer_delay);
  } else if (name == "refuse") {
    const auto eq = value.find('=');
    if (eq == std::string::npos) return "refuse wants NAME=TEXT: " + value;
    s.script.refusals[value.substr(0, eq)] = value.substr(eq + 1);
  } else if (name == "online") {
    s.script.online.insert(value);
  } else if (name == "ignore-im-links") {
    if (value != "yes" && value != "no") return "ignore-im-links wants yes or no";
    s.script.ignore_im_links = value == "yes";
  } else if (name == "log") {
    s.log_path = value;
  } else if (name == "scenario") {
    if (depth > 4) return "scenario files nest too deep";
    std::string text;
    if (!read_file(value, text)) return "cannot read scenario file " + value;
    std::string error;
    std::size_t start = 0;
    while (start <= text.size() && error.empty()) {
      auto end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      start = end + 1;
      const auto hash = line.find('#');
      if (hash != std::string::npos) line.resize(hash);
      line = Trim(line);
      if (line.empty()) continue;
      const auto eq = line.find('=');
      if (eq == std::string::npos) return "no '=' in scenario line: " + line;
      error = Apply(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), s, read_file, depth + 1);
    }
    return error;
  } else {
    return "unknown option " + name;
  }
  return "";
}

}  // namespace

std::string ParseArguments(const std::vector<std::string>& arguments, Scenario& scenario,
                           const ReadFile& read_file) {
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& arg = arguments[k];
    if (arg.rfind("--", 0) != 0) return "expected an option, got " + arg;
    if (k + 1 >= arguments.size()) return arg + " needs a value";
    const std::string error = Apply(arg.substr(2), arguments[k + 1], scenario, read_file, 0);
    if (!error.empty()) return error;
    ++k;
  }
  return "";
}

std::string FormatLogLine(const Received& received, const std::string& room_name) {
  std::string kind;
  std::string where = received.to;
  switch (received.kind) {
    case Received::Kind::kRoomLine:
      kind = "ROOM";
      where = room_name;
      break;
    case Received::Kind::kKeyword:
      kind = "KEYWORD";
      break;
    case Received::Kind::kInstantMessage:
      kind = "IM";
      break;
    case Received::Kind::kOnlineQuery:
      kind = "ONLINE?";
      break;
    case Received::Kind::kWindowOpened:
      kind = "OPENED";
      break;
  }
  std::string hex;
  for (unsigned char byte : platform::Utf8ToCp1252(received.text)) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", byte);
    hex += pair;
  }
  char time[32];
  std::snprintf(time, sizeof time, "%.3f", received.time);
  return kind + "\t" + time + "\t" + where + "\t" + hex + "\t" + received.text;
}

void ApplyScenario(const Scenario& scenario, SubstituteClient& client) {
  client.script() = scenario.script;
  for (const RoomSetup& room : scenario.rooms) client.OpenChatRoom(room.name, room.members);
}

}  // namespace substitute
