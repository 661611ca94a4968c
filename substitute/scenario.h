// What the substitute program sets up and how it behaves, from its command
// line or a scenario file. Each option is "--name value" on the command
// line, or "name = value" on a line of the file ("#" starts a comment).
//
//   screen-name NAME        the signed-on user (default BrixUser)
//   room NAME               opens a chat room (repeatable; the last is in front)
//   member NAME             adds a member to the room opened last
//   im-window-delay SECONDS how long the IM window takes to open
//   im-send-delay SECONDS   how long an IM takes to go out
//   answer-delay SECONDS    how long an availability answer takes
//   refuse NAME=TEXT        IMs to NAME are refused with TEXT in the message box
//   online NAME             NAME is reported online
//   ignore-im-links yes|no  never open the IM window
//   log PATH                where to write what the client receives
//   scenario PATH           read more options from a file
#pragma once

#include <string>
#include <vector>

#include "substitute/substitute_client.h"

namespace substitute {

struct RoomSetup {
  std::string name;
  std::vector<std::string> members;
};

struct Scenario {
  std::string screen_name = "BrixUser";
  std::vector<RoomSetup> rooms;
  ClientScript script;
  std::string log_path;
};

// Reads options into `scenario`. Returns an empty string, or what was wrong.
// `read_file` reads a scenario file's text (false when it cannot).
std::string ParseArguments(const std::vector<std::string>& arguments, Scenario& scenario,
                           const std::function<bool(const std::string&, std::string&)>& read_file);

// One line of the received-log: kind, the client's clock in seconds,
// addressee or room, the Windows-1252 bytes in hex, and the text, separated
// by tabs (the text, last, may hold tabs of its own).
std::string FormatLogLine(const Received& received, const std::string& room_name);

// Opens the scenario's rooms in the client.
void ApplyScenario(const Scenario& scenario, SubstituteClient& client);

}  // namespace substitute
